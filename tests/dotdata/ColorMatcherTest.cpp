#include "dotdata/ColorMatcher.h"

#include "base/DotGrid.h"
#include "dotdata/DecodedPicture.h"
#include "dotdata/PictureFiles.h"
#include "dotdata/PictureImport.h"

#include <gtest/gtest.h>

#include <array>
#include <utility>
#include <vector>

using namespace testpic;

namespace {

constexpr COLORREF kBlack = 0;
constexpr COLORREF kDarkBlue = MakeColor(0, 0, 90);
constexpr std::array<int, 3> kAllWays = {ExactColors, NearestColor, DitheredColors};

QRgb Rgb(COLORREF c)
{
    return qRgb(RedOf(c), GreenOf(c), BlueOf(c));
}

// Opens the picture into a fresh image-mode grid the way Open does.
CDotGrid Placed(const QImage& image, int way, COLORREF background = kBlack)
{
    CDotGrid grid;
    grid.SetBackgroundColor(background, false);
    grid.Create(8, 8, ImageMode);
    DecodedPicture picture{image.size(), image};
    EXPECT_TRUE(CPictureImport::Place(picture, grid, way));
    return grid;
}

// Display coordinates, y from the top.
COLORREF At(const CDotGrid& grid, int x, int y)
{
    return grid.DotAt(x, grid.Height() - 1 - y);
}

int Count(const CDotGrid& grid, COLORREF colour)
{
    int n = 0;
    for (int y = 0; y < grid.Height(); ++y)
        for (int x = 0; x < grid.Width(); ++x)
            n += At(grid, x, y) == colour;
    return n;
}

// Every dot is a dot colour or the background.
bool OnlyDotLooks(const CDotGrid& grid)
{
    for (int r = 0; r < grid.Height(); ++r) {
        for (int c = 0; c < grid.Width(); ++c) {
            const COLORREF dot = grid.DotAt(c, r);
            if (dot != grid.BackColor() && PaletteIndexOf(dot) == kUnlitIndex)
                return false;
        }
    }
    return true;
}

const char* WayName(int way)
{
    static const std::array<const char*, 3> names = {"exact", "nearest", "dithered"};
    return names[static_cast<std::size_t>(way)];
}

} // namespace

