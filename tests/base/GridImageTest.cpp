#include "base/GridImage.h"

#include "base/DotGrid.h"

#include <gtest/gtest.h>

namespace {

constexpr COLORREF kBack = MakeColor(9, 8, 7);

// Each pixel coded by its place, so that any misplaced copy shows.
QRgb Coded(int x, int y) { return qRgb(x + 1, y + 1, 0x55); }

QImage CodedImage(int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.setPixel(x, y, Coded(x, y));
    return image;
}

COLORREF At(const CDotGrid& grid, int x, int y) { return grid.DotAt(x, grid.Height() - 1 - y); }
COLORREF CodedColor(int x, int y) { return MakeColor(x + 1, y + 1, 0x55); }

} // namespace

// A picture lands with its top-left on the grid's top-left, clipped on the
// axis where it is larger; dots it does not cover keep their colour.
TEST(GridImage, ImageToGridAnchorsTopLeftAndClipsEitherAxis)
{
    struct Case { int w, h; };
    for (const Case c : {Case{20, 10}, Case{10, 20}}) {
        CDotGrid grid;
        grid.SetBackgroundColor(kBack, false);
        ASSERT_TRUE(grid.Create(16, 16, ImageMode));
        ImageToGrid(CodedImage(c.w, c.h), grid);
        for (int y = 0; y < 16; ++y) {
            for (int x = 0; x < 16; ++x) {
                const bool covered = x < c.w && y < c.h;
                ASSERT_EQ(At(grid, x, y), covered ? CodedColor(x, y) : kBack)
                    << c.w << "x" << c.h << " at " << x << "," << y;
            }
        }
    }
}

TEST(GridImage, GridToImageIsTopDownAndWrapSharesTheDots)
{
    CDotGrid grid;
    ASSERT_TRUE(grid.Create(8, 16, ImageMode));
    grid.SetDot(1, grid.Height() - 1, MakeColor(255, 0, 0));  // display row 0
    grid.SetDot(6, 0, MakeColor(0, 0, 255));                  // display row 15
    const QImage image = GridToImage(grid);
    ASSERT_EQ(image.size(), QSize(8, 16));
    EXPECT_EQ(image.pixel(1, 0), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(6, 15), qRgb(0, 0, 255));
    EXPECT_EQ(image.pixel(6, 0), qRgb(0, 0, 0));

    const QImage wrapped = WrapGridBits(grid);
    EXPECT_EQ(wrapped.constBits(), grid.Bits());
    EXPECT_EQ(wrapped.pixel(6, 0), qRgb(0, 0, 255)); // storage row 0 first

    EXPECT_TRUE(GridToImage(CDotGrid()).isNull());
    EXPECT_TRUE(WrapGridBits(CDotGrid()).isNull());

    // A null picture leaves the dots as they are; an empty grid takes nothing.
    ImageToGrid(QImage(), grid);
    EXPECT_EQ(grid.DotAt(1, grid.Height() - 1), MakeColor(255, 0, 0));
    EXPECT_EQ(grid.DotAt(6, 0), MakeColor(0, 0, 255));
    CDotGrid empty;
    ImageToGrid(CodedImage(4, 4), empty);
    EXPECT_TRUE(empty.IsEmpty());
}
