// Frames and effects from the command line: the options' values and limits,
// and what a run writes.
#include "app/BatchCommandLine.h"

#include "TestSupport.h"

#include <QDir>
#include <QImage>
#include <QImageReader>

#include <gtest/gtest.h>

TEST(BatchFrames, OptionValuesAndTheirLimits)
{
    CBatchCommandLine line;
    ASSERT_TRUE(line.Parse({"--frame", "3", "--scroll", "UP:50", "--scroll", "left", "--wipe", "down:1", "--panel",
                            "64x16", "--duration", "10", "--blink", "60000", "--gif-dots", "0", "--move-frame", "1"}));
    const auto& s = line.Steps();
    ASSERT_EQ(s.size(), 9u);
    EXPECT_EQ(s[0].x, 3);
    EXPECT_EQ(s[1].x, 2); // up
    EXPECT_EQ(s[1].y, 50);
    EXPECT_EQ(s[2].x, 0); // left
    EXPECT_EQ(s[2].y, 20); // the default speed
    EXPECT_EQ(s[3].kind, SBatchStep::Wipe);
    EXPECT_EQ(s[3].x, 3);
    EXPECT_EQ(s[3].y, 1);
    EXPECT_EQ(s[4].x, 64);
    EXPECT_EQ(s[4].y, 16);
    EXPECT_EQ(s[5].x, 10);
    EXPECT_EQ(s[6].x, 60000);

    const struct
    {
        const char *option, *value, *error;
    } bad[] = {
        {"--frame", "0", "numbered from 1"},
        {"--move-frame", "-1", "numbered from 1"},
        {"--duration", "9", "10..60000"},
        {"--blink", "60001", "10..60000"},
        {"--scroll", "left:0", "speed (dots a second) must be within 1..100"},
        {"--scroll", "left:101", "1..100"},
        {"--scroll", "sideways", "left, right, up or down"},
        {"--scroll", "left:2:3", "left, right, up or down"},
        {"--wipe", "up:x", "not a number"},
        {"--panel", "0x16", "the width must be within 1..1024"},
        {"--panel", "1025x16", "the width must be within 1..1024"},
        {"--panel", "64x769", "the height must be within 1..768"},
        {"--gif-dots", "33", "must be within 0..32"},
        {"--gif-dots", "-1", "0..32"},
    };
    for (const auto& b : bad) {
        CBatchCommandLine parser;
        EXPECT_FALSE(parser.Parse({b.option, b.value})) << b.option << " " << b.value;
        EXPECT_TRUE(parser.Error().startsWith(QString::fromLatin1(b.option)));
        EXPECT_TRUE(parser.Error().contains(QString::fromLatin1(b.error))) << parser.Error().toStdString();
    }
}

