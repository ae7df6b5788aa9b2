#include "base/DotPalette.h"
#include "base/QtColor.h"
#include "textinput/GlyphRaster.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

// A coverage map from rows of digits: '0'..'9' are tenths, 'X' is full.
QImage Map(const std::vector<std::string>& rows)
{
    QImage map(static_cast<int>(rows.front().size()), static_cast<int>(rows.size()), QImage::Format_Alpha8);
    for (int y = 0; y < map.height(); ++y) {
        for (int x = 0; x < map.width(); ++x) {
            const char c = rows[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)];
            map.scanLine(y)[x] = c == 'X' ? 255 : static_cast<uchar>((c - '0') * 255 / 10);
        }
    }
    return map;
}

// The lit dots as '#' and the others as '.', row by row.
std::vector<std::string> Lit(const QImage& coverage)
{
    const QImage lit = CGlyphRaster::LitDots(coverage, SGlyphRasterOptions());
    std::vector<std::string> rows;
    for (int y = 0; y < lit.height(); ++y) {
        std::string row;
        for (int x = 0; x < lit.width(); ++x)
            row += lit.constScanLine(y)[x] != 0 ? '#' : '.';
        rows.push_back(row);
    }
    return rows;
}

} // namespace

// Rows are snapped below 24 dots an em and left alone from 24 on.
TEST(GlyphRasterFont, HintingStopsAtTheUnhintedSize)
{
    for (const int em : {23, 24, 25}) {
        const CGlyphRaster raster(FontOf("DejaVu Sans", -em));
        EXPECT_EQ(raster.Font().hintingPreference(), em < 24 ? QFont::PreferVerticalHinting : QFont::PreferNoHinting) << em;
    }
}

TEST(GlyphRasterDots, SolidInkIsLitAndFaintEdgesAreNot)
{
    EXPECT_EQ(Lit(Map({"00000", "02X20", "02X20", "02X20", "00000"})),
              (std::vector<std::string>{".....", "..#..", "..#..", "..#..", "....."}));
    EXPECT_EQ(Lit(Map({"000", "010", "000"})), (std::vector<std::string>{"...", "...", "..."}));
}

// A thin stem split evenly over two columns lights one of them, the same one
// all along, even when the halves differ a little from row to row.
TEST(GlyphRasterDots, ThinStemSplitOverTwoColumnsStaysOneContinuousColumn)
{
    EXPECT_EQ(Lit(Map({"000000", "004400", "004400", "004400", "004400", "000000"})),
              (std::vector<std::string>{"......", "...#..", "...#..", "...#..", "...#..", "......"}));
    EXPECT_EQ(Lit(Map({"000000", "004300", "003400", "004300", "003400", "000000"})),
              (std::vector<std::string>{"......", "...#..", "...#..", "...#..", "...#..", "......"}));
}

TEST(GlyphRasterDots, ThinBarSplitOverTwoRowsStaysOneContinuousRow)
{
    EXPECT_EQ(Lit(Map({"000000", "044440", "044440", "000000"})),
              (std::vector<std::string>{"......", "......", ".####.", "......"}));
}

// The faint side column of a solid stem is no stroke of its own, not even
// where the stem ends.
TEST(GlyphRasterDots, TheSideOfASolidStemStaysDark)
{
    EXPECT_EQ(Lit(Map({"00000", "0X300", "0X300", "0X300", "00000"})),
              (std::vector<std::string>{".....", ".#...", ".#...", ".#...", "....."}));
}

// Two thin stems a dot and a half apart both show.
TEST(GlyphRasterDots, CloseStemsBothShow)
{
    const std::vector<std::string> lit = Lit(Map({"0000000", "0443500", "0443500", "0443500", "0000000"}));
    for (int y = 1; y <= 3; ++y) {
        const std::string& row = lit[static_cast<std::size_t>(y)];
        EXPECT_TRUE(row[1] == '#' || row[2] == '#') << row;
        EXPECT_EQ(row[4], '#') << row;
    }
}

// A patch too dense for its strokes to stay apart fills rather than vanishes.
TEST(GlyphRasterDots, DensePatchFillsInsteadOfVanishing)
{
    EXPECT_EQ(Lit(Map({"00000", "04440", "04440", "04440", "00000"})),
              (std::vector<std::string>{".....", ".###.", ".###.", ".###.", "....."}));
}

// A strike's line (ascent and descent) sits centred in a cell taller than
// it: each two extra rows put one above, the odd one below.
TEST(GlyphRasterDraw, AStrikesLineIsCentredInATallerCell)
{
    const CGlyphRaster raster(FontOf("WenQuanYi Bitmap Song", -16));
    const int line = raster.ExactPitch();
    ASSERT_GE(line, 16);
    const auto firstInkRow = [&raster](int height) {
        QImage surface(16, height, QImage::Format_RGB32);
        raster.DrawCentred(surface, QString::fromUtf8("国"), MakeColor(255, 0, 0), MakeColor(0, 0, 0));
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < 16; ++x)
                if (qRed(surface.pixel(x, y)) != 0)
                    return y;
        return -1;
    };
    const int top = firstInkRow(line);
    ASSERT_GE(top, 0);
    for (const int extra : {1, 2, 5, 6, 7, 10})
        EXPECT_EQ(firstInkRow(line + extra), top + extra / 2) << extra;
}