// Distances worked out by hand with Y = .299 R + .587 G + .114 B, Cb = B - Y,
// Cr = R - Y, d = dY^2 + w (dCb^2 + dCr^2), w = 1 for Nearest and 3 for the
// dither. Pink (188, 143, 143) has Y = 156.455, Cb = -13.455, Cr = 31.545, so
// dCb^2 + dCr^2 = 1176.124 from any grey. A grey g is nearer black than Pink
// while g^2 < (156.455 - g)^2 + 1176.124 w, that is below
// g = (156.455 + 7.517 w) / 2 (81.99 and 89.5), and nearer white from
// g = (411.455 - 11.935 w) / 2 on (199.76 and 187.8).
TEST(ColorMatcher, NearestCandidateOfEachColour)
{
    const struct
    {
        QRgb pixel;
        COLORREF background;
        int nearest;
        int dither;
    } cases[] = {
        // Each dot colour exactly, and as a JPEG leaves it, a few steps off.
        {qRgb(255, 0, 0), kBlack, 0, 0},       {qRgb(250, 5, 3), kBlack, 0, 0},
        {qRgb(0, 255, 0), kBlack, 1, 1},       {qRgb(6, 248, 4), kBlack, 1, 1},
        {qRgb(0, 0, 255), kBlack, 2, 2},       {qRgb(3, 2, 250), kBlack, 2, 2},
        {qRgb(255, 255, 0), kBlack, 3, 3},     {qRgb(250, 252, 6), kBlack, 3, 3},
        {qRgb(188, 143, 143), kBlack, 4, 4},   {qRgb(190, 140, 146), kBlack, 4, 4},
        {qRgb(255, 255, 255), kBlack, 5, 5},   {qRgb(250, 250, 250), kBlack, 5, 5},
        {qRgb(255, 127, 0), kBlack, 6, 6},     {qRgb(252, 130, 5), kBlack, 6, 6},
        // Greys on black at the turning points above.
        {qRgb(0, 0, 0), kBlack, kUnlitIndex, kUnlitIndex},
        {qRgb(64, 64, 64), kBlack, kUnlitIndex, kUnlitIndex},
        {qRgb(81, 81, 81), kBlack, kUnlitIndex, kUnlitIndex},
        // Nearest keeps greys to white and unlit, split at half lightness.
        {qRgb(82, 82, 82), kBlack, kUnlitIndex, kUnlitIndex},
        {qRgb(89, 89, 89), kBlack, kUnlitIndex, kUnlitIndex},
        {qRgb(90, 90, 90), kBlack, kUnlitIndex, 4},
        {qRgb(127, 127, 127), kBlack, kUnlitIndex, 4},
        {qRgb(128, 128, 128), kBlack, 5, 4},
        {qRgb(187, 187, 187), kBlack, 5, 4},
        {qRgb(188, 188, 188), kBlack, 5, 5},
        {qRgb(199, 199, 199), kBlack, 5, 5},
        {qRgb(200, 200, 200), kBlack, 5, 5},
        // Unlit looks like the background, whatever colour that is.
        {qRgb(0, 0, 90), kDarkBlue, kUnlitIndex, kUnlitIndex},
        {qRgb(0, 0, 100), kDarkBlue, kUnlitIndex, kUnlitIndex},
        {qRgb(20, 20, 60), kDarkBlue, kUnlitIndex, kUnlitIndex},
        {qRgb(0, 0, 230), kDarkBlue, 2, 2},
    };
    for (const auto& c : cases) {
        const CColorMatcher matcher(c.background);
        const int r = qRed(c.pixel);
        const int g = qGreen(c.pixel);
        const int b = qBlue(c.pixel);
        EXPECT_EQ(matcher.NearestIndex(r, g, b), c.nearest) << r << "," << g << "," << b << " on " << c.background;
        EXPECT_EQ(matcher.DitherIndex(r, g, b), c.dither) << r << "," << g << "," << b << " on " << c.background;
    }
    const CColorMatcher matcher(kDarkBlue);
    for (std::size_t i = 0; i < DotPalette.size(); ++i)
        EXPECT_EQ(matcher.Look(static_cast<int>(i)), DotPalette[i]);
    EXPECT_EQ(matcher.Look(kUnlitIndex), kDarkBlue);
}

// The distance written out plainly, in doubles, over a sweep of colours on
// two backgrounds: the matcher's choice must be a candidate at least as near
// as any other.
TEST(ColorMatcher, ChoiceIsNearestByThePlainDistance)
{
    const auto distance = [](QRgb p, COLORREF c, double w) {
        const auto ycc = [](double r, double g, double b) {
            const double y = 0.299 * r + 0.587 * g + 0.114 * b;
            return std::array<double, 3>{y, b - y, r - y};
        };
        const auto a = ycc(qRed(p), qGreen(p), qBlue(p));
        const auto b = ycc(RedOf(c), GreenOf(c), BlueOf(c));
        return (a[0] - b[0]) * (a[0] - b[0]) + w * ((a[1] - b[1]) * (a[1] - b[1]) + (a[2] - b[2]) * (a[2] - b[2]));
    };
    for (const COLORREF background : {kBlack, kDarkBlue, MakeColor(200, 200, 190)}) {
        const CColorMatcher matcher(background);
        std::array<COLORREF, 8> looks {};
        for (std::size_t i = 0; i < 7; ++i)
            looks[i] = DotPalette[i];
        looks[7] = background;
        const auto check = [&](int r, int g, int b) {
            const QRgb p = qRgb(r, g, b);
            const int chosen = matcher.DitherIndex(r, g, b);
            ASSERT_GE(chosen, 0);
            ASSERT_LT(chosen, 8);
            const double best = distance(p, looks[static_cast<std::size_t>(chosen)], 3.0);
            for (const COLORREF other : looks)
                ASSERT_LE(best, distance(p, other, 3.0) + 1e-6) << r << "," << g << "," << b;
        };
        for (int r = 0; r < 256; r += 17)
            for (int g = 0; g < 256; g += 15)
                for (int b = 0; b < 256; b += 51)
                    check(r, g, b);
        // Greens and blues that lie almost as near two candidates: a
        // weight of the distance a thousandth off would choose the other.
        const std::array<std::array<int, 3>, 7> nearTies = {{{0, 185, 165}, {5, 175, 205}, {0, 135, 200},
                                                             {0, 165, 70}, {0, 180, 190}, {0, 175, 215}, {0, 175, 220}}};
        for (const auto& t : nearTies)
            check(t[0], t[1], t[2]);
    }
}

