#include "base/DotGrid.h"

#include <QSize>

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <vector>

namespace {

constexpr COLORREF kRed = DotPalette[0];
constexpr COLORREF kGreen = DotPalette[1];
constexpr COLORREF kBlue = DotPalette[2];

// Display coordinates (y from the top) for readability in the tests.
void Light(CDotGrid& grid, int x, int y, COLORREF c)
{
    grid.SetDot(x, grid.Height() - 1 - y, c);
}
COLORREF At(const CDotGrid& grid, int x, int y)
{
    return grid.DotAt(x, grid.Height() - 1 - y);
}

} // namespace

TEST(DotGrid, RoundAndClamp)
{
    EXPECT_EQ(RoundToBlocks(10, 1024), 16);
    EXPECT_EQ(RoundToBlocks(0, 1024), 8);
    EXPECT_EQ(RoundToBlocks(-20, 1024), 8);
    EXPECT_EQ(RoundToBlocks(1030, 1024), 1024);
    EXPECT_EQ(RoundToBlocks(770, 768), 768);
    EXPECT_EQ(RoundToBlocks(16, 768), 16);
    // Edges: a multiple of 8 and one past it, the limits and one past them.
    const struct
    {
        int value, limit, expected;
    } edges[] = {
        {1, 1024, 8},       {8, 1024, 8},       {9, 1024, 16},     {15, 1024, 16},  {17, 1024, 24},
        {1024, 1024, 1024}, {1025, 1024, 1024}, {1017, 1024, 1024}, {768, 768, 768}, {769, 768, 768},
        {761, 768, 768},
    };
    for (const auto& e : edges)
        EXPECT_EQ(RoundToBlocks(e.value, e.limit), e.expected) << e.value << " within " << e.limit;
    // So large that rounding up would overflow.
    EXPECT_EQ(RoundToBlocks(INT_MAX, 1024), 1024);
    EXPECT_EQ(RoundToBlocks(INT_MIN, 768), 8);
}

TEST(DotGrid, CreateFillsWithBackgroundInBgrBottomUpLayout)
{
    CDotGrid grid;
    EXPECT_TRUE(grid.IsEmpty());
    grid.SetBackgroundColor(MakeColor(1, 2, 3), false);
    ASSERT_TRUE(grid.Create(16, 16, ImageMode));
    EXPECT_EQ(grid.ByteCount(), 768u);
    EXPECT_EQ(grid.Mode(), ImageMode);
    for (std::size_t i = 0; i < grid.ByteCount(); i += 3) {
        ASSERT_EQ(grid.Bits()[i], 3);
        ASSERT_EQ(grid.Bits()[i + 1], 2);
        ASSERT_EQ(grid.Bits()[i + 2], 1);
    }
    EXPECT_EQ(grid.ColorIndexOf(5, 5), kUnlitIndex);

    // Dot (column 2, storage row 1) sits at 3 * (1 * W + 2), blue first.
    grid.SetDot(2, 1, MakeColor(10, 20, 30));
    const std::uint8_t* dot = grid.Bits() + 3 * (16 + 2);
    EXPECT_EQ(dot[0], 30);
    EXPECT_EQ(dot[1], 20);
    EXPECT_EQ(dot[2], 10);
}

TEST(DotGrid, FailedAllocationKeepsTheOldGridWhole)
{
    CDotGrid grid;
    ASSERT_TRUE(grid.Create(16, 8, TextMode));
    grid.SetDot(3, 4, kRed);
    const std::vector<std::uint8_t> before(grid.Bits(), grid.Bits() + grid.ByteCount());

    EXPECT_FALSE(grid.Create(INT_MAX, INT_MAX, ImageMode));
    EXPECT_FALSE(grid.Create(-8, 16, ImageMode));
    EXPECT_FALSE(grid.Resize(1 << 30, 1 << 30));

    EXPECT_EQ(grid.Width(), 16);
    EXPECT_EQ(grid.Height(), 8);
    EXPECT_EQ(grid.Mode(), TextMode);
    EXPECT_EQ(std::memcmp(before.data(), grid.Bits(), before.size()), 0);

    // A side of zero on either axis empties the grid; a negative one is refused.
    for (const QSize size : {QSize(0, 8), QSize(8, 0), QSize(0, 0)}) {
        CDotGrid empty;
        ASSERT_TRUE(empty.Create(16, 8, TextMode));
        EXPECT_TRUE(empty.Resize(size.width(), size.height())) << size.width() << " x " << size.height();
        EXPECT_TRUE(empty.IsEmpty());
        EXPECT_EQ(empty.Mode(), TextMode);
    }
    EXPECT_FALSE(grid.Resize(-1, 0));
    EXPECT_FALSE(grid.Resize(0, -1));
    EXPECT_EQ(grid.Width(), 16);
}