TEST(BatchFrames, AScrollBecomesAGifAndOneListingPerFrame)
{
    CScratchDir dir;
    // An 8-dot message with one red dot in its first column, across a 16 x 8 panel.
    const SProcessResult r = RunPellmark({"--new", "8x8:image", "--dot-color", "red", "--set-dot", "0,3", "--panel",
                                          "16x8", "--scroll", "left:25", "--save-gif", dir.FilePath("s.gif"),
                                          "--save-dots", dir.FilePath("f%d.txt"), "--frame", "24", "--save-dots",
                                          dir.FilePath("last.txt")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    QImageReader gif(dir.FilePath("s.gif"), "gif");
    EXPECT_EQ(gif.imageCount(), 8 + 16);
    const QImage first = gif.read();
    EXPECT_EQ(gif.nextImageDelay(), 40);
    ASSERT_EQ(first.size(), QSize(16, 8));
    EXPECT_EQ(first.pixel(15, 3), qRgb(255, 0, 0));
    // Frame k has the red dot at column 15 - k: blocks 1 and 2, row 4.
    for (int k = 0; k < 16; ++k) {
        const int column = 15 - k;
        const QString expected = QStringLiteral("%1-4-%2-R\r\n\r\n").arg(column / 8 + 1).arg(column % 8 + 1);
        EXPECT_TRUE(QString::fromLatin1(ReadAll(dir.FilePath(QStringLiteral("f%1.txt").arg(k + 1)))).contains(expected))
            << "frame " << k + 1;
    }
    EXPECT_EQ(QDir(dir.Path()).entryList({"f*.txt"}).size(), 24);
    // The last frame is empty: the message has left.
    EXPECT_EQ(ReadAll(dir.FilePath("last.txt")), ReadAll(dir.FilePath("f24.txt")));
    EXPECT_FALSE(ReadAll(dir.FilePath("last.txt")).contains('R'));
}

TEST(BatchFrames, FrameOptionsStopOnWhatCannotBe)
{
    CScratchDir dir;
    SProcessResult r = RunPellmark({"--new", "8x8:image", "--frame", "2", "--save-image", dir.FilePath("a.bmp")});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_TRUE(r.err.startsWith("--frame: there is no frame 2: the document has 1")) << r.err.toStdString();
    EXPECT_FALSE(QFile::exists(dir.FilePath("a.bmp")));

    r = RunPellmark({"--new", "8x8:image", "--delete-frame"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_TRUE(r.err.contains("the only frame")) << r.err.toStdString();

    r = RunPellmark({"--new", "8x8:image", "--save-frames", dir.FilePath("f.jpg")});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_TRUE(r.err.contains(".bmp or .png")) << r.err.toStdString();

    // Frames, a duplicate, a move and an undo, then the pictures.
    r = RunPellmark({"--new", "8x8:image", "--dot-color", "green", "--set-dot", "1,1", "--duplicate-frame",
                     "--set-dot", "2,2", "--add-frame", "--move-frame", "1", "--undo", "--save-frames",
                     dir.FilePath("p.png")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QImage one(dir.FilePath("p-001.png")), two(dir.FilePath("p-002.png")), three(dir.FilePath("p-003.png"));
    ASSERT_FALSE(three.isNull());
    EXPECT_FALSE(QFile::exists(dir.FilePath("p-004.png")));
    EXPECT_EQ(one.pixel(1, 1), qRgb(0, 255, 0));
    EXPECT_NE(one.pixel(2, 2), qRgb(0, 255, 0));
    EXPECT_EQ(two.pixel(2, 2), qRgb(0, 255, 0));
    EXPECT_NE(three.pixel(1, 1), qRgb(0, 255, 0)); // the blank frame, back in third place

    // Without the undo the blank frame leads.
    r = RunPellmark({"--new", "8x8:image", "--dot-color", "green", "--set-dot", "1,1", "--duplicate-frame",
                     "--set-dot", "2,2", "--add-frame", "--move-frame", "1", "--save-frames", dir.FilePath("m.png")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_NE(QImage(dir.FilePath("m-001.png")).pixel(1, 1), qRgb(0, 255, 0));
    EXPECT_EQ(QImage(dir.FilePath("m-002.png")).pixel(1, 1), qRgb(0, 255, 0));
    EXPECT_NE(QImage(dir.FilePath("m-002.png")).pixel(2, 2), qRgb(0, 255, 0));
    EXPECT_EQ(QImage(dir.FilePath("m-003.png")).pixel(2, 2), qRgb(0, 255, 0));
}

// A blink, a wipe with a frame's own duration, and lamps in the GIF.
TEST(BatchFrames, BlinkWipeDurationAndLampsReachTheGif)
{
    CScratchDir dir;
    SProcessResult r = RunPellmark({"--new", "8x8:image", "--dot-color", "red", "--set-dot", "0,0", "--blink", "300",
                                    "--frame", "2", "--duration", "700", "--gif-dots", "4", "--save-gif",
                                    dir.FilePath("b.gif")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    QImageReader blink(dir.FilePath("b.gif"), "gif");
    EXPECT_EQ(blink.imageCount(), 2);
    const QImage on = blink.read();
    EXPECT_EQ(blink.nextImageDelay(), 300);
    EXPECT_EQ(on.size(), QSize(32, 32)); // four pixels a lamp
    EXPECT_EQ(on.pixel(2, 2), qRgb(255, 0, 0));
    EXPECT_NE(on.pixel(6, 2), qRgb(255, 0, 0));
    blink.read();
    EXPECT_EQ(blink.nextImageDelay(), 700);

    r = RunPellmark({"--new", "16x8:image", "--dot-color", "green", "--set-dot", "15,0", "--wipe", "left:50",
                     "--save-gif", dir.FilePath("w.gif")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    QImageReader wipe(dir.FilePath("w.gif"), "gif");
    EXPECT_EQ(wipe.imageCount(), 16);
    const QImage first = wipe.read();
    EXPECT_EQ(wipe.nextImageDelay(), 20);
    EXPECT_EQ(first.size(), QSize(16, 8));
    EXPECT_EQ(first.pixel(15, 0), qRgb(0, 255, 0)); // uncovered from the right
}

// A frame option that cannot be done stops the run: no option after it
// writes anything.
TEST(BatchFrames, AFailedFrameOptionStopsTheRun)
{
    CScratchDir dir;
    const QString after = dir.FilePath("after.bmp");
    const QString missing = dir.FilePath("none/");
    const struct
    {
        QStringList options;
        const char* error;
    } cases[] = {
        {{"--move-frame", "2"}, "--move-frame: there is no frame 2: the document has 1"},
        {{"--duplicate-frame", "--move-frame", "3"}, "--move-frame: there is no frame 3: the document has 2"},
        {{"--duplicate-frame", "--save-dots", missing + "f%d.txt"}, "--save-dots: the folder of "},
        {{"--save-gif", missing + "s.gif"}, "--save-gif: the folder of "},
        {{"--save-frames", missing + "s.png"}, "--save-frames: the folder of "},
    };
    for (const auto& c : cases) {
        const SProcessResult r
            = RunPellmark(QStringList{"--new", "8x8:image", "--set-dot", "1,1"} + c.options + QStringList{"--save-image", after});
        EXPECT_EQ(r.exitCode, 2) << c.error;
        EXPECT_TRUE(r.err.startsWith(c.error)) << r.err.toStdString();
        EXPECT_EQ(r.err.count('\n'), 1) << r.err.toStdString(); // said once, by the option that failed
        EXPECT_FALSE(QFile::exists(after)) << c.error;
    }
    // With the frame there, the same move goes through.
    const SProcessResult r = RunPellmark({"--new", "8x8:image", "--duplicate-frame", "--move-frame", "2", "--save-image", after});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(QFile::exists(after));
}

// Saving one listing per frame walks every frame, then leaves the frame that
// was current for the options after it.
TEST(BatchFrames, ListingsPerFrameKeepTheCurrentFrame)
{
    CScratchDir dir;
    const SProcessResult r = RunPellmark({"--new", "8x8:image", "--dot-color", "red", "--set-dot", "1,1", "--duplicate-frame",
                                          "--set-dot", "2,2", "--add-frame", "--frame", "2", "--save-dots",
                                          dir.FilePath("f%d.txt"), "--save-dots", dir.FilePath("after.txt")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(ReadAll(dir.FilePath("f1.txt")), QByteArray("1-2-2-R\r\n\r\n"));
    EXPECT_EQ(ReadAll(dir.FilePath("f2.txt")), QByteArray("1-2-2-R, 1-3-3-R\r\n\r\n"));
    EXPECT_EQ(ReadAll(dir.FilePath("f3.txt")), QByteArray());
    EXPECT_TRUE(QFile::exists(dir.FilePath("f3.txt")));
    EXPECT_FALSE(QFile::exists(dir.FilePath("f4.txt")));
    EXPECT_FALSE(QFile::exists(dir.FilePath("f0.txt")));
    EXPECT_EQ(ReadAll(dir.FilePath("after.txt")), ReadAll(dir.FilePath("f2.txt")));
}

// Without --panel a scroll crosses a sign the size of the canvas.
TEST(BatchFrames, AScrollWithoutAPanelCrossesTheCanvas)
{
    CScratchDir dir;
    const SProcessResult r = RunPellmark({"--new", "16x8:image", "--dot-color", "red", "--set-dot", "0,3", "--scroll",
                                          "up:50", "--save-gif", dir.FilePath("s.gif")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    QImageReader gif(dir.FilePath("s.gif"), "gif");
    EXPECT_EQ(gif.imageCount(), 8 + 8);
    const QImage first = gif.read();
    EXPECT_EQ(first.size(), QSize(16, 8));
    EXPECT_EQ(gif.nextImageDelay(), 20);
}
