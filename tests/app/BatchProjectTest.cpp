// Projects through batch mode: a document saved with --save-project and
// opened in a new run gives exactly what the first run would have given.
#include "TestSupport.h"

#include <gtest/gtest.h>

namespace {

// Runs the program and expects it to succeed.
void RunOk(const QStringList& args)
{
    const SProcessResult r = RunPellmark(args);
    ASSERT_EQ(r.exitCode, 0) << args.join(' ').toStdString() << "\n" << r.err.toStdString();
}

// An image-mode canvas with a coloured overlay laid out by the layout
// choices, not yet merged.
const QStringList kImageOverlay = {
    "--new", "96x24:image", "--set-dot", "0,0", "--font", "DejaVu Sans", "--size", "11",
    "--text", "Hi\nyou", "--text-colors", "red,green,blue,blue,yellow", "--align", "center,middle",
    "--spacing", "2", "--line-spacing", "-1", "--overlay-at", "3,1"};

} // namespace

TEST(BatchProject, ATextModeSignComesBackByteForByteInANewRun)
{
    CScratchDir dir;
    const QStringList sign = {"--new", "64x16:text", "--font", "WenQuanYi Zen Hei", "--size", "16",
                              "--text", "你好AB", "--text-colors", "red,green,blue,yellow", "--merge",
                              "--dot-color", "orange", "--set-dot", "2,3"};
    RunOk(sign + QStringList{"--save-dots", dir.FilePath("once.txt"), "--save-image", dir.FilePath("once.bmp"),
                           "--save-project", dir.FilePath("sign.png")});
    RunOk({"--open", dir.FilePath("sign.png"), "--save-dots", dir.FilePath("again.txt"), "--save-image",
         dir.FilePath("again.bmp")});
    EXPECT_FALSE(ReadAll(dir.FilePath("once.txt")).isEmpty());
    EXPECT_EQ(ReadAll(dir.FilePath("once.txt")), ReadAll(dir.FilePath("again.txt")));
    EXPECT_EQ(ReadAll(dir.FilePath("once.bmp")), ReadAll(dir.FilePath("again.bmp")));
}

TEST(BatchProject, AnUnmergedOverlayKeepsItsColoursAndLayoutUntilMerged)
{
    CScratchDir dir;
    RunOk(kImageOverlay + QStringList{"--merge", "--save-dots", dir.FilePath("at-once.txt")});
    RunOk(kImageOverlay + QStringList{"--save-project", dir.FilePath("overlay.png")});
    RunOk({"--open", dir.FilePath("overlay.png"), "--merge", "--save-dots", dir.FilePath("later.txt")});
    const QByteArray atOnce = ReadAll(dir.FilePath("at-once.txt"));
    // The four colours are all there: the overlay's own colours were kept.
    for (const char* letter : {"-R", "-G", "-B", "-Y"})
        EXPECT_TRUE(atOnce.contains(letter)) << letter;
    EXPECT_EQ(atOnce, ReadAll(dir.FilePath("later.txt")));
}

TEST(BatchProject, DotsThatNoLongerComeFromTheTextStaySo)
{
    // A turned text-mode canvas lists none of its text: so does its project.
    CScratchDir dir;
    RunOk({"--new", "32x16:text", "--font", "DejaVu Sans", "--size", "12", "--text", "AB", "--merge", "--rotate",
         "--rotate", "--save-project", dir.FilePath("turned.png")});
    const SProcessResult r = RunPellmark({"--open", dir.FilePath("turned.png"), "--save-dots", dir.FilePath("x.txt")});
    EXPECT_NE(r.exitCode, 0);
    EXPECT_TRUE(r.err.contains("lists only merged text")) << r.err.toStdString();
}

TEST(BatchProject, AScrollingSignKeepsEveryFrameAndWhichOneShows)
{
    CScratchDir dir;
    RunOk({"--new", "8x8:image", "--dot-color", "red", "--set-dot", "0,3", "--panel", "16x8", "--scroll", "left:25",
           "--frame", "5", "--save-dots", dir.FilePath("f%d.txt"), "--save-dots", dir.FilePath("shown.txt"),
           "--save-project", dir.FilePath("scroll.png")});
    RunOk({"--open", dir.FilePath("scroll.png"), "--save-dots", dir.FilePath("g%d.txt"), "--save-dots",
           dir.FilePath("opened.txt")});
    EXPECT_TRUE(ReadAll(dir.FilePath("shown.txt")).contains("-R"));
    EXPECT_EQ(ReadAll(dir.FilePath("opened.txt")), ReadAll(dir.FilePath("shown.txt")));
    for (int k = 1; k <= 24; ++k) {
        const QString name = QStringLiteral("f%1.txt").arg(k);
        ASSERT_TRUE(QFile::exists(dir.FilePath(name))) << k;
        const QByteArray frame = ReadAll(dir.FilePath(name));
        EXPECT_EQ(ReadAll(dir.FilePath(QStringLiteral("g%1.txt").arg(k))), frame) << k;
    }
    EXPECT_FALSE(QFile::exists(dir.FilePath("g25.txt")));
}