TEST(ColorMatcher, OffPalettePixelIsLitOnlyByNearestAndDithered)
{
    const QImage pixel = MakeImage(1, 1, [](int, int) { return qRgb(250, 5, 3); });
    EXPECT_EQ(At(Placed(pixel, ExactColors), 0, 0), kBlack);
    EXPECT_EQ(At(Placed(pixel, NearestColor), 0, 0), DotPalette[0]);
    EXPECT_EQ(At(Placed(pixel, DitheredColors), 0, 0), DotPalette[0]);
    // A value outside the three ways opens as Exact.
    EXPECT_EQ(At(Placed(pixel, 3), 0, 0), kBlack);
    EXPECT_EQ(At(Placed(pixel, -1), 0, 0), kBlack);
    EXPECT_EQ(ValidColorMatching(-1), ExactColors);
    EXPECT_EQ(ValidColorMatching(2), DitheredColors);
    EXPECT_EQ(ValidColorMatching(3), ExactColors);
}

// Palette pixels checkered with mid grey, whose error would reach them, and a
// column of the background colour: all stay exactly as they were.
TEST(ColorMatcher, PaletteAndBackgroundPixelsStayExactInEveryWay)
{
    for (const int way : kAllWays) {
        for (std::size_t i = 0; i < DotPalette.size(); ++i) {
            const COLORREF colour = DotPalette[i];
            const QImage image = MakeImage(16, 8, [&](int x, int y) {
                if (x == 15)
                    return Rgb(kDarkBlue);
                return (x + y) % 2 == 0 ? Rgb(colour) : qRgb(128, 128, 128);
            });
            const CDotGrid grid = Placed(image, way, kDarkBlue);
            for (int y = 0; y < 8; ++y) {
                for (int x = 0; x < 16; ++x) {
                    if (x == 15) {
                        ASSERT_EQ(At(grid, x, y), kDarkBlue) << WayName(way) << " " << x << "," << y;
                    } else if ((x + y) % 2 == 0) {
                        ASSERT_EQ(At(grid, x, y), colour) << WayName(way) << " " << i << " " << x << "," << y;
                    }
                }
            }
            EXPECT_TRUE(OnlyDotLooks(grid)) << WayName(way);
        }
    }
}

TEST(ColorMatcher, DitheredFlatPaletteColourFillsThePicture)
{
    for (std::size_t i = 0; i < DotPalette.size(); ++i) {
        const COLORREF colour = DotPalette[i];
        // 20 x 12 lands on a 24 x 16 grid; the rest stays background.
        const CDotGrid grid = Placed(MakeImage(20, 12, [&](int, int) { return Rgb(colour); }), DitheredColors);
        ASSERT_EQ(grid.Width(), 24);
        ASSERT_EQ(grid.Height(), 16);
        EXPECT_EQ(Count(grid, colour), 20 * 12) << i;
        EXPECT_EQ(Count(grid, kBlack), 24 * 16 - 20 * 12) << i;
    }
}

