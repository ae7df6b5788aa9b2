#include "ListingSupport.h"
#include "TestSupport.h"

#include "dotdata/DotFile.h"
#include "dotdata/SaveDot.h"

#include <QDir>
#include <QPlainTextEdit>
#include <QSaveFile>

#include <gtest/gtest.h>

#include <algorithm>

namespace {

// A save file on a disk that fills up after `room` bytes.
class CFillingSaveFile : public QSaveFile
{
public:
    CFillingSaveFile(const QString& path, qint64 room)
        : QSaveFile(path)
        , m_nRoom(room)
    {
    }

protected:
    qint64 writeData(const char* data, qint64 len) override
    {
        const qint64 n = std::min(len, m_nRoom);
        m_nRoom -= n;
        return n == 0 ? -1 : QSaveFile::writeData(data, n);
    }

private:
    qint64 m_nRoom;
};

// Save Dot with its dialog answering `answer` and its messages recorded.
struct SSaveRig
{
    SSaveRig()
    {
        m_saver.SetAskFileName([this](QWidget*, const QString& prefill) {
            m_prefills << prefill;
            return m_szAnswer;
        });
        m_saver.SetShowMessage([this](QWidget*, const QString& text) { m_messages << text; });
    }

    bool Save(const QString& text) { return m_saver.Save(nullptr, text, m_szPath); }

    CSaveDot m_saver;
    QString m_szAnswer;
    QString m_szPath;
    QStringList m_prefills;
    QStringList m_messages;
};

QStringList EntriesOf(const QString& dir)
{
    return QDir(dir).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
}

} // namespace

TEST(SaveDot, PaneTextIsSavedWithCrLfLineEndsInUtf8)
{
    // The worked text-mode example, as the pane holds it after generation.
    CDotGrid grid = MakeGrid(8, 8, CDotGrid::TextMode);
    for (int y = 0; y < 8; ++y)
        Light(grid, 3, y, kGreen);
    Light(grid, 4, 0, kGreen);
    QPlainTextEdit pane;
    pane.setPlainText(Generate(grid, MakeText(QStringLiteral("工"), 0, 1)).m_szText);

    CScratchDir dir;
    SSaveRig rig;
    rig.m_szAnswer = dir.FilePath(QStringLiteral("dots.txt"));
    ASSERT_TRUE(rig.Save(pane.toPlainText()));

    const QByteArray expected = QByteArray("/*****  ") + QStringLiteral("工").toUtf8()
        + ", Green  ***********************************************************/\r\n"
          " 1-1-4-G,  1-1-5-G,  1-2-4-G,  1-3-4-G,  1-4-4-G,  1-5-4-G,  1-6-4-G,  1-7-4-G\r\n"
          " 1-8-4-G\r\n"
          "//**** <9> *******************************************************************\r\n"
          "\r\n";
    EXPECT_EQ(ReadAll(rig.m_szAnswer), expected);
    EXPECT_TRUE(rig.m_messages.isEmpty());
}

TEST(SaveDot, DialogIsPrefilledWithTheLastChoiceAndOverwritingReplacesTheFile)
{
    CScratchDir dir;
    SSaveRig rig;
    rig.m_szAnswer = dir.FilePath(QStringLiteral("a.txt"));
    ASSERT_TRUE(rig.Save(QStringLiteral("1-1-1-R, 1-1-2-R\n\n2-1-2-B\n\n")));
    ASSERT_TRUE(rig.Save(QStringLiteral("1-1-1-R\n\n")));
    EXPECT_EQ(rig.m_prefills, (QStringList{QString(), rig.m_szAnswer}));
    EXPECT_EQ(rig.m_szPath, rig.m_szAnswer);
    EXPECT_EQ(ReadAll(rig.m_szAnswer), QByteArray("1-1-1-R\r\n\r\n"));
    EXPECT_EQ(EntriesOf(dir.Path()), QStringList{QStringLiteral("a.txt")});
}

TEST(SaveDot, CancelWritesNothingAlsoAfterEarlierSaves)
{
    CScratchDir dir;
    SSaveRig rig;
    EXPECT_FALSE(rig.Save(QStringLiteral("1-1-1-R\n\n")));
    EXPECT_TRUE(EntriesOf(dir.Path()).isEmpty());

    rig.m_szAnswer = dir.FilePath(QStringLiteral("kept.txt"));
    ASSERT_TRUE(rig.Save(QStringLiteral("first\n")));
    rig.m_szAnswer.clear();
    EXPECT_FALSE(rig.Save(QStringLiteral("second\n")));
    EXPECT_EQ(ReadAll(dir.FilePath(QStringLiteral("kept.txt"))), QByteArray("first\r\n"));
    EXPECT_EQ(rig.m_szPath, dir.FilePath(QStringLiteral("kept.txt")));
    EXPECT_TRUE(rig.m_messages.isEmpty());
}

TEST(SaveDot, UnwritableTargetIsReportedOnce)
{
    CScratchDir dir;
    SSaveRig rig;
    rig.m_szAnswer = dir.FilePath(QStringLiteral("missing/dots.txt"));
    EXPECT_FALSE(rig.Save(QStringLiteral("1-1-1-R\n\n")));
    EXPECT_EQ(rig.m_messages, QStringList{CSaveDot::FailureMessage(rig.m_szAnswer)});
    EXPECT_TRUE(QDir(dir.Path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).isEmpty());
}

TEST(SaveDot, ShortWriteLeavesTheExistingFileUntouched)
{
    CScratchDir dir;
    const QString path = dir.FilePath(QStringLiteral("dots.txt"));
    ASSERT_TRUE(WriteAll(path, QByteArray("the listing saved before\r\n")));

    const QByteArray listing = CDotFile::Bytes(QString(4000, QLatin1Char('R')) + QLatin1Char('\n'));
    for (qint64 room : {qint64(0), qint64(10), listing.size() - 1}) {
        CFillingSaveFile file(path, room);
        EXPECT_FALSE(CDotFile::Write(file, listing)) << room;
        EXPECT_EQ(ReadAll(path), QByteArray("the listing saved before\r\n")) << room;
        EXPECT_EQ(EntriesOf(dir.Path()), QStringList{QStringLiteral("dots.txt")}) << room;
    }

    CFillingSaveFile roomy(path, listing.size());
    EXPECT_TRUE(CDotFile::Write(roomy, listing));
    EXPECT_EQ(ReadAll(path), listing);
}