TEST(DotGrid, MirrorReversesEachRowAndTwiceRestores)
{
    CDotGrid grid;
    grid.Create(8, 8, ImageMode);
    for (int x = 0; x < 8; ++x)
        Light(grid, x, 2, MakeColor(x + 1, 0, 0));
    const CDotGrid original = grid;
    grid.Mirror();
    for (int x = 0; x < 8; ++x)
        EXPECT_EQ(At(grid, x, 2), MakeColor(8 - x, 0, 0));
    grid.Mirror();
    EXPECT_EQ(std::memcmp(original.Bits(), grid.Bits(), grid.ByteCount()), 0);

    CDotGrid empty;
    empty.Mirror();
    empty.Flip();
    EXPECT_FALSE(empty.Rotate());
    EXPECT_TRUE(empty.IsEmpty());
}

TEST(DotGrid, FlipExchangesEveryRowPair)
{
    CDotGrid grid;
    grid.Create(8, 8, ImageMode);
    for (int r = 0; r < 8; ++r)
        grid.SetDot(0, r, MakeColor(r + 1, 0, 0));
    const CDotGrid original = grid;
    grid.Flip();
    for (int r = 0; r < 8; ++r)
        EXPECT_EQ(grid.DotAt(0, r), MakeColor(8 - r, 0, 0)) << "row " << r;
    grid.Flip();
    EXPECT_EQ(std::memcmp(original.Bits(), grid.Bits(), grid.ByteCount()), 0);
}

TEST(DotGrid, RotateTurnsClockwise)
{
    CDotGrid grid;
    grid.Create(16, 8, ImageMode);
    Light(grid, 0, 0, kRed);   // top-left
    Light(grid, 15, 0, kBlue); // top-right
    Light(grid, 3, 5, kGreen);
    ASSERT_TRUE(grid.Rotate());
    EXPECT_EQ(grid.Width(), 8);
    EXPECT_EQ(grid.Height(), 16);
    // (x, y) goes to (H - 1 - y, x) with the old H = 8.
    EXPECT_EQ(At(grid, 7, 0), kRed);
    EXPECT_EQ(At(grid, 7, 15), kBlue);
    EXPECT_EQ(At(grid, 2, 3), kGreen);
}

TEST(DotGrid, FourRotationsRestoreAndLargeGridsLoseColumns)
{
    CDotGrid grid;
    grid.Create(24, 40, ImageMode);
    for (int i = 0; i < 24; ++i)
        Light(grid, i, (i * 7) % 40, DotPalette[static_cast<std::size_t>(i % 7)]);
    const CDotGrid original = grid;
    for (int i = 0; i < 4; ++i)
        ASSERT_TRUE(grid.Rotate());
    ASSERT_EQ(grid.Width(), 24);
    EXPECT_EQ(std::memcmp(original.Bits(), grid.Bits(), grid.ByteCount()), 0);

    CDotGrid big;
    big.Create(1024, 768, ImageMode);
    Light(big, 767, 0, kRed);  // last column that survives
    Light(big, 768, 0, kBlue); // first column that is lost
    ASSERT_TRUE(big.Rotate());
    EXPECT_EQ(big.Width(), 768);
    EXPECT_EQ(big.Height(), 768);
    EXPECT_EQ(At(big, 767, 767), kRed);
    for (std::size_t i = 0; i < big.ByteCount(); i += 3)
        ASSERT_FALSE(big.Bits()[i] == 255 && big.Bits()[i + 1] == 0 && big.Bits()[i + 2] == 0);
}

TEST(DotGrid, RotateOfATallTextGridDropsTheTopRows)
{
    CDotGrid grid;
    grid.Create(16, 16, TextMode);
    ASSERT_TRUE(grid.Resize(16, 1040));
    grid.SetDot(0, 1023, kRed);  // highest storage row that survives
    grid.SetDot(0, 1024, kBlue); // lost
    ASSERT_TRUE(grid.Rotate());
    EXPECT_EQ(grid.Width(), 1024);
    EXPECT_EQ(grid.Height(), 16);
    // New dot (column r, storage row H'-1-c) = old (c, r).
    EXPECT_EQ(grid.DotAt(1023, 15), kRed);
    for (int c = 0; c < 1024; ++c)
        for (int r = 0; r < 16; ++r)
            ASSERT_NE(grid.DotAt(c, r), kBlue);
}

