#include "ShapeArt.h"

#include "../SevenColours.h"
#include "canvas/FloodFill.h"

#include <gtest/gtest.h>

namespace {

constexpr COLORREF kRed = MakeColor(255, 0, 0);

const std::string kRing = "..........\n"
                          ".######...\n"
                          ".#....#...\n"
                          ".#.##.#...\n"
                          ".#.##.#...\n"
                          ".#....#...\n"
                          ".######...\n"
                          "..........\n";

} // namespace

TEST(FloodFill, StopsAtOtherColoursAndLeavesHolesOut)
{
    const CDotGrid grid = GridFromArt(kRing, kRed);
    EXPECT_EQ(Art(FloodFillArea(grid, 2, 2)), "..........\n"
                                     "..........\n"
                                     "..####....\n"
                                     "..#..#....\n"
                                     "..#..#....\n"
                                     "..####....\n"
                                     "..........\n"
                                     "..........\n");
    // Outside the ring it runs along every edge of the canvas.
    EXPECT_EQ(Art(FloodFillArea(grid, 9, 7)), "##########\n"
                                     "#......###\n"
                                     "#......###\n"
                                     "#......###\n"
                                     "#......###\n"
                                     "#......###\n"
                                     "#......###\n"
                                     "##########\n");
    EXPECT_EQ(FloodFillArea(grid, 1, 1).DotCount(), 20);
    EXPECT_EQ(Art(FloodFillArea(grid, 4, 4)), "..........\n"
                                     "..........\n"
                                     "..........\n"
                                     "...##.....\n"
                                     "...##.....\n"
                                     "..........\n"
                                     "..........\n"
                                     "..........\n");
}

TEST(FloodFill, DoesNotLeakThroughADiagonal)
{
    const CDotGrid grid = GridFromArt("#...\n.#..\n..#.\n...#\n", kRed);
    EXPECT_EQ(Art(FloodFillArea(grid, 3, 0)), ".###\n..##\n...#\n....\n");
    EXPECT_EQ(FloodFillArea(grid, 0, 0).DotCount(), 1);
}

TEST(FloodFill, KeepsToTheStartDotsColourIndexForEachColour)
{
    // Row i in colour i, cut at column 3 by the next colour.
    CDotGrid grid;
    grid.Create(6, 7, ImageMode);
    for (const SDotColour& colour : kSevenColours) {
        const int storageRow = 6 - colour.index;
        for (int column = 0; column < 6; ++column)
            grid.SetDot(column, storageRow, colour.Value());
        grid.SetDot(3, storageRow, kSevenColours[static_cast<std::size_t>((colour.index + 1) % 7)].Value());
    }
    for (const SDotColour& colour : kSevenColours) {
        const CDotShape area = FloodFillArea(grid, 0, colour.index);
        EXPECT_EQ(area.Runs(), (std::vector<SDotRun>{{colour.index, 0, 2}})) << colour.name;
    }
}

TEST(FloodFill, EveryOffPaletteColourIsUnlit)
{
    CDotGrid grid = GridFromArt("....\n....\n....\n", kRed);
    grid.SetDot(1, 1, MakeColor(1, 2, 3));
    grid.SetDot(2, 1, MakeColor(255, 0, 1));
    EXPECT_EQ(FloodFillArea(grid, 0, 0).DotCount(), 12);
    EXPECT_EQ(FloodFillArea(grid, 1, 1).DotCount(), 12);
}

TEST(FloodFill, OutsideTheGridOrOnAnEmptyGridGivesNothing)
{
    const CDotGrid grid = GridFromArt(kRing, kRed);
    EXPECT_TRUE(FloodFillArea(grid, -1, 0).IsEmpty());
    EXPECT_TRUE(FloodFillArea(grid, 10, 0).IsEmpty());
    EXPECT_TRUE(FloodFillArea(grid, 0, 8).IsEmpty());
    EXPECT_TRUE(FloodFillArea(grid, 0, -1).IsEmpty());
    // The last dot of each axis is still on the grid.
    EXPECT_EQ(FloodFillArea(grid, 9, 0).DotCount(), 80 - 24 - 12); // all but the ring and its inside
    EXPECT_EQ(FloodFillArea(grid, 0, 7).DotCount(), 80 - 24 - 12); // all but the ring and its inside
    EXPECT_TRUE(FloodFillArea(CDotGrid(), 0, 0).IsEmpty());
}

TEST(FloodFill, CoversTheLargestCanvasWhole)
{
    CDotGrid grid;
    ASSERT_TRUE(grid.Create(kMaxCanvasWidth, kMaxCanvasHeight, ImageMode));
    const CDotShape area = FloodFillArea(grid, 500, 400);
    EXPECT_EQ(area.DotCount(), 1024LL * 768);
    EXPECT_EQ(area.Runs().size(), 768u);
}

TEST(FloodFill, InsideAnEllipseOutlineFillsExactlyItsInside)
{
    for (QSize box : {QSize(41, 17), QSize(16, 16), QSize(9, 30)}) {
        CDotShape outline(box);
        outline.AddEllipse(QPoint(0, 0), QPoint(box.width() - 1, box.height() - 1), false);
        CDotShape filled(box);
        filled.AddEllipse(QPoint(0, 0), QPoint(box.width() - 1, box.height() - 1), true);
        CDotGrid grid;
        grid.Create(box.width(), box.height(), ImageMode);
        outline.ForEachDot([&](int x, int y) { grid.SetDot(x, box.height() - 1 - y, kRed); });

        const CDotShape inside = FloodFillArea(grid, box.width() / 2, box.height() / 2);
        EXPECT_EQ(inside.DotCount() + outline.DotCount(), filled.DotCount()) << box.width() << "x" << box.height();
        inside.ForEachDot([&](int x, int y) { EXPECT_TRUE(filled.Contains(x, y) && !outline.Contains(x, y)); });
    }
}

// A row's run ends at the canvas's side: the dot at the other end of the
// next or the previous row is not its neighbour.
TEST(FloodFill, ARunStopsAtTheSidesOfTheCanvas)
{
    EXPECT_EQ(Art(FloodFillArea(GridFromArt("#...\n.###\n", kRed), 1, 0)), ".###\n....\n");
    EXPECT_EQ(Art(FloodFillArea(GridFromArt("##.\n..#\n", kRed), 0, 1)), "...\n##.\n");
    // Openings under the last dot of a run are followed too.
    EXPECT_EQ(Art(FloodFillArea(GridFromArt("....\n###.\n....\n", kRed), 0, 0)), "####\n...#\n####\n");
    EXPECT_EQ(Art(FloodFillArea(GridFromArt("....\n.###\n....\n", kRed), 3, 0)), "####\n#...\n####\n");
}