TEST(ColorMatcher, DitheredGreyAndDarkRedKeepTheirTone)
{
    // A 50 % grey is half white, half unlit (black); a few Pink dots may mix in.
    const CDotGrid grey = Placed(MakeImage(64, 64, [](int, int) { return qRgb(128, 128, 128); }), DitheredColors);
    const int white = Count(grey, DotPalette[5]);
    EXPECT_GE(white, 64 * 64 * 40 / 100);
    EXPECT_LE(white, 64 * 64 * 60 / 100);
    EXPECT_TRUE(OnlyDotLooks(grey));
    // Dark and light greys keep their tone: the mean lightness of the dots
    // (unlit counts as 0) is the grey's within 5 %, and nearly all of them
    // are white or unlit.
    for (const int level : {32, 224}) {
        const CDotGrid g = Placed(MakeImage(64, 64, [level](int, int) { return qRgb(level, level, level); }), DitheredColors);
        double lightness = 0;
        for (const COLORREF colour : DotPalette)
            lightness += Count(g, colour) * (0.299 * RedOf(colour) + 0.587 * GreenOf(colour) + 0.114 * BlueOf(colour));
        EXPECT_NEAR(lightness / (64 * 64), level, 255 * 0.05) << level;
        EXPECT_GE(Count(g, DotPalette[5]) + Count(g, kBlack), 64 * 64 * 90 / 100) << level;
    }
    // Half-bright red: about half the dots red, the rest unlit.
    const CDotGrid red = Placed(MakeImage(64, 64, [](int, int) { return qRgb(128, 0, 0); }), DitheredColors);
    const int lit = Count(red, DotPalette[0]);
    EXPECT_GE(lit, 64 * 64 * 40 / 100);
    EXPECT_LE(lit, 64 * 64 * 60 / 100);
    EXPECT_GE(Count(red, DotPalette[0]) + Count(red, kBlack), 64 * 64 * 95 / 100);
}

// A ramp from black to white, across and down: the light end lights many more
// white dots than the dark end, whichever way the rows run.
TEST(ColorMatcher, DitheredRampFollowsTheGradientOnBothAxes)
{
    const QImage across = MakeImage(128, 16, [](int x, int) { return qRgb(2 * x, 2 * x, 2 * x); });
    const QImage down = across.transformed(QTransform().rotate(90));
    ASSERT_EQ(down.size(), QSize(16, 128));
    const CDotGrid wide = Placed(across, DitheredColors);
    const CDotGrid tall = Placed(down, DitheredColors);
    int dark = 0;
    int light = 0;
    int darkTall = 0;
    int lightTall = 0;
    for (int a = 0; a < 16; ++a) {
        for (int b = 0; b < 32; ++b) {
            dark += At(wide, b, a) == DotPalette[5];
            light += At(wide, 127 - b, a) == DotPalette[5];
            // Rotated a quarter turn clockwise: the dark end is at the top.
            darkTall += At(tall, a, b) == DotPalette[5];
            lightTall += At(tall, a, 127 - b) == DotPalette[5];
        }
    }
    // The darkest quarter averages 31 of 255, the lightest 223: about 12 %
    // and 87 % white.
    EXPECT_LT(dark, 16 * 32 * 25 / 100);
    EXPECT_GT(light, 16 * 32 * 75 / 100);
    EXPECT_LT(darkTall, 16 * 32 * 25 / 100);
    EXPECT_GT(lightTall, 16 * 32 * 75 / 100);
    EXPECT_TRUE(OnlyDotLooks(wide));
    EXPECT_TRUE(OnlyDotLooks(tall));
}

// A one-dot-wide column passes 5/16 of each error straight down. A first grey
// of 8 goes unlit (error +8) or of 247 goes white (error -8), so the dot below
// owes +-40/16, exactly two and a half steps; halves round up. The second grey
// then lands either side of the unlit/Pink turning point at 89.5 above.
TEST(ColorMatcher, DitheredErrorOfHalfAStepRoundsUp)
{
    const struct
    {
        int first;
        int second;
        int expected;
    } cases[] = {
        {8, 87, 4},           // 87 + 2.5 -> 90
        {8, 86, kUnlitIndex}, // 86 + 2.5 -> 89
        {247, 92, 4},         // 92 - 2.5 -> 90
        {247, 91, kUnlitIndex}, // 91 - 2.5 -> 89
    };
    for (const auto& c : cases) {
        const QImage column = MakeImage(1, 2, [&](int, int y) {
            const int level = y == 0 ? c.first : c.second;
            return qRgb(level, level, level);
        });
        const CDotGrid grid = Placed(column, DitheredColors);
        EXPECT_EQ(At(grid, 0, 0), c.first < 128 ? kBlack : DotPalette[5]) << c.first;
        const COLORREF below = c.expected == kUnlitIndex ? kBlack : DotPalette[static_cast<std::size_t>(c.expected)];
        EXPECT_EQ(At(grid, 0, 1), below) << c.first << " then " << c.second;
    }
}

