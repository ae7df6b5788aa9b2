// Messages laid out on a fixed panel in batch mode: colours per character,
// alignment, fit to height, and the warning when the text runs past it.
#include "SevenColours.h"
#include "TestSupport.h"

#include <QFile>
#include <QImage>

#include <gtest/gtest.h>

#include <map>

namespace {

struct SSign
{
    SProcessResult run;
    QImage image;
};

// Runs the options on a fresh image-mode panel and reads the picture saved.
SSign Sign(const CScratchDir& dir, const QString& size, const QStringList& options)
{
    const QString path = dir.FilePath(QStringLiteral("sign.bmp"));
    QStringList args{"--new", size + QStringLiteral(":image")};
    args << options << "--save-image" << path;
    SSign sign{RunPellmark(args), QImage()};
    sign.image = QImage(path).convertToFormat(QImage::Format_RGB32);
    return sign;
}

// The lit dots of each colour: their bounding box, found pixel by pixel.
std::map<QRgb, QRect> InkByColour(const QImage& image)
{
    std::map<QRgb, QRect> ink;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y) & 0x00FFFFFFu;
            if (p != 0)
                ink[p] |= QRect(x, y, 1, 1);
        }
    }
    return ink;
}

QRect AllInk(const QImage& image)
{
    QRect all;
    for (const auto& [colour, box] : InkByColour(image))
        all |= box;
    return all;
}

constexpr QRgb kRed = 0xFF0000u;
constexpr QRgb kGreen = 0x00FF00u;

} // namespace

// A two-colour greeting centred on a 128 x 16 panel: only red and green,
// red all left of green, margins equal within a dot, English under 60 dots.
TEST(SignLayoutBatch, TwoColourGreetingCentredOnTheWholePanel)
{
    CScratchDir dir;
    const SSign sign = Sign(dir, "128x16",
                            {"--font", "WenQuanYi Zen Hei", "--size", "16", "--text", QString::fromUtf8("欢迎光临 Welcome"),
                             "--text-colors", "red,red,red,red,green", "--align", "center,middle", "--merge"});
    ASSERT_EQ(sign.run.exitCode, 0) << sign.run.err.toStdString();
    EXPECT_TRUE(sign.run.err.isEmpty());
    ASSERT_EQ(sign.image.size(), QSize(128, 16));
    const std::map<QRgb, QRect> ink = InkByColour(sign.image);
    ASSERT_EQ(ink.size(), 2u);
    const QRect red = ink.at(kRed);
    const QRect green = ink.at(kGreen);
    EXPECT_LT(red.right(), green.left());
    EXPECT_LT(green.width(), 60);
    const QRect all = red | green;
    EXPECT_LE(std::abs(all.left() - (127 - all.right())), 1);
    EXPECT_LE(std::abs(all.top() - (15 - all.bottom())), 1);
}

// Every colour in image mode, one character each, left to right in order.
TEST(SignLayoutBatch, EveryColourGoesToItsCharacter)
{
    CScratchDir dir;
    QStringList names;
    for (const SDotColour& colour : kSevenColours)
        names << QString::fromLatin1(colour.option);
    const SSign sign = Sign(dir, "128x16",
                            {"--font", "DejaVu Sans", "--size", "16", "--text", "HHHHHHH", "--text-colors",
                             names.join(','), "--align", "center", "--merge"});
    ASSERT_EQ(sign.run.exitCode, 0) << sign.run.err.toStdString();
    const std::map<QRgb, QRect> ink = InkByColour(sign.image);
    EXPECT_EQ(ink.size(), kSevenColours.size());
    int lastRight = -1;
    for (const SDotColour& colour : kSevenColours) {
        const auto it = ink.find(qRgb(colour.red, colour.green, colour.blue) & 0x00FFFFFFu);
        ASSERT_NE(it, ink.end()) << colour.name;
        EXPECT_GT(it->second.left(), lastRight) << colour.name;
        lastRight = it->second.right();
    }
}