// Every dot of a drawn glyph is the glyph's colour or the background, in
// each dot colour, on a black and on a coloured background.
TEST(GlyphRasterDraw, OneColourPerDotAndNoGrey)
{
    const CGlyphRaster raster(FontOf("WenQuanYi Zen Hei", 11));
    for (const COLORREF back : {MakeColor(0, 0, 0), MakeColor(0, 0, 128)}) {
        for (std::size_t i = 0; i < DotPalette.size(); ++i) {
            QImage surface(16, 16, QImage::Format_RGB32);
            raster.DrawCentred(surface, QString::fromUtf8("国"), DotPalette[i], back);
            int ink = 0;
            for (int y = 0; y < 16; ++y) {
                for (int x = 0; x < 16; ++x) {
                    const QRgb p = surface.pixel(x, y);
                    const COLORREF c = MakeColor(qRed(p), qGreen(p), qBlue(p));
                    ASSERT_TRUE(c == DotPalette[i] || c == back) << i << " " << x << "," << y;
                    ink += c == DotPalette[i] ? 1 : 0;
                }
            }
            EXPECT_GT(ink, 20) << i;
        }
    }
}

namespace {

// Three equal rows of the given coverage levels (0..255); the middle row's
// lit dots as '#'.
std::string MiddleRowLit(const std::vector<int>& levels, const SGlyphRasterOptions& options = {})
{
    QImage map(static_cast<int>(levels.size()), 3, QImage::Format_Alpha8);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < map.width(); ++x)
            map.scanLine(y)[x] = static_cast<uchar>(levels[static_cast<std::size_t>(x)]);
    const QImage lit = CGlyphRaster::LitDots(map, options);
    std::string row;
    for (int x = 0; x < lit.width(); ++x)
        row += lit.constScanLine(1)[x] == 255 ? '#' : lit.constScanLine(1)[x] == 0 ? '.' : '?';
    return row;
}

} // namespace

// The decisions at their edges, in coverage levels: lit from 133 (52 %), a
// crest from 64 (25 %), two levels within 26 (10 %) the same, so the later
// of two such dots is the crest; ink from 77 (30 %) away from any lit dot
// fills in. Lit dots are 255.
TEST(GlyphRasterDots, EachThresholdAtItsEdge)
{
    SGlyphRasterOptions noFill;
    noFill.fInkCoverage = 1.0f;
    EXPECT_EQ(MiddleRowLit({133, 133, 133, 133, 133}, noFill), "#####");
    EXPECT_EQ(MiddleRowLit({132, 132, 132, 132, 132}, noFill), ".....");
    EXPECT_EQ(MiddleRowLit({0, 0, 64, 0, 0}), "..#..");
    EXPECT_EQ(MiddleRowLit({0, 0, 63, 0, 0}), ".....");
    EXPECT_EQ(MiddleRowLit({0, 120, 94, 0, 0}, noFill), "..#..");
    EXPECT_EQ(MiddleRowLit({0, 120, 93, 0, 0}, noFill), ".#...");
    EXPECT_EQ(MiddleRowLit({0, 0, 94, 120, 0}, noFill), "...#.");
    EXPECT_EQ(MiddleRowLit({0, 0, 93, 120, 0}, noFill), "...#.");
    // A run along a stroke: the last of three nearly equal dots is no crest.
    EXPECT_EQ(MiddleRowLit({100, 100, 100, 0, 0}, noFill), ".....");
    EXPECT_EQ(MiddleRowLit({0, 100, 100, 0, 0}, noFill), "..#..");
    EXPECT_EQ(MiddleRowLit({74, 100, 100, 0, 0}, noFill), "..#..");
    EXPECT_EQ(MiddleRowLit({75, 100, 100, 0, 0}, noFill), ".....");

    SGlyphRasterOptions fillOnly;
    fillOnly.fLitCoverage = 1.0f;
    fillOnly.fRidgeCoverage = 1.0f;
    EXPECT_EQ(MiddleRowLit({0, 77, 77, 0}, fillOnly), ".##.");
    EXPECT_EQ(MiddleRowLit({0, 76, 0, 0}, fillOnly), "....");
    EXPECT_EQ(MiddleRowLit({80, 255, 80, 0, 80}, fillOnly), ".#..#");
}

// Ink beside a lit dot, on any of its four sides, is served by it; ink that
// only touches a lit dot at a corner fills in.
TEST(GlyphRasterDots, InkBesideALitDotOnAnySideStaysDark)
{
    SGlyphRasterOptions fillOnly;
    fillOnly.fLitCoverage = 1.0f;
    fillOnly.fRidgeCoverage = 1.0f;
    QImage map(3, 3, QImage::Format_Alpha8);
    map.fill(80);
    map.scanLine(1)[1] = 255;
    const QImage lit = CGlyphRaster::LitDots(map, fillOnly);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 3; ++x)
            EXPECT_EQ(lit.constScanLine(y)[x], (x == 1) == (y == 1) ? 255 : 0) << x << "," << y;
}