// Only the covered part of the grid is written, on both axes; thin pictures
// keep the error spread inside its bounds.
TEST(ColorMatcher, MatchingWritesOnlyTheCoveredDots)
{
    const QRgb offRed = qRgb(250, 5, 3);
    for (const int way : {NearestColor, DitheredColors}) {
        for (const QSize size : {QSize(10, 13), QSize(1, 1), QSize(1, 9), QSize(9, 1), QSize(8, 8), QSize(9, 9)}) {
            const CDotGrid grid = Placed(MakeImage(size.width(), size.height(), [&](int, int) { return offRed; }), way);
            EXPECT_EQ(grid.Width(), RoundToBlocks(size.width(), kMaxCanvasWidth));
            EXPECT_EQ(grid.Height(), RoundToBlocks(size.height(), kMaxCanvasHeight));
            for (int y = 0; y < grid.Height(); ++y) {
                for (int x = 0; x < grid.Width(); ++x) {
                    const bool covered = x < size.width() && y < size.height();
                    // Dithering pays the off-red back with the odd Pink dot.
                    const COLORREF dot = At(grid, x, y);
                    const bool ok = !covered ? dot == kBlack
                                             : (way == NearestColor ? dot == DotPalette[0] : dot != kBlack);
                    ASSERT_TRUE(ok) << WayName(way) << " " << size.width() << "x" << size.height() << " " << x << ","
                                    << y << " " << dot;
                }
            }
        }
        // A picture larger than the grid is cut at its right and bottom edges.
        CDotGrid small;
        small.Create(8, 16, ImageMode);
        const QImage big = MakeImage(20, 20, [](int x, int y) { return x < 8 && y < 16 ? qRgb(255, 0, 0) : qRgb(0, 255, 0); });
        const CColorMatcher matcher(kBlack);
        if (way == NearestColor)
            matcher.MatchNearest(big, small);
        else
            matcher.MatchDithered(big, small);
        EXPECT_EQ(Count(small, DotPalette[0]), 8 * 16) << WayName(way);
        // A null picture changes no dot; an empty grid takes none.
        CDotGrid empty;
        if (way == NearestColor) {
            matcher.MatchNearest(QImage(), small);
            matcher.MatchNearest(big, empty);
        } else {
            matcher.MatchDithered(QImage(), small);
            matcher.MatchDithered(big, empty);
        }
        EXPECT_EQ(Count(small, DotPalette[0]), 8 * 16) << WayName(way);
        EXPECT_TRUE(empty.IsEmpty());
    }
}

TEST(ColorMatcher, NearestKeepsTheHueFamilyOfMutedColours)
{
    // Muted patches as a photo has them: each keeps its hue (none turns Pink);
    // greys go to white or unlit by lightness alone.
    const struct
    {
        QRgb pixel;
        int index;
    } patches[] = {
        {qRgb(70, 120, 70), 1},  {qRgb(50, 110, 60), 1},   // muted greens (a circuit board)
        {qRgb(150, 70, 70), 0},  {qRgb(120, 40, 45), 0},   // muted reds
        {qRgb(60, 80, 150), 2},  {qRgb(70, 90, 130), 2},   // muted blues
        {qRgb(160, 150, 70), 3}, {qRgb(140, 130, 60), 3},  // muted yellows
        {qRgb(170, 110, 60), 6}, {qRgb(150, 100, 50), 6},  // muted oranges
        {qRgb(20, 20, 20), kUnlitIndex}, {qRgb(100, 104, 98), kUnlitIndex},
        {qRgb(150, 150, 150), 5}, {qRgb(230, 226, 232), 5},
        {qRgb(188, 143, 143), 4},                          // Pink itself stays Pink
        // Too grey for a family, Pink nearest by distance: a candidate only
        // for reddish hues, from 270 degrees on. 240 + 60 * 15 / 31 = 269.03
        // is not yet reddish (white instead); 240 + 60 * 16 / 31 = 270.97 is.
        {qRgb(150, 135, 166), 5}, {qRgb(151, 135, 166), 4},
    };
    for (const auto& k : patches) {
        const QImage patch = MakeImage(8, 8, [&k](int, int) { return k.pixel; });
        const CDotGrid grid = Placed(patch, NearestColor);
        const COLORREF expected = k.index == kUnlitIndex ? kBlack : DotPalette[static_cast<std::size_t>(k.index)];
        for (const auto& [x, y] : {std::pair{0, 0}, std::pair{7, 7}, std::pair{3, 5}})
            EXPECT_EQ(At(grid, x, y), expected) << qRed(k.pixel) << "," << qGreen(k.pixel) << "," << qBlue(k.pixel);
    }
}

