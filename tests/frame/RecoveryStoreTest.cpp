// Recovery files: each running program writes its own, a file whose program
// is gone is offered once, and saving or discarding the work removes it.
#include "frame/RecoveryStore.h"

#include "dotdata/ProjectFile.h"
#include "TestSupport.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QSignalSpy>

#include <gtest/gtest.h>

#include <memory>
#include <utility>

namespace {

SProject Work(const QString& text)
{
    SProject p;
    p.m_grid.Create(16, 8, ImageMode);
    p.m_grid.SetDot(1, 2, DotPalette[3]);
    p.m_input.m_szText = text;
    p.m_input.m_acrColor.assign(static_cast<std::size_t>(text.size()), DotPalette[0]);
    return p;
}

std::unique_ptr<CRecoveryStore> Store(const CScratchDir& dir, const QString& text)
{
    return std::make_unique<CRecoveryStore>(dir.Path(), [text] { return Work(text); });
}

QString InputOf(const QString& path)
{
    SProject p;
    QString error;
    return CProjectFile::Load(path, p, error) == CProjectFile::Ok ? p.m_input.m_szText : error;
}

} // namespace

TEST(RecoveryStore, AChangeIsWrittenOffTheInterfaceThreadAndReadsBack)
{
    CScratchDir dir;
    auto store = Store(dir, QStringLiteral("first"));
    QSignalSpy written(store.get(), &CRecoveryStore::Written);
    store->NoteChange();
    store->NoteChange(); // one write for both
    ASSERT_TRUE(written.wait(CRecoveryStore::kSaveDelayMs * 5));
    EXPECT_TRUE(written.at(0).at(0).toBool());
    EXPECT_EQ(InputOf(store->FilePath()), QStringLiteral("first"));
    store->Discard();
    EXPECT_FALSE(QFile::exists(store->FilePath()));
}

TEST(RecoveryStore, TwoRunningProgramsKeepTheirOwnFilesAndClaimNeither)
{
    CScratchDir dir;
    auto a = Store(dir, QStringLiteral("a"));
    auto b = Store(dir, QStringLiteral("b"));
    ASSERT_TRUE(a->SaveNow());
    ASSERT_TRUE(b->SaveNow());
    EXPECT_NE(a->FilePath(), b->FilePath());
    EXPECT_EQ(InputOf(a->FilePath()), QStringLiteral("a"));
    EXPECT_EQ(InputOf(b->FilePath()), QStringLiteral("b"));
    EXPECT_TRUE(a->ClaimOrphan().isEmpty());
    EXPECT_TRUE(b->ClaimOrphan().isEmpty());
}

TEST(RecoveryStore, TheWorkOfAProgramThatIsGoneIsOfferedToOneProgramOnce)
{
    CScratchDir dir;
    QString left;
    {
        auto gone = Store(dir, QStringLiteral("lost work"));
        ASSERT_TRUE(gone->SaveNow());
        left = gone->FilePath();
    } // ended without discarding, as a killed program does
    auto next = Store(dir, QStringLiteral("new"));
    auto other = Store(dir, QStringLiteral("other"));
    ASSERT_EQ(next->ClaimOrphan(), left);
    EXPECT_TRUE(other->ClaimOrphan().isEmpty()); // held by next while it asks
    SProject back;
    QString error;
    ASSERT_TRUE(next->ReadOrphan(back, error)) << error.toStdString();
    EXPECT_EQ(back.m_input.m_szText, QStringLiteral("lost work"));
    EXPECT_EQ(back.m_grid.DotAt(1, 2), DotPalette[3]);
    next->DropOrphan();
    EXPECT_FALSE(QFile::exists(left));
    EXPECT_TRUE(other->ClaimOrphan().isEmpty());
    // Only the two running programs' locks are left.
    EXPECT_EQ(QDir(dir.Path()).entryList({QStringLiteral("*.lock")}, QDir::Files).size(), 2);
}

TEST(RecoveryStore, ADamagedRecoveryFileIsReportedNotOpened)
{
    CScratchDir dir;
    QString left;
    {
        auto gone = Store(dir, QStringLiteral("x"));
        ASSERT_TRUE(gone->SaveNow());
        left = gone->FilePath();
    }
    QByteArray bytes = ReadAll(left);
    ASSERT_TRUE(WriteAll(left, bytes.left(bytes.size() / 2)));
    auto next = Store(dir, QStringLiteral("new"));
    ASSERT_EQ(next->ClaimOrphan(), left);
    SProject back;
    QString error;
    EXPECT_FALSE(next->ReadOrphan(back, error));
    EXPECT_TRUE(error.contains(QStringLiteral("incomplete"))) << error.toStdString();
}

// Of two programs that are gone, the newer work is offered first, with its
// time; the other stays for the next question. Nothing claimed reads nothing.
TEST(RecoveryStore, TheNewestWorkOfAGoneProgramIsOfferedFirst)
{
    CScratchDir dir;
    QString older, newer;
    {
        auto first = Store(dir, QStringLiteral("older"));
        auto second = Store(dir, QStringLiteral("newer"));
        ASSERT_TRUE(first->SaveNow());
        ASSERT_TRUE(second->SaveNow());
        older = first->FilePath();
        newer = second->FilePath();
    }
    const QDateTime base = QDateTime::currentDateTime().addSecs(-3600);
    for (const auto& [path, age] : {std::pair{older, 0}, std::pair{newer, 60}}) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        ASSERT_TRUE(file.setFileTime(base.addSecs(age), QFileDevice::FileModificationTime));
    }
    auto next = Store(dir, QStringLiteral("new"));
    SProject back;
    QString error;
    EXPECT_FALSE(next->ReadOrphan(back, error));
    EXPECT_FALSE(next->OrphanTime().isValid());
    ASSERT_EQ(next->ClaimOrphan(), newer);
    EXPECT_EQ(next->OrphanTime().toSecsSinceEpoch(), base.addSecs(60).toSecsSinceEpoch());
    next->ReleaseOrphan();
    EXPECT_FALSE(next->OrphanTime().isValid());
    EXPECT_FALSE(next->ReadOrphan(back, error));
    next->DropOrphan(); // nothing claimed: nothing removed
    EXPECT_TRUE(QFile::exists(newer));
    ASSERT_EQ(next->ClaimOrphan(), newer);
    next->DropOrphan();
    EXPECT_FALSE(QFile::exists(newer));
    ASSERT_EQ(next->ClaimOrphan(), older);
    ASSERT_TRUE(next->ReadOrphan(back, error)) << error.toStdString();
    EXPECT_EQ(back.m_input.m_szText, QStringLiteral("older"));
}
