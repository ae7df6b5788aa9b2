#include "base/DotPalette.h"
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
