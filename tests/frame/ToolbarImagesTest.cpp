#include "frame/ToolbarImages.h"

#include <gtest/gtest.h>

namespace {

// A strip whose every pixel has its own colour (never the transparent grey).
QImage NumberedStrip(int width, int height)
{
    QImage strip(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            strip.setPixel(x, y, qRgb(x, y, 7));
    return strip;
}

} // namespace

// Whole 16 x 15 cells only, left to right; a strip lower than a cell gives
// cells of its own height.
TEST(ToolbarImages, TheStripIsCutIntoWholeCellsOnBothAxes)
{
    const struct
    {
        int width, height, cells, cellHeight;
    } cases[] = {{48, 15, 3, 15}, {47, 15, 2, 15}, {49, 15, 3, 15}, {15, 15, 0, 0},
                 {16, 16, 1, 15}, {32, 14, 2, 14}, {16, 20, 1, 15}};
    for (const auto& c : cases) {
        const QList<QImage> cells = ToolbarCells(NumberedStrip(c.width, c.height));
        ASSERT_EQ(cells.size(), c.cells) << c.width << " x " << c.height;
        for (int i = 0; i < cells.size(); ++i) {
            const QImage& cell = cells[i];
            ASSERT_EQ(cell.size(), QSize(16, c.cellHeight)) << c.width << " x " << c.height;
            // Corners of each cell, from its own place in the strip.
            EXPECT_EQ(cell.pixel(0, 0), qRgb(16 * i, 0, 7)) << i;
            EXPECT_EQ(cell.pixel(15, c.cellHeight - 1), qRgb(16 * i + 15, c.cellHeight - 1, 7)) << i;
        }
    }
}

// Only the strip's exact light grey becomes transparent, whatever its alpha.
TEST(ToolbarImages, OnlyTheLightGreyBecomesTransparent)
{
    QImage strip(16, 15, QImage::Format_ARGB32);
    strip.fill(qRgb(192, 192, 192));
    strip.setPixel(1, 0, qRgba(192, 192, 192, 128));
    strip.setPixel(2, 0, qRgb(192, 192, 193));
    strip.setPixel(3, 0, qRgb(191, 192, 192));
    strip.setPixel(4, 0, qRgb(0, 0, 0));
    strip.setPixel(15, 14, qRgb(192, 193, 192));
    const QList<QImage> cells = ToolbarCells(strip);
    ASSERT_EQ(cells.size(), 1);
    const QImage& cell = cells[0];
    EXPECT_EQ(cell.pixel(0, 0), 0u);
    EXPECT_EQ(cell.pixel(1, 0), 0u);
    EXPECT_EQ(cell.pixel(14, 14), 0u);
    EXPECT_EQ(cell.pixel(2, 0), qRgb(192, 192, 193));
    EXPECT_EQ(cell.pixel(3, 0), qRgb(191, 192, 192));
    EXPECT_EQ(cell.pixel(4, 0), qRgb(0, 0, 0));
    EXPECT_EQ(cell.pixel(15, 14), qRgb(192, 193, 192));
}
