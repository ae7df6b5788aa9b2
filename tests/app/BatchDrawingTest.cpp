// The drawing, fill, resize and crop options, checked on the picture the
// run saves (one pixel per dot).
#include "TestSupport.h"

#include <QImage>

#include <gtest/gtest.h>

#include <cmath>

namespace {

const QRgb kBlack = qRgb(0, 0, 0);
const QRgb kRed = qRgb(255, 0, 0);
const QRgb kGreen = qRgb(0, 255, 0);

// Runs the options and reads back the canvas as a picture.
QImage RunToImage(const CScratchDir& dir, QStringList args)
{
    const QString path = dir.FilePath(QStringLiteral("canvas.bmp"));
    QFile::remove(path);
    args << "--save-image" << path;
    const SProcessResult r = RunPellmark(args);
    EXPECT_EQ(r.exitCode, 0) << args.join(' ').toStdString() << "\n" << r.err.toStdString();
    return QImage(path).convertToFormat(QImage::Format_RGB32);
}

int CountOf(const QImage& image, QRgb colour)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += image.pixel(x, y) == colour;
    return count;
}

const QStringList kRect{"--new", "32x16:image", "--dot-color", "red", "--rect", "2,2,10,8"};

} // namespace

TEST(BatchDrawing, ALineLightsOneDotPerColumnOnTheIdealLine)
{
    CScratchDir dir;
    const QImage image = RunToImage(dir, {"--new", "32x16:image", "--dot-color", "red", "--line", "0,0,31,15"});
    ASSERT_EQ(image.size(), QSize(32, 16));
    EXPECT_EQ(CountOf(image, kRed), 32);
    for (int x = 0; x < 32; ++x) {
        int lit = 0;
        for (int y = 0; y < 16; ++y) {
            if (image.pixel(x, y) == kRed) {
                ++lit;
                EXPECT_LT(std::abs(y - x * 15.0 / 31.0), 0.5) << x << "," << y;
            }
        }
        EXPECT_EQ(lit, 1) << "column " << x;
    }
}

TEST(BatchDrawing, ARectangleItsFillAndOneUndoForTheWholeFill)
{
    CScratchDir dir;
    const QImage rect = RunToImage(dir, kRect);
    EXPECT_EQ(CountOf(rect, kRed), 28);
    EXPECT_EQ(rect.pixel(2, 2), kRed);
    EXPECT_EQ(rect.pixel(10, 8), kRed);

    const QImage filled = RunToImage(dir, QStringList(kRect) << "--dot-color" << "green" << "--fill" << "5,5");
    EXPECT_EQ(CountOf(filled, kGreen), 35);
    EXPECT_EQ(CountOf(filled, kRed), 28);
    EXPECT_EQ(CountOf(filled, kBlack), 32 * 16 - 28 - 35) << "nothing outside the rectangle changes";
    for (int y = 3; y <= 7; ++y)
        for (int x = 3; x <= 9; ++x)
            EXPECT_EQ(filled.pixel(x, y), kGreen) << x << "," << y;

    const QImage undone
        = RunToImage(dir, QStringList(kRect) << "--dot-color" << "green" << "--fill" << "5,5" << "--undo");
    EXPECT_EQ(undone, rect);
}

TEST(BatchDrawing, ClearingFormsTakeTheDotsBack)
{
    CScratchDir dir;
    EXPECT_EQ(CountOf(RunToImage(dir, QStringList(kRect) << "--clear-rect" << "10,8,2,2"), kRed), 0);
    EXPECT_EQ(CountOf(RunToImage(dir, QStringList(kRect) << "--clear-fill" << "2,2"), kRed), 0);
    EXPECT_EQ(CountOf(RunToImage(dir, QStringList(kRect) << "--clear-line" << "2,2,10,2"), kRed), 28 - 9);
    const QImage ellipse = RunToImage(dir, {"--new", "16x16:image", "--ellipse", "0,0,6,6:fill"});
    EXPECT_EQ(CountOf(ellipse, qRgb(255, 255, 255)), 3 + 5 + 7 + 7 + 7 + 5 + 3);
    EXPECT_EQ(CountOf(RunToImage(dir, {"--new", "16x16:image", "--ellipse", "0,0,6,6:fill", "--clear-ellipse",
                                       "0,0,6,6"}),
                      qRgb(255, 255, 255)),
              3 + 5 + 5 + 5 + 3) << "the outline goes, the inside stays";
}