TEST(DotGrid, BackgroundIsNudgedOffEveryPaletteColour)
{
    const COLORREF expected[] = {
        MakeColor(255, 1, 0),     MakeColor(1, 255, 0),     MakeColor(1, 0, 255),
        MakeColor(255, 255, 1),   MakeColor(189, 143, 143), MakeColor(254, 255, 255),
        MakeColor(255, 128, 0),
    };
    for (int i = 0; i < kPaletteSize; ++i) {
        CDotGrid grid;
        grid.SetBackgroundColor(DotPalette[static_cast<std::size_t>(i)], false);
        EXPECT_EQ(grid.BackColor(), expected[i]) << "palette index " << i;
        EXPECT_EQ(PaletteIndexOf(grid.BackColor()), kUnlitIndex);
    }
    CDotGrid grid;
    grid.SetBackgroundColor(MakeColor(12, 34, 56), false);
    EXPECT_EQ(grid.BackColor(), MakeColor(12, 34, 56));
}

TEST(DotGrid, RecolouringChangesOnlyOldBackgroundDots)
{
    CDotGrid grid;
    grid.Create(8, 8, ImageMode);
    grid.SetDot(1, 1, kBlue);
    grid.SetDot(2, 2, MakeColor(9, 9, 9));
    grid.SetBackgroundColor(kBlue, true);
    EXPECT_EQ(grid.BackColor(), MakeColor(1, 0, 255));
    EXPECT_EQ(grid.DotAt(0, 0), MakeColor(1, 0, 255));
    EXPECT_EQ(grid.DotAt(1, 1), kBlue);
    EXPECT_EQ(grid.ColorIndexOf(1, 1), 2);
    EXPECT_EQ(grid.DotAt(2, 2), MakeColor(9, 9, 9));

    grid.SetBackgroundColor(MakeColor(0, 0, 0), false);
    EXPECT_EQ(grid.DotAt(0, 0), MakeColor(1, 0, 255)); // no recolour requested
}

TEST(DotGrid, DotColourSelectionChangesNoDot)
{
    CDotGrid grid;
    grid.Create(8, 8, ImageMode);
    EXPECT_EQ(grid.DotColor(), DotPalette[5]);
    EXPECT_EQ(grid.ColorIndex(), 5);
    grid.SetDotColor(6);
    EXPECT_EQ(grid.DotColor(), MakeColor(255, 127, 0));
    EXPECT_EQ(grid.ColorIndex(), 6);
    grid.SetDotColor(9); // out of range is ignored
    EXPECT_EQ(grid.ColorIndex(), 6);
    for (std::size_t i = 0; i < grid.ByteCount(); ++i)
        ASSERT_EQ(grid.Bits()[i], 0);
}

TEST(DotGrid, NormalizeKeepsLitDotsOnly)
{
    CDotGrid grid;
    grid.Create(8, 8, ImageMode);
    grid.SetDot(0, 0, MakeColor(188, 143, 143));
    grid.SetDot(1, 0, MakeColor(255, 128, 0));
    grid.SetBackgroundColor(MakeColor(7, 7, 7), false);
    grid.NormalizeToPalette();
    EXPECT_EQ(grid.ColorIndexOf(0, 0), 4);
    EXPECT_EQ(grid.DotAt(1, 0), MakeColor(7, 7, 7));
    EXPECT_EQ(grid.DotAt(4, 4), MakeColor(7, 7, 7));
}