// A glyph with its own dots drawn in a box: its advance centred across, the
// font's line centred down, then moved just inside where it would be cut.
// Unifont's "A" (columns 1 to 6 of 8, rows 4 to 13 of 16, baseline 14 down).
TEST(GlyphRasterDraw, AGridGlyphIsCentredByItsAdvanceAndLine)
{
    const CGlyphRaster raster(FontOf("Unifont", -16));
    EXPECT_EQ(raster.ExactAscent(), 14);
    EXPECT_EQ(raster.ExactPitch(), 16);
    struct SCase
    {
        QSize size;
        QPoint topLeft; // of the ink
    };
    // 20 x 20: across (20 - 8) / 2 + 1 + 2 (the first row's ink is "..##..");
    // down (20 - 16) / 2 + 14 - 10. 20 x 11: the line is cut, the glyph's 10
    // rows fit: moved up to row 1.
    for (const SCase& c : {SCase{QSize(20, 20), QPoint(9, 6)}, SCase{QSize(21, 12), QPoint(9, 2)},
                           SCase{QSize(20, 11), QPoint(9, 1)}, SCase{QSize(7, 16), QPoint(3, 4)}}) {
        for (std::size_t i = 0; i < DotPalette.size(); ++i) {
            QImage surface(c.size, QImage::Format_RGB32);
            const COLORREF back = DotPalette[(i + 1) % DotPalette.size()];
            raster.DrawCentred(surface, QStringLiteral("A"), DotPalette[i], back);
            QPoint first(-1, -1);
            for (int y = 0; y < surface.height() && first.y() < 0; ++y)
                for (int x = 0; x < surface.width() && first.y() < 0; ++x)
                    if (surface.pixel(x, y) == ToQRgb(DotPalette[i]))
                        first = QPoint(x, y);
            EXPECT_EQ(first, c.topLeft) << c.size.width() << "x" << c.size.height() << " " << i;
            EXPECT_EQ(surface.pixel(0, 0), ToQRgb(back)) << i;
            EXPECT_EQ(surface.pixel(c.size.width() - 1, c.size.height() - 1), ToQRgb(back)) << i;
        }
    }
    // A font without its own dots has no line of its own.
    const CGlyphRaster smooth(FontOf("DejaVu Sans", -16));
    EXPECT_EQ(smooth.ExactAscent(), 0);
    EXPECT_EQ(smooth.ExactPitch(), 0);
    SExactGlyph none;
    EXPECT_FALSE(smooth.ExactGlyph(QStringLiteral("A"), none));
    EXPECT_FALSE(raster.ExactGlyph(QString(), none));
    // A bitmap font comes at the size of the strike it draws with.
    EXPECT_EQ(CGlyphRaster(FontOf("WenQuanYi Bitmap Song", 72)).Font().pixelSize(), 16);
    EXPECT_EQ(CGlyphRaster(FontOf("WenQuanYi Bitmap Song", -13)).Font().pixelSize(), 13);
}

// A mask paints only where it and the target overlap, on both axes.
TEST(GlyphRasterDraw, PaintStaysInsideTargetAndMask)
{
    for (const bool wide : {true, false}) {
        QImage target(wide ? 4 : 3, wide ? 3 : 4, QImage::Format_RGB32);
        target.fill(Qt::black);
        QImage mask(wide ? 3 : 4, wide ? 4 : 3, QImage::Format_Alpha8);
        mask.fill(255);
        mask.scanLine(0)[0] = 0;
        CGlyphRaster::Paint(target, mask, DotPalette[2]);
        for (int y = 0; y < target.height(); ++y)
            for (int x = 0; x < target.width(); ++x) {
                const bool painted = x < 3 && y < 3 && (x != 0 || y != 0);
                EXPECT_EQ(target.pixel(x, y), painted ? ToQRgb(DotPalette[2]) : qRgb(0, 0, 0)) << wide << x << y;
            }
    }
}

// A font's own glyphs follow the horizontal alignment asked for: Unifont's
// "A" (ink in columns 1 to 6 of its 8) at the left, centre or right of a
// 40-dot box starting at column 2.
TEST(GlyphRasterDraw, OwnGlyphsFollowTheHorizontalAlignment)
{
    const CGlyphRaster raster(FontOf("Unifont", -16));
    for (const auto& [flags, left] : {std::pair{int(Qt::AlignLeft), 3}, std::pair{int(Qt::AlignHCenter), 19},
                                      std::pair{int(Qt::AlignRight), 35}}) {
        const QImage lit = raster.LitText(QSize(50, 20), QRect(2, 0, 40, 20), flags | Qt::AlignTop, QStringLiteral("A"));
        int first = -1, last = -1;
        for (int x = 0; x < lit.width(); ++x)
            for (int y = 0; y < lit.height(); ++y)
                if (lit.constScanLine(y)[x] != 0) {
                    first = first < 0 ? x : first;
                    last = x;
                }
        EXPECT_EQ(first, left) << flags;
        EXPECT_EQ(last, left + 5) << flags;
    }
}