TEST(ColorMatcher, HueFamiliesMeetAtTheirBorders)
{
    // Hue angles worked by hand, each pair on either side of a border:
    // 60 * 63 / 255 = 14.8 and 60 * 64 / 255 = 15.1; 191 and 192 give 44.9
    // and 45.2; 120 - 60 * 128 / 255 = 89.9 and 127 gives 90.1; 120 + 60 *
    // 254 / 255 = 179.8 against 180; 240 + 60 * 127 / 255 = 269.9 against
    // 270.1; 360 - 60 * 128 / 255 = 329.9 against 330.1 for 127.
    const struct
    {
        int r, g, b;
        int family;
    } cases[] = {
        {255, 63, 0, 0},   {255, 64, 0, 6},   {255, 191, 0, 6}, {255, 192, 0, 3},
        {128, 255, 0, 3},  {127, 255, 0, 1},  {0, 255, 254, 1}, {0, 255, 255, 2},
        {127, 0, 255, 2},  {128, 0, 255, 4},  {255, 0, 128, 4}, {255, 0, 127, 0},
        // Exactly on each border (hues 15, 45, 90, 180, 270 and 330): the upper side's.
        {200, 50, 0, 6},   {200, 150, 0, 3},  {100, 200, 0, 1}, {0, 200, 200, 2},
        {100, 0, 200, 4},  {200, 0, 100, 0},
        // Too grey, too pale or too dull for a hue of its own.
        {100, 131, 100, -1}, {200, 255, 200, -1}, {40, 70, 40, -1},
    };
    for (const auto& k : cases)
        EXPECT_EQ(CColorMatcher::HueFamily(k.r, k.g, k.b), k.family) << k.r << "," << k.g << "," << k.b;
}

// Chroma and saturation on either side of their limits, and the hue where
// Pink stops being a candidate for a colour too dull for a family (30
// degrees; 270 belongs to the reds). Distances as above: for all five Pink
// is the nearest of all eight, white the nearest of the rest.
TEST(ColorMatcher, GreyAndClearColourLimitsOnBothSides)
{
    const struct
    {
        int r, g, b;
        int family;
    } families[] = {
        {74, 106, 74, 1}, {75, 106, 75, -1}, // chroma 32 and 31, saturation over 30 %
        {77, 110, 77, 1}, {78, 110, 78, -1}, // chroma 33 is 30 % of 110; 32 is less
    };
    for (const auto& k : families)
        EXPECT_EQ(CColorMatcher::HueFamily(k.r, k.g, k.b), k.family) << k.r << "," << k.g << "," << k.b;

    const CColorMatcher matcher(kBlack);
    const struct
    {
        int r, g, b;
        int nearest;
    } pixels[] = {
        {159, 135, 135, 5}, // chroma 24: a grey, white or unlit only
        {160, 135, 135, 4}, // chroma 25: reddish, Pink allowed
        {190, 174, 159, 4}, // hue 60 * 15 / 31 = 29.03
        {190, 175, 160, 5}, // hue exactly 30: no longer reddish
        {151, 136, 166, 4}, // hue exactly 270: reddish again
    };
    for (const auto& p : pixels)
        EXPECT_EQ(matcher.NearestIndex(p.r, p.g, p.b), p.nearest) << p.r << "," << p.g << "," << p.b;
}