// Assigning keeps nothing of the old grid, whether its buffer is reused (the
// same number of dots, also turned: 8 x 4 onto 4 x 8) or replaced.
TEST(DotGrid, AssignmentCopiesEverythingWhateverTheSizes)
{
    CDotGrid source;
    source.Create(8, 4, ImageMode);
    source.SetDotColor(2);
    source.SetBackgroundColor(MakeColor(5, 6, 7), true);
    Light(source, 7, 0, kRed);
    Light(source, 0, 3, kGreen);
    for (const auto& [width, height] : {std::pair{8, 4}, std::pair{4, 8}, std::pair{9, 4}, std::pair{0, 0}}) {
        CDotGrid target;
        if (width > 0)
            target.Create(width, height, TextMode);
        Light(target, 1, 1, kBlue);
        const std::uint8_t* before = target.Bits();
        target = source;
        EXPECT_EQ(target.Width(), 8);
        EXPECT_EQ(target.Height(), 4);
        EXPECT_EQ(target.Mode(), int(ImageMode));
        EXPECT_EQ(target.ColorIndex(), 2);
        EXPECT_EQ(target.BackColor(), MakeColor(5, 6, 7));
        EXPECT_EQ(target.DotColor(), kBlue);
        EXPECT_EQ(std::memcmp(target.Bits(), source.Bits(), source.ByteCount()), 0) << width << "x" << height;
        EXPECT_NE(target.Bits(), source.Bits());
        if (width * height == 32) {
            EXPECT_EQ(target.Bits(), before) << "the same number of dots keeps the buffer";
        } else {
            EXPECT_NE(target.Bits(), before) << "another number of dots takes a new buffer";
        }
        const CDotGrid& same = source;
        source = same; // assigning to itself changes nothing
        EXPECT_EQ(At(source, 7, 0), kRed);
    }
}

// Reading outside the grid gives the background, writing there changes no
// dot: one past each edge on both axes, next to a lit neighbour that a
// wrapped index would reach.
TEST(DotGrid, DotsOutsideTheGridAreNeitherReadNorWritten)
{
    CDotGrid grid;
    grid.SetBackgroundColor(MakeColor(3, 4, 5), false);
    ASSERT_TRUE(grid.Create(16, 8, ImageMode));
    grid.SetDot(0, 1, kRed);  // where (16, 0) would wrap to
    grid.SetDot(15, 0, kGreen); // where (-1, 1) would wrap to
    grid.SetDot(15, 7, kBlue);
    const std::vector<std::uint8_t> before(grid.Bits(), grid.Bits() + grid.ByteCount());
    const struct
    {
        int column, row;
    } outside[] = {{-1, 0}, {-1, 1}, {0, -1}, {16, 0}, {15, 8}, {0, 8}, {16, 7}, {-1, -1}};
    for (const auto& o : outside) {
        EXPECT_EQ(grid.DotAt(o.column, o.row), MakeColor(3, 4, 5)) << o.column << "," << o.row;
        EXPECT_EQ(grid.ColorIndexOf(o.column, o.row), kUnlitIndex) << o.column << "," << o.row;
        EXPECT_FALSE(grid.Contains(o.column, o.row)) << o.column << "," << o.row;
        grid.SetDot(o.column, o.row, MakeColor(200, 1, 1));
        ASSERT_EQ(std::memcmp(before.data(), grid.Bits(), before.size()), 0) << o.column << "," << o.row;
    }
    // The last dot on each axis is inside.
    EXPECT_EQ(grid.DotAt(15, 7), kBlue);
    EXPECT_EQ(grid.ColorIndexOf(15, 7), 2);
    EXPECT_EQ(grid.ColorIndexOf(15, 0), 1);
    EXPECT_EQ(grid.DotAt(0, 1), kRed);
    grid.SetDot(15, 7, kRed);
    EXPECT_EQ(grid.Bits()[3 * (7 * 16 + 15) + 2], 255);
    EXPECT_EQ(grid.DisplayDotAt(15, 0), kRed);
}

// Only the seven palette indices choose a dot colour; one past either end
// is ignored. The background drops the byte above the colour.
TEST(DotGrid, DotColourIndicesAndTheBackgroundsSpareByte)
{
    CDotGrid grid;
    const struct
    {
        int index;
        int kept;
    } picks[] = {{0, 0}, {-1, 0}, {6, 6}, {7, 6}, {3, 3}, {kPaletteSize, 3}};
    for (const auto& p : picks) {
        grid.SetDotColor(p.index);
        EXPECT_EQ(grid.ColorIndex(), p.kept) << p.index;
        EXPECT_EQ(grid.DotColor(), DotPalette[static_cast<std::size_t>(p.kept)]) << p.index;
    }
    grid.SetBackgroundColor(0xFF000000u | MakeColor(13, 34, 57), false);
    EXPECT_EQ(grid.BackColor(), MakeColor(13, 34, 57));
    // A palette colour with the spare byte set is still nudged off the palette.
    grid.SetBackgroundColor(0x01000000u | DotPalette[0], false);
    EXPECT_EQ(grid.BackColor(), MakeColor(255, 1, 0));
}