TEST(BatchDrawing, ResizeKeepsTheDotsAtTheAnchorAndCropKeepsAnArea)
{
    CScratchDir dir;
    const QStringList corner{"--new", "16x8:image", "--dot-color", "red", "--set-dot", "0,0", "--set-dot", "15,7"};
    const QImage grown = RunToImage(dir, QStringList(corner) << "--resize" << "30x20:bottom-right");
    ASSERT_EQ(grown.size(), QSize(32, 24));
    EXPECT_EQ(grown.pixel(16, 16), kRed);
    EXPECT_EQ(grown.pixel(31, 23), kRed);
    EXPECT_EQ(CountOf(grown, kRed), 2);
    const QImage centred = RunToImage(dir, QStringList(corner) << "--resize" << "8x8:c");
    ASSERT_EQ(centred.size(), QSize(8, 8));
    EXPECT_EQ(CountOf(centred, kRed), 0);
    const QImage cropped = RunToImage(dir, QStringList(corner) << "--crop" << "12,4,4,4");
    ASSERT_EQ(cropped.size(), QSize(8, 8));
    EXPECT_EQ(cropped.pixel(3, 3), kRed);
    EXPECT_EQ(CountOf(cropped, kRed), 1);
}

TEST(BatchDrawing, BadValuesStopTheRunWithOneLine)
{
    const struct
    {
        QStringList args;
        const char* says;
    } cases[] = {
        {{"--new", "8x8:image", "--fill", "8,0"}, "outside the 8 x 8 canvas"},
        {{"--new", "8x8:image", "--line", "0,0,9000,0"}, "outside -8192..8192"},
        {{"--new", "8x8:image", "--rect", "0,0,1"}, "not of the form"},
        {{"--new", "8x8:image", "--resize", "16x16:middle"}, "none of top-left"},
        {{"--new", "8x8:image", "--crop", "8,8,4,4"}, "outside the 8 x 8 canvas"},
        {{"--new", "8x8:image", "--crop", "0,0,0,4"}, "above 0"},
        {{"--new", "16x16:text", "--text", "A", "--line", "0,0,5,5"}, "merged first"},
    };
    for (const auto& c : cases) {
        const SProcessResult r = RunPellmark(c.args);
        EXPECT_EQ(r.exitCode, 2) << c.args.join(' ').toStdString();
        EXPECT_TRUE(r.err.contains(c.says)) << r.err.toStdString();
        EXPECT_EQ(r.err.count('\n'), 1);
    }
}

// On a canvas wider than high each axis keeps its own limit: the last
// column and row are inside, one past either is outside.
TEST(BatchDrawing, EachAxisHasItsOwnEdge)
{
    CScratchDir dir;
    const struct
    {
        QStringList args;
        const char* error; // nullptr: accepted
    } cases[] = {
        {{"--fill", "15,7"}, nullptr},
        {{"--fill", "0,8"}, "--fill: 0,8 is outside the 16 x 8 canvas\n"},
        {{"--clear-fill", "16,0"}, "--clear-fill: 16,0 is outside the 16 x 8 canvas\n"},
        {{"--fill", "-1,0"}, "--fill: -1,0 is outside the 16 x 8 canvas\n"},
        {{"--set-dot", "-1,0"}, "--set-dot: -1,0 is outside the 16 x 8 canvas\n"},
        {{"--clear-dot", "0,-1"}, "--clear-dot: 0,-1 is outside the 16 x 8 canvas\n"},
        {{"--set-dot", "15,7"}, nullptr},
        {{"--crop", "15,7,4,4"}, nullptr},
        {{"--crop", "0,8,4,4"}, "--crop: 0,8,4,4 lies outside the 16 x 8 canvas\n"},
        {{"--crop", "16,0,4,4"}, "--crop: 16,0,4,4 lies outside the 16 x 8 canvas\n"},
        {{"--crop", "-4,-4,4,4"}, "--crop: -4,-4,4,4 lies outside the 16 x 8 canvas\n"},
    };
    const QString out = dir.FilePath(QStringLiteral("canvas.bmp"));
    for (const auto& c : cases) {
        QFile::remove(out);
        const QStringList args = QStringList{"--new", "16x8:image"} + c.args + QStringList{"--save-image", out};
        const SProcessResult r = RunPellmark(args);
        EXPECT_EQ(r.exitCode, c.error ? 2 : 0) << args.join(' ').toStdString();
        EXPECT_EQ(r.err.toStdString(), c.error ? c.error : "") << args.join(' ').toStdString();
        EXPECT_EQ(QFile::exists(out), !c.error) << args.join(' ').toStdString();
    }
    // The crop that reaches past the corner keeps the one dot in it.
    const QImage corner = RunToImage(dir, {"--new", "16x8:image", "--dot-color", "red", "--set-dot", "15,7", "--crop", "15,7,4,4"});
    ASSERT_EQ(corner.size(), QSize(8, 8));
    EXPECT_EQ(corner.pixel(0, 0), kRed);
    EXPECT_EQ(CountOf(corner, kRed), 1);
}
