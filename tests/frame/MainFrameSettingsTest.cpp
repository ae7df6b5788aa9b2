#include "FrameFixture.h"

#include <QFile>
#include <QFileInfo>


TEST_F(FrameTest, CloseWritesTheFourKeysInOrder)
{
    EXPECT_EQ(frame->Language(), 1);
    EXPECT_EQ(Canvas()->ShowGrid(), 1);
    EXPECT_EQ(Canvas()->Grid().BackColor(), 0u);
    frame->show();
    frame->close();
    EXPECT_EQ(ReadAll(SettingsPath()), QByteArray("[Main]\nLanguage=1\nBkColor=0\nShowGrid=1\nPictureColors=0\n"));
}

TEST_F(FrameTest, StoredValuesAreAppliedAndWrittenBack)
{
    WriteAll(SettingsPath(), "[Main]\nLanguage=7\nShowGrid=5\nBkColor=255\n");
    frame = MakeFrame();
    EXPECT_EQ(frame->Language(), 1); // out of range: the default
    EXPECT_EQ(Canvas()->ShowGrid(), 5);
    EXPECT_EQ(Canvas()->Grid().BackColor(), MakeColor(255, 1, 0)); // nudged off red
    frame->close();
    EXPECT_EQ(ReadAll(SettingsPath()), QByteArray("[Main]\nLanguage=1\nShowGrid=5\nBkColor=511\nPictureColors=0\n"));
}

TEST_F(FrameTest, LanguageIsWrittenOnlyOnClose)
{
    frame->show();
    Trigger(CommandId::ChineseTraditional);
    EXPECT_FALSE(QFile::exists(SettingsPath()));

    // Leaving through File > Exit writes nothing: the next start keeps the default.
    Trigger(CommandId::Exit);
    EXPECT_EQ(quitCount, 1);
    EXPECT_FALSE(QFile::exists(SettingsPath()));
    frame = MakeFrame();
    EXPECT_EQ(frame->Language(), 1);

    // Closing the window stores it, and the next start comes up in it.
    Trigger(CommandId::ChineseTraditional);
    frame->close();
    frame = MakeFrame();
    EXPECT_EQ(frame->Language(), 2);
    EXPECT_TRUE(Act(CommandId::ChineseTraditional)->isChecked());
    EXPECT_FALSE(Act(CommandId::ChineseSimplified)->isChecked());
}

TEST_F(FrameTest, PictureColorsIsAFourthKeyAfterTheOthers)
{
    // Other sections, other keys and their order stay as they are.
    WriteAll(SettingsPath(), "; kept\n[Other]\nX=1\n[Main]\nShowGrid=0\nExtra=yes\nLanguage=0\n");
    frame = MakeFrame();
    EXPECT_EQ(Canvas()->PictureColors(), ExactColors);
    EXPECT_TRUE(Act(CommandId::PictureExact)->isChecked());
    Trigger(CommandId::PictureDithered);
    frame->close();
    EXPECT_EQ(ReadAll(SettingsPath()), QByteArray("; kept\n[Other]\nX=1\n[Main]\nShowGrid=0\nExtra=yes\nLanguage=0\n"
                                                  "BkColor=0\nPictureColors=2\n"));

    // Read back at the next start, and written in place.
    frame = MakeFrame();
    EXPECT_EQ(Canvas()->PictureColors(), DitheredColors);
    EXPECT_TRUE(Act(CommandId::PictureDithered)->isChecked());
    Trigger(CommandId::PictureNearest);
    frame->close();
    EXPECT_TRUE(ReadAll(SettingsPath()).endsWith("BkColor=0\nPictureColors=1\n"));
}

TEST_F(FrameTest, MissingOrBadPictureColorsMeansExact)
{
    const struct
    {
        const char* stored;
        int expected;
    } cases[] = {
        {"", ExactColors},    {"PictureColors=0\n", ExactColors}, {"PictureColors=1\n", NearestColor},
        {"PictureColors=2\n", DitheredColors}, {"PictureColors=3\n", ExactColors},
        {"PictureColors=-1\n", ExactColors},  {"PictureColors=dither\n", ExactColors},
        {"PictureColors=99999999999\n", ExactColors},
    };
    for (const auto& c : cases) {
        WriteAll(SettingsPath(), QByteArray("[Main]\n") + c.stored);
        frame = MakeFrame();
        EXPECT_EQ(Canvas()->PictureColors(), c.expected) << c.stored;
        for (int id = CommandId::PictureExact; id <= CommandId::PictureDithered; ++id)
            EXPECT_EQ(Act(id)->isChecked(), id - CommandId::PictureExact == c.expected) << c.stored << id;
    }
}

TEST_F(FrameTest, SettingsFifoIsNeitherWaitedForNorReplaced)
{
    // A FIFO without a writer would block a plain open forever.
    ASSERT_TRUE(MakeFifo(SettingsPath()));
    frame = MakeFrame();
    EXPECT_EQ(frame->Language(), 1);
    EXPECT_EQ(Canvas()->ShowGrid(), 1);
    frame->close();
    EXPECT_FALSE(QFileInfo(SettingsPath()).isFile());
}
