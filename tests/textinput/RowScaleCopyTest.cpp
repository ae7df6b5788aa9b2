#include "base/DotGrid.h"
#include "base/DotPalette.h"
#include "textinput/RowScaleCopy.h"

#include <gtest/gtest.h>

#include <string>

namespace {

constexpr COLORREF kUntouched = MakeColor(1, 2, 3);

// A 9 x 4 grid on black whose every dot holds a colour no copy writes.
CDotGrid MarkedGrid()
{
    CDotGrid grid;
    grid.SetBackgroundColor(MakeColor(0, 0, 0), false);
    grid.Create(9, 4, TextMode);
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 9; ++c)
            grid.SetDisplayDot(c, r, kUntouched);
    return grid;
}

// The grid as letters: R G B W Y O for the dot colours, k for black, . untouched.
std::string Letters(const CDotGrid& grid)
{
    std::string text;
    for (int r = 0; r < grid.Height(); ++r) {
        for (int c = 0; c < grid.Width(); ++c) {
            const COLORREF dot = grid.DisplayDotAt(c, r);
            const int index = PaletteIndexOf(dot);
            text += dot == kUntouched ? '.' : dot == 0 ? 'k' : index < kPaletteSize ? kColorNames[index][0] : '?';
        }
        text += '\n';
    }
    return text;
}

QRgb Rgb(int index)
{
    const COLORREF c = DotPalette[static_cast<std::size_t>(index)];
    return qRgb(RedOf(c), GreenOf(c), BlueOf(c));
}

// 4 x 3, black ground:  R G k B / k k W k / Y k k O
QImage Glyph(QImage::Format format)
{
    QImage image(4, 3, QImage::Format_RGB32);
    image.fill(Qt::black);
    image.setPixel(0, 0, Rgb(0));
    image.setPixel(1, 0, Rgb(1));
    image.setPixel(3, 0, Rgb(2));
    image.setPixel(2, 1, Rgb(5));
    image.setPixel(0, 2, Rgb(3));
    image.setPixel(3, 2, Rgb(6));
    return image.convertToFormat(format);
}

} // namespace

// Three source rows onto two grid rows: the first takes row 0, the second
// rows 1 and 2 with ink winning. Source columns before and after the image
// leave their grid dots alone, on a grid position away from the corner, for
// every pixel format.
TEST(RowScaleCopy, ColumnsAndRowsLandInPlaceAndOutsideTheImageIsLeftAlone)
{
    for (const QImage::Format format : {QImage::Format_RGB32, QImage::Format_ARGB32, QImage::Format_RGB888}) {
        CDotGrid grid = MarkedGrid();
        StretchRowsOnto(Glyph(format), QPoint(-1, 0), QSize(6, 3), grid, QPoint(2, 1), 2);
        EXPECT_EQ(Letters(grid), ".........\n"
                                 "...RGkB..\n"
                                 "...YkWO..\n"
                                 ".........\n")
            << format;
    }
    // Part of the glyph: columns 1..2, rows 1..2, one to one.
    CDotGrid grid = MarkedGrid();
    StretchRowsOnto(Glyph(QImage::Format_RGB32), QPoint(1, 1), QSize(2, 2), grid, QPoint(0, 0), 2);
    EXPECT_EQ(Letters(grid), "kW.......\n"
                             "kk.......\n"
                             ".........\n"
                             ".........\n");
}

TEST(RowScaleCopy, MirroredRowsGoUpFromTheRowAboveTheDestination)
{
    CDotGrid grid = MarkedGrid();
    StretchRowsOnto(Glyph(QImage::Format_RGB32), QPoint(0, 0), QSize(4, 3), grid, QPoint(5, 4), -3);
    EXPECT_EQ(Letters(grid), ".........\n"
                             ".....YkkO\n"
                             ".....kkWk\n"
                             ".....RGkB\n");
    // Rows that would go above the grid are dropped, the rest still land.
    grid = MarkedGrid();
    StretchRowsOnto(Glyph(QImage::Format_RGB32), QPoint(0, 0), QSize(4, 3), grid, QPoint(0, 1), -3);
    EXPECT_EQ(Letters(grid), "RGkB.....\n"
                             ".........\n"
                             ".........\n"
                             ".........\n");
}

// A pixel's alpha does not matter: a clear red pixel is still red ink.
TEST(RowScaleCopy, InkIsJudgedWithoutAlpha)
{
    QImage image(2, 1, QImage::Format_ARGB32);
    image.setPixel(0, 0, 0x00FF0000u);
    image.setPixel(1, 0, 0x00000000u);
    CDotGrid grid = MarkedGrid();
    StretchRowsOnto(image, QPoint(0, 0), QSize(2, 1), grid, QPoint(0, 0), 1);
    EXPECT_EQ(Letters(grid).substr(0, 3), "Rk.");
    // A clear black pixel is ground: squashed over red ink, the red wins.
    QImage pair(1, 2, QImage::Format_ARGB32);
    pair.setPixel(0, 0, 0x00000000u);
    pair.setPixel(0, 1, 0x00FF0000u);
    grid = MarkedGrid();
    StretchRowsOnto(pair, QPoint(0, 0), QSize(1, 2), grid, QPoint(0, 0), 1);
    EXPECT_EQ(Letters(grid).substr(0, 2), "R.");
    // An empty source or grid writes nothing.
    grid = MarkedGrid();
    StretchRowsOnto(image, QPoint(0, 0), QSize(0, 1), grid, QPoint(0, 0), 1);
    StretchRowsOnto(image, QPoint(0, 0), QSize(2, 0), grid, QPoint(0, 0), 1);
    EXPECT_EQ(Letters(grid), Letters(MarkedGrid()));
}