// A background that is itself a dot colour ties with it: the dot colour,
// the lower index, wins in every way of matching.
TEST(ColorMatcher, TiesGoToTheDotColour)
{
    for (std::size_t i = 0; i < DotPalette.size(); ++i) {
        const COLORREF colour = DotPalette[i];
        const CColorMatcher matcher(colour);
        const int r = RedOf(colour), g = GreenOf(colour), b = BlueOf(colour);
        EXPECT_EQ(matcher.NearestIndex(r, g, b), static_cast<int>(i));
        EXPECT_EQ(matcher.DitherIndex(r, g, b), static_cast<int>(i));
    }
}

// Nearest remembers the last pixel's answer along a row: the very first
// pixel, black here, must still be matched (to the dark blue background).
TEST(ColorMatcher, NearestMatchesTheFirstPixelToo)
{
    for (const QRgb first : {qRgb(0, 0, 0), qRgb(255, 255, 255)}) {
        const QImage image = MakeImage(3, 2, [first](int x, int y) { return x == 0 && y == 0 ? first : qRgb(250, 5, 3); });
        const CDotGrid grid = Placed(image, NearestColor, kDarkBlue);
        EXPECT_EQ(At(grid, 0, 0), first == qRgb(0, 0, 0) ? kDarkBlue : DotPalette[5]);
        EXPECT_EQ(At(grid, 1, 0), DotPalette[0]);
        EXPECT_EQ(At(grid, 0, 1), DotPalette[0]);
    }
}

// Each share of the error reaches the one dot it belongs to, in small
// pictures where the second grey lands either side of the unlit / Pink turn
// at 89.5 (see above). Red dots are exact: they pass nothing on and drop
// what they are owed. A grey of 11 goes unlit with an error of +11, 250 goes
// white with -5; shares are in sixteenths, rounded to the nearest step,
// halves up.
TEST(ColorMatcher, DitheredErrorSharesReachTheirOwnNeighbours)
{
    const QRgb R = qRgb(255, 0, 0);
    const auto G = [](int level) { return qRgb(level, level, level); };
    const struct
    {
        const char* what;
        std::vector<std::vector<QRgb>> rows;
        int x, y;      // the dot that decides
        bool pink;     // Pink, else unlit
    } cases[] = {
        // Straight down, 5/16: 55/16 = 3.44 gives 3; -25/16 = -1.56 gives -2.
        {"down +3, 86", {{G(11)}, {G(86)}}, 0, 1, false},
        {"down +3, 87", {{G(11)}, {G(87)}}, 0, 1, true},
        {"down -2, 91", {{G(250)}, {G(91)}}, 0, 1, false},
        {"down -2, 92", {{G(250)}, {G(92)}}, 0, 1, true},
        // Ahead along the row, 7/16: 77/16 = 4.81 gives 5.
        {"ahead +5, 84", {{G(11), G(84)}}, 1, 0, false},
        {"ahead +5, 85", {{G(11), G(85)}}, 1, 0, true},
        // Down and behind, 3/16: 33/16 = 2.06 gives 2.
        {"behind +2, 87", {{R, G(11)}, {G(87), R}}, 0, 1, false},
        {"behind +2, 88", {{R, G(11)}, {G(88), R}}, 0, 1, true},
        // Down and ahead, 1/16: 11/16 = 0.69 gives 1; the second row runs
        // right to left, so this dot comes first in it.
        {"down ahead +1, 88", {{G(11), R}, {R, G(88)}}, 1, 1, false},
        {"down ahead +1, 89", {{G(11), R}, {R, G(89)}}, 1, 1, true},
        // Nothing reaches the third row through a row of red dots.
        {"third row, 85", {{G(11), R}, {R, R}, {R, G(85)}}, 1, 2, false},
    };
    for (const auto& c : cases) {
        const int height = static_cast<int>(c.rows.size());
        const int width = static_cast<int>(c.rows[0].size());
        const QImage image = MakeImage(width, height, [&c](int x, int y) {
            return c.rows[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)];
        });
        const CDotGrid grid = Placed(image, DitheredColors);
        EXPECT_EQ(At(grid, c.x, c.y), c.pink ? DotPalette[4] : kBlack) << c.what;
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                if (c.rows[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)] == R) {
                    EXPECT_EQ(At(grid, x, y), DotPalette[0]) << c.what;
                }
            }
        }
    }
}