// Text exactly as wide as the panel merges without a word; one dot further
// it still merges, with one warning line.
TEST(SignLayoutBatch, OneDotTooWideWarnsOnceAndStillMerges)
{
    CScratchDir dir;
    const QStringList text{"--font", "DejaVu Sans", "--size", "16", "--text", "Welcome", "--align", "left,middle"};
    const SSign wide = Sign(dir, "256x16", QStringList(text) << "--merge");
    const int inkWidth = AllInk(wide.image).width();
    ASSERT_GT(inkWidth, 40);
    ASSERT_LT(inkWidth, 64);

    const QString fits = QStringLiteral("%1,0").arg(64 - inkWidth);
    const SSign exact = Sign(dir, "64x16", QStringList(text) << "--overlay-at" << fits << "--merge");
    EXPECT_EQ(exact.run.exitCode, 0);
    EXPECT_TRUE(exact.run.err.isEmpty()) << exact.run.err.toStdString();
    EXPECT_EQ(AllInk(exact.image).right(), 63);

    const QString over = QStringLiteral("%1,0").arg(65 - inkWidth);
    const SSign wider = Sign(dir, "64x16", QStringList(text) << "--overlay-at" << over << "--merge");
    EXPECT_EQ(wider.run.exitCode, 0);
    EXPECT_EQ(wider.run.err, "--merge: warning: The text is 1 dot wider than the canvas. The part outside is cut off.\n");
    EXPECT_EQ(AllInk(wider.image).width(), inkWidth - 1);
}

// Fit to height fills 16 and 32 rows from the top, whatever size was asked.
TEST(SignLayoutBatch, FitHeightFillsTheRows)
{
    CScratchDir dir;
    for (const int rows : {16, 32}) {
        const SSign sign = Sign(dir, QStringLiteral("128x%1").arg(rows),
                                {"--font", "WenQuanYi Zen Hei", "--size", "8", "--text", QString::fromUtf8("欢迎 OK"),
                                 "--fit-height", "--align", "center", "--merge"});
        ASSERT_EQ(sign.run.exitCode, 0) << sign.run.err.toStdString();
        EXPECT_TRUE(sign.run.err.isEmpty()) << sign.run.err.toStdString();
        const QRect ink = AllInk(sign.image);
        EXPECT_EQ(ink.top(), 0) << rows;
        EXPECT_GE(ink.height(), rows - 1) << rows;
    }
}

namespace {

// Where the runs of lit columns (or rows) of a picture start, left to right
// (top to bottom).
QList<int> RunStarts(const QImage& picture, bool columns)
{
    const int length = columns ? picture.width() : picture.height();
    const int across = columns ? picture.height() : picture.width();
    QList<int> starts;
    bool before = false;
    for (int i = 0; i < length; ++i) {
        bool lit = false;
        for (int j = 0; j < across && !lit; ++j)
            lit = (picture.pixel(columns ? i : j, columns ? j : i) & 0xFFFFFFu) != 0;
        if (lit && !before)
            starts << i;
        before = lit;
    }
    return starts;
}

QImage MergedText(const CScratchDir& dir, const QStringList& layout)
{
    const QString out = dir.FilePath(QStringLiteral("text.bmp"));
    QFile::remove(out);
    const SProcessResult r = RunPellmark(QStringList{"--new", "64x32:image", "--font", "DejaVu Sans", "--size", "10",
                                                     "--text", "I I\nI"}
                                         + layout + QStringList{"--merge", "--save-image", out});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    return QImage(out);
}

} // namespace

// The spacings stay for the merge: extra dots between characters move the
// later ones right, extra dots between lines move the second line down.
TEST(SignLayoutBatch, SpacingsMoveTheLaterCharactersAndLines)
{
    CScratchDir dir;
    const QImage plain = MergedText(dir, {});
    const QList<int> columns = RunStarts(plain, true);
    const QList<int> rows = RunStarts(plain, false);
    ASSERT_EQ(columns.size(), 2);
    ASSERT_EQ(rows.size(), 2);

    const QImage spaced = MergedText(dir, {"--spacing", "3"});
    // "I I": the space and the second I each come 3 dots later.
    EXPECT_EQ(RunStarts(spaced, true), (QList<int>{columns[0], columns[1] + 6}));
    EXPECT_EQ(RunStarts(spaced, false), rows);

    const QImage lined = MergedText(dir, {"--line-spacing", "2"});
    EXPECT_EQ(RunStarts(lined, true), columns);
    EXPECT_EQ(RunStarts(lined, false), (QList<int>{rows[0], rows[1] + 2}));
}
