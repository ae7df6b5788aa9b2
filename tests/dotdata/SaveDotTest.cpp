#include "ListingSupport.h"
#include "TestSupport.h"

#include "dotdata/DotFile.h"
#include "base/FrameDialogs.h"
#include "dotdata/SaveDot.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

#include <gtest/gtest.h>

#include <algorithm>

namespace {

// Save Dot whose dialog answers m_szAnswer, recording prefills and messages.
struct SSaveRig
{
    SSaveRig()
    {
        m_dialogs.askSaveDotPath = [this](const QString& prefill) { return m_prefills << prefill, m_szAnswer; };
        m_dialogs.showMessage = [this](const QString& text) { m_messages << text; };
    }
    bool Save(const QString& text) { return CSaveDot::Save(m_dialogs, text, m_szPath); }
    QStringList Files() const { return QDir(m_dir.Path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot); }

    CScratchDir m_dir;
    CFrameDialogs m_dialogs;
    QString m_szAnswer, m_szPath;
    QStringList m_prefills, m_messages;
};

} // namespace

TEST(SaveDot, WritesThePaneTextWithCrLfInUtf8AndRemembersThePath)
{
    SSaveRig rig;
    EXPECT_FALSE(rig.Save(QStringLiteral("cancelled\n")));
    EXPECT_TRUE(rig.Files().isEmpty());

    rig.m_szAnswer = rig.m_dir.FilePath(QStringLiteral("dots.txt"));
    ASSERT_TRUE(rig.Save(Header("工", "Green") + " 1-1-4-G\n" + Footer(1)));
    EXPECT_EQ(ReadAll(rig.m_szAnswer), QByteArray("/*****  ") + QStringLiteral("工").toUtf8() + ", Green  "
                                           + QByteArray(59, '*') + "/\r\n 1-1-4-G\r\n//**** <1> "
                                           + QByteArray(67, '*') + "\r\n\r\n");

    ASSERT_TRUE(rig.Save(QStringLiteral("1-1-1-R\n\n")));
    EXPECT_EQ(ReadAll(rig.m_szAnswer), QByteArray("1-1-1-R\r\n\r\n"));
    rig.m_szAnswer.clear();
    EXPECT_FALSE(rig.Save(QStringLiteral("cancelled after saving\n")));
    EXPECT_EQ(ReadAll(rig.m_dir.FilePath(QStringLiteral("dots.txt"))), QByteArray("1-1-1-R\r\n\r\n"));
    EXPECT_EQ(rig.m_prefills, (QStringList{QString(), QString(), rig.m_szPath, rig.m_szPath}));
    EXPECT_EQ(rig.Files(), QStringList{QStringLiteral("dots.txt")});
    EXPECT_TRUE(rig.m_messages.isEmpty());
}

TEST(SaveDot, FailedWriteKeepsTheOldFileAndTellsTheUserOnce)
{
    SSaveRig rig;
    rig.m_szAnswer = rig.m_dir.FilePath(QStringLiteral("missing/dots.txt"));
    EXPECT_FALSE(rig.Save(QStringLiteral("1-1-1-R\n\n")));
    EXPECT_EQ(rig.m_messages, QStringList{CSaveDot::FailureMessage(rig.m_szAnswer)});
    EXPECT_TRUE(rig.Files().isEmpty());

    // A disk that fills up part-way: the short write must not be committed.
    const QString path = rig.m_dir.FilePath(QStringLiteral("dots.txt"));
    ASSERT_TRUE(WriteAll(path, "saved before\r\n"));
    const QByteArray listing = CDotFile::Bytes(QString(4000, 'R') + '\n');
    for (const qint64 room : {qint64(0), qint64(10), listing.size() - 1}) {
        CFillingSaveFile file(path, room);
        EXPECT_FALSE(CDotFile::Write(file, listing)) << room;
        EXPECT_EQ(ReadAll(path), QByteArray("saved before\r\n")) << room;
        EXPECT_EQ(rig.Files(), QStringList{QStringLiteral("dots.txt")}) << room;
    }
    CFillingSaveFile roomy(path, listing.size());
    EXPECT_TRUE(CDotFile::Write(roomy, listing));
    EXPECT_EQ(ReadAll(path), listing);
}

TEST(SaveDot, AFifoChosenInTheDialogIsRefusedWithItsReason)
{
    SSaveRig rig;
    const QString fifo = rig.m_dir.FilePath(QStringLiteral("fifo.txt"));
    ASSERT_TRUE(MakeFifo(fifo));
    rig.m_szAnswer = fifo;
    EXPECT_FALSE(rig.Save(QStringLiteral("1-1-1-R\n")));
    ASSERT_EQ(rig.m_messages.size(), 1);
    EXPECT_TRUE(rig.m_messages[0].startsWith(CSaveDot::FailureMessage(fifo)));
    EXPECT_TRUE(rig.m_messages[0].contains(QStringLiteral("not a regular file")));
    EXPECT_TRUE(QFileInfo(fifo).exists());
    EXPECT_FALSE(QFileInfo(fifo).isFile());
}

// The file's bytes made chunk by chunk are those of the whole listing text,
// in both modes, with chunks of one piece each and of the usual size.
TEST(SaveDot, ListingBytesMadeInChunksAreThoseOfTheWholeText)
{
    CDotGrid image = MakeGrid(64, 24, ImageMode);
    for (int y = 0; y < 24; ++y)
        for (int x = (y * 3) % 5; x < 64; x += 5)
            Light(image, x, y, DotPalette[static_cast<std::size_t>((x + y) % 7)]);
    CDotGrid text = image;
    text.SetMode(TextMode);
    CCanvasText chars = MakeText(QStringLiteral("中\U00020000AB"), 0, 3);
    chars.m_bDotsFromText = 1;
    for (const auto& [grid, canvasText] : {std::pair{&image, CCanvasText()}, std::pair{&text, chars}}) {
        const QByteArray whole = CDotFile::Bytes(CDotListing::Whole(*grid, canvasText));
        ASSERT_GT(whole.count("\r\n"), 10);
        EXPECT_EQ(whole.count('\n'), whole.count("\r\n")) << "every line ends in CR LF";
        for (const int chunkChars : {1, 100, CDotListing::kDefaultChunkChars})
            EXPECT_EQ(CDotFile::ListingBytes(*grid, canvasText, chunkChars), whole) << grid->Mode() << " " << chunkChars;
    }
    EXPECT_TRUE(CDotFile::Bytes(CDotListing::Whole(text, chars)).contains("\xF0\xA0\x80\x80")) << "U+20000 in UTF-8";
}

// Every line end becomes CR LF, at the very start and end as anywhere, and
// nothing else changes.
TEST(SaveDot, EveryLineEndBecomesCrLfWhereverItIs)
{
    const struct
    {
        QString text;
        QByteArray bytes;
    } cases[] = {
        {QString(), QByteArray()},
        {QStringLiteral("\n"), "\r\n"},
        {QStringLiteral("\nA"), "\r\nA"},
        {QStringLiteral("A"), "A"},
        {QStringLiteral("A\n\nB"), "A\r\n\r\nB"},
        {QStringLiteral("中\n"), "\xE4\xB8\xAD\r\n"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CDotFile::Bytes(c.text), c.bytes) << c.text.toStdString();
}