// Rows run left to right, then right to left, in turn: the grey of 11 met
// first passes 7/16 of its error (+5) to the grey of 85 beside it, which
// turns Pink; met the other way round, the 85 would go unlit first. Red rows
// above pass nothing down.
TEST(ColorMatcher, DitheredRowsRunEachWayInTurn)
{
    const QRgb R = qRgb(255, 0, 0);
    const QRgb dark = qRgb(11, 11, 11);
    const QRgb mid = qRgb(85, 85, 85);
    for (int row = 0; row < 4; ++row) {
        const bool leftToRight = row % 2 == 0;
        const QImage image = MakeImage(2, row + 1, [&](int x, int y) {
            if (y < row)
                return R;
            return (x == 0) == leftToRight ? dark : mid;
        });
        const CDotGrid grid = Placed(image, DitheredColors);
        const int midX = leftToRight ? 1 : 0;
        EXPECT_EQ(At(grid, midX, row), DotPalette[4]) << "row " << row;
        EXPECT_EQ(At(grid, 1 - midX, row), kBlack) << "row " << row;
    }
}

// A clear hue is its family's colour or unlit by d = 8 dY^2 + dCb^2 + dCr^2.
// Each pair below lies either side of that: the lightness weight at which
// family colour and black tie is 7.9 for the first of each pair (a weight
// of 8 lights it) and 8.7 to 8.9 for the second (8 leaves it unlit).
TEST(ColorMatcher, ClearHuesWeighLightnessEightTimes)
{
    const struct
    {
        int r, g, b;
        int nearest;
    } pixels[] = {
        {82, 54, 45, 0},  {80, 51, 45, kUnlitIndex},   // tie weights 7.88 and 8.84
        {0, 126, 70, 1},  {0, 123, 120, kUnlitIndex},  // 7.86 and 8.87
        {0, 30, 125, 2},  {0, 18, 125, kUnlitIndex},   // 7.89 and 8.66
    };
    const CColorMatcher matcher(kBlack);
    for (const auto& p : pixels)
        EXPECT_EQ(matcher.NearestIndex(p.r, p.g, p.b), p.nearest) << p.r << "," << p.g << "," << p.b;
}

// What a dot wants is clamped to 0..255 on each channel, and at the ends the
// choice is a near thing (by the dithering distance, w = 3): (255, 0, 183)
// is red, but pink with 254 red; (0, 30, 144) is blue, but unlit with 1.
// Below a grey of 11 (owing +3) red 255 stays 255: (255, 6, 180) is Pink,
// where 256 would be red; below a grey of 250 (owing -2) red 0 stays 0:
// (0, 3, 129) is unlit, where -1 would be blue.
TEST(ColorMatcher, DitheredWantsStayInsideTheChannelRange)
{
    const auto G = [](int level) { return qRgb(level, level, level); };
    const struct
    {
        std::vector<QRgb> column;
        COLORREF expected; // of the last dot
    } cases[] = {
        {{qRgb(255, 0, 183)}, DotPalette[0]},
        {{qRgb(0, 30, 144)}, DotPalette[2]},
        {{G(11), qRgb(255, 3, 177)}, DotPalette[4]},
        {{G(250), qRgb(0, 5, 131)}, kBlack},
    };
    for (const auto& c : cases) {
        const int height = static_cast<int>(c.column.size());
        const QImage image = MakeImage(1, height, [&c](int, int y) { return c.column[static_cast<std::size_t>(y)]; });
        const CDotGrid grid = Placed(image, DitheredColors);
        EXPECT_EQ(At(grid, 0, height - 1), c.expected) << qRed(c.column.back()) << "," << qGreen(c.column.back()) << ","
                                                       << qBlue(c.column.back());
    }
}
