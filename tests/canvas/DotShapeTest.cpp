#include "ShapeArt.h"
#include "SevenColours.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <set>
#include <utility>

namespace {

using DotSet = std::set<std::pair<int, int>>;

DotSet Dots(const CDotShape& shape)
{
    DotSet dots;
    shape.ForEachDot([&](int x, int y) { dots.insert({x, y}); });
    return dots;
}

// The dots of the ideal line, worked out from distances: along the longer
// axis from its smaller end, the nearer of the two dots around the line,
// and on a tie the one nearer to the start's minor coordinate.
DotSet IdealLine(QPoint a, QPoint b)
{
    const bool steep = std::abs(b.y() - a.y()) > std::abs(b.x() - a.x());
    if (steep) {
        a = a.transposed();
        b = b.transposed();
    }
    if (a.x() > b.x())
        std::swap(a, b);
    DotSet dots;
    for (int x = a.x(); x <= b.x(); ++x) {
        const double t = a.x() == b.x() ? a.y() : a.y() + double(x - a.x()) * (b.y() - a.y()) / (b.x() - a.x());
        const double low = std::floor(t);
        const double high = std::ceil(t);
        double y = t - low < high - t ? low : high;
        if (t - low == high - t)
            y = std::abs(low - a.y()) < std::abs(high - a.y()) ? low : high;
        const int yi = static_cast<int>(y);
        dots.insert(steep ? std::make_pair(yi, x) : std::make_pair(x, yi));
    }
    return dots;
}

CDotShape Line(QSize canvas, QPoint a, QPoint b)
{
    CDotShape shape(canvas);
    shape.AddLine(a, b);
    return shape;
}

CDotShape Rectangle(QSize canvas, QPoint a, QPoint b, bool filled)
{
    CDotShape shape(canvas);
    shape.AddRectangle(a, b, filled);
    return shape;
}

CDotShape Ellipse(QSize canvas, QPoint a, QPoint b, bool filled)
{
    CDotShape shape(canvas);
    shape.AddEllipse(a, b, filled);
    return shape;
}

} // namespace

TEST(DotShapeLine, OneLineIntoEachOctantFromTheCentre)
{
    CDotShape star(QSize(11, 11));
    for (QPoint end : {QPoint(8, 6), QPoint(6, 8), QPoint(4, 8), QPoint(2, 6), QPoint(2, 4), QPoint(4, 2),
                       QPoint(6, 2), QPoint(8, 4)})
        star.AddLine(QPoint(5, 5), end);
    EXPECT_EQ(Art(star), "...........\n"
                         "...........\n"
                         "....#.#....\n"
                         "....#.#....\n"
                         "..##.#.##..\n"
                         "....###....\n"
                         "..##.#.##..\n"
                         "....#.#....\n"
                         "....#.#....\n"
                         "...........\n"
                         "...........\n");
}

TEST(DotShapeLine, EveryLineInAWindowIsTheIdealLineInBothDirections)
{
    const QSize canvas(7, 6);
    for (int a = 0; a < 42; ++a) {
        for (int b = 0; b < 42; ++b) {
            const QPoint from(a % 7, a / 7);
            const QPoint to(b % 7, b / 7);
            const CDotShape forward = Line(canvas, from, to);
            ASSERT_EQ(Dots(forward), IdealLine(from, to)) << from.x() << "," << from.y() << " " << to.x() << "," << to.y();
            ASSERT_EQ(forward.Runs(), Line(canvas, to, from).Runs());
        }
    }
}

TEST(DotShapeLine, TiesGoTowardTheStartOfTheLongerAxis)
{
    // Half-way rows at x = 6 and x = 8 stay on the row of the left end.
    EXPECT_EQ(Art(Line(QSize(10, 8), QPoint(9, 7), QPoint(5, 5))), "..........\n"
                                                                    "..........\n"
                                                                    "..........\n"
                                                                    "..........\n"
                                                                    "..........\n"
                                                                    ".....##...\n"
                                                                    ".......##.\n"
                                                                    ".........#\n");
}

TEST(DotShapeLine, ThirtyTwoByFifteenLightsOneDotPerColumnOnTheIdealLine)
{
    const CDotShape line = Line(QSize(32, 16), QPoint(0, 0), QPoint(31, 15));
    ASSERT_EQ(line.DotCount(), 32);
    for (int x = 0; x < 32; ++x) {
        int lit = 0;
        for (int y = 0; y < 16; ++y) {
            if (line.Contains(x, y)) {
                ++lit;
                EXPECT_LT(std::abs(y - x * 15.0 / 31.0), 0.5) << x;
            }
        }
        EXPECT_EQ(lit, 1) << x;
    }
}

TEST(DotShapeLine, ClippedToTheCanvasAndSafeFarOutside)
{
    // Only the part inside is kept, on the same course as the whole line.
    EXPECT_EQ(Dots(Line(QSize(4, 4), QPoint(-4, -2), QPoint(8, 4))),
              (DotSet{{0, 0}, {1, 0}, {2, 1}, {3, 1}}));
    EXPECT_TRUE(Line(QSize(4, 4), QPoint(INT_MIN, INT_MIN), QPoint(INT_MAX, INT_MIN)).IsEmpty());
    EXPECT_EQ(Line(QSize(4, 4), QPoint(INT_MIN, 0), QPoint(INT_MAX, 0)).DotCount(), 4);
    EXPECT_EQ(Line(QSize(4, 4), QPoint(1, 2), QPoint(1, 2)).DotCount(), 1);
}

// An end point far past the canvas is held 8192 dots beyond the canvas's
// own far edge on its axis: the visible part keeps that line's course.
TEST(DotShapeLine, AFarEndIsHeldBeyondTheCanvasOnItsOwnAxis)
{
    const struct
    {
        QSize canvas;
        QPoint far;  // the end the drag reached
        QPoint held; // where it is held
    } cases[] = {
        {QSize(1000, 500), QPoint(100000, 400), QPoint(1000 + 8192, 400)},
        {QSize(500, 1000), QPoint(400, 100000), QPoint(400, 1000 + 8192)},
    };
    for (const auto& c : cases) {
        DotSet expected;
        for (const auto& dot : IdealLine(QPoint(0, 0), c.held)) {
            if (dot.first < c.canvas.width() && dot.second < c.canvas.height())
                expected.insert(dot);
        }
        ASSERT_GT(expected.size(), 400u);
        EXPECT_EQ(Dots(Line(c.canvas, QPoint(0, 0), c.far)), expected) << c.canvas.width() << "x" << c.canvas.height();
    }
}

TEST(DotShapeLine, APencilDragWithFarApartEventsLeavesNoGap)
{
    // Three pointer positions far apart: the path joins them with lines and
    // counts the shared dots once.
    CDotShape path(QSize(12, 8));
    path.AddLine(QPoint(0, 0), QPoint(0, 0));
    path.AddLine(QPoint(0, 0), QPoint(9, 2));
    path.AddLine(QPoint(9, 2), QPoint(2, 6));
    EXPECT_EQ(Art(path), "###.........\n"
                         "...####.....\n"
                         ".......###..\n"
                         ".......##...\n"
                         ".....##.....\n"
                         "...##.......\n"
                         "..#.........\n"
                         "............\n");
    EXPECT_EQ(path.DotCount(), 10 + 8 - 1);
}

TEST(DotShapeRectangle, OutlineAndFilledAtOddAndEvenSizes)
{
    const QSize canvas(12, 10);
    const CDotShape outline = Rectangle(canvas, QPoint(10, 8), QPoint(2, 2), false);
    EXPECT_EQ(Art(outline), "............\n"
                            "............\n"
                            "..#########.\n"
                            "..#.......#.\n"
                            "..#.......#.\n"
                            "..#.......#.\n"
                            "..#.......#.\n"
                            "..#.......#.\n"
                            "..#########.\n"
                            "............\n");
    EXPECT_EQ(outline.DotCount(), 28);
    EXPECT_EQ(Rectangle(canvas, QPoint(2, 2), QPoint(10, 8), true).DotCount(), 9 * 7);
    EXPECT_EQ(Rectangle(canvas, QPoint(1, 1), QPoint(4, 6), false).DotCount(), 2 * 4 + 2 * 4);
    EXPECT_EQ(Rectangle(canvas, QPoint(1, 1), QPoint(4, 6), true).DotCount(), 4 * 6);
    // Thin boxes have no inside.
    EXPECT_EQ(Rectangle(canvas, QPoint(3, 3), QPoint(3, 3), false).DotCount(), 1);
    EXPECT_EQ(Rectangle(canvas, QPoint(3, 0), QPoint(3, 9), false).DotCount(), 10);
    EXPECT_EQ(Rectangle(canvas, QPoint(0, 4), QPoint(11, 5), false).DotCount(), 24);
}

TEST(DotShapeRectangle, AClippedOutlineShowsNoEdgeAlongTheBorder)
{
    EXPECT_EQ(Art(Rectangle(QSize(6, 4), QPoint(-3, -3), QPoint(2, 1), false)), "..#...\n"
                                                                                  "###...\n"
                                                                                  "......\n"
                                                                                  "......\n");
}

TEST(DotShapeRectangle, ShiftMakesASquareOfTheLongerDrag)
{
    EXPECT_EQ(CDotShape::SquareCorner(QPoint(2, 2), QPoint(10, 5)), QPoint(10, 10));
    EXPECT_EQ(CDotShape::SquareCorner(QPoint(5, 5), QPoint(1, 7)), QPoint(1, 9));
    EXPECT_EQ(CDotShape::SquareCorner(QPoint(5, 5), QPoint(6, -2)), QPoint(12, -2));
    EXPECT_EQ(CDotShape::SquareCorner(QPoint(5, 5), QPoint(5, 5)), QPoint(5, 5));
    // A drag along one axis only grows the square right or down on the other.
    EXPECT_EQ(CDotShape::SquareCorner(QPoint(5, 5), QPoint(5, 9)), QPoint(9, 9));
    EXPECT_EQ(CDotShape::SquareCorner(QPoint(5, 5), QPoint(1, 5)), QPoint(1, 9));
    EXPECT_EQ(CDotShape::SquareCorner(QPoint(5, 5), QPoint(5, 2)), QPoint(8, 2));
}

struct SEllipseCase
{
    int width, height;
    const char* filled;
    const char* outline;
};

TEST(DotShapeEllipse, OutlineAndFilledAtOddAndEvenSizes)
{
    const SEllipseCase cases[] = {
        {1, 1, "#\n", "#\n"},
        {2, 2, "##\n##\n", "##\n##\n"},
        {3, 3, ".#.\n###\n.#.\n", ".#.\n#.#\n.#.\n"},
        {4, 4, ".##.\n####\n####\n.##.\n", ".##.\n#..#\n#..#\n.##.\n"},
        {5, 5, ".###.\n#####\n#####\n#####\n.###.\n", ".###.\n#...#\n#...#\n#...#\n.###.\n"},
        {7, 7, "..###..\n.#####.\n#######\n#######\n#######\n.#####.\n..###..\n",
         "..###..\n.#...#.\n#.....#\n#.....#\n#.....#\n.#...#.\n..###..\n"},
        {8, 4, "..####..\n########\n########\n..####..\n", "..####..\n##....##\n##....##\n..####..\n"},
        {1, 5, "#\n#\n#\n#\n#\n", "#\n#\n#\n#\n#\n"},
    };
    for (const SEllipseCase& c : cases) {
        const QSize canvas(c.width, c.height);
        const QPoint far(c.width - 1, c.height - 1);
        EXPECT_EQ(Art(Ellipse(canvas, QPoint(0, 0), far, true)), c.filled) << c.width << "x" << c.height;
        EXPECT_EQ(Art(Ellipse(canvas, far, QPoint(0, 0), false)), c.outline) << c.width << "x" << c.height;
    }
}

TEST(DotShapeEllipse, LargeEllipsesAreSymmetricAndTheOutlineLiesOnTheFilledOne)
{
    for (QSize box : {QSize(40, 40), QSize(41, 17), QSize(64, 9), QSize(13, 50)}) {
        const CDotShape filled = Ellipse(box, QPoint(0, 0), QPoint(box.width() - 1, box.height() - 1), true);
        const CDotShape outline = Ellipse(box, QPoint(0, 0), QPoint(box.width() - 1, box.height() - 1), false);
        // Each extreme row and column is reached.
        EXPECT_EQ(filled.Bounds(), QRect(QPoint(0, 0), box));
        filled.ForEachDot([&](int x, int y) {
            EXPECT_TRUE(filled.Contains(box.width() - 1 - x, y));
            EXPECT_TRUE(filled.Contains(x, box.height() - 1 - y));
        });
        outline.ForEachDot([&](int x, int y) { EXPECT_TRUE(filled.Contains(x, y)); });
    }
}

TEST(DotShapeEllipse, ClippedCircleKeepsItsCourse)
{
    // The 7 x 7 circle above, centred on the top-left dot.
    EXPECT_EQ(Art(Ellipse(QSize(5, 5), QPoint(-3, -3), QPoint(3, 3), false)), "...#.\n"
                                                                              "...#.\n"
                                                                              "..#..\n"
                                                                              "##...\n"
                                                                              ".....\n");
    // Far larger than the canvas: the filled one covers it, the outline misses it.
    EXPECT_EQ(Ellipse(QSize(16, 16), QPoint(-8000, -8000), QPoint(8000, 8000), true).DotCount(), 256);
    EXPECT_TRUE(Ellipse(QSize(16, 16), QPoint(-8000, -8000), QPoint(8000, 8000), false).IsEmpty());
    EXPECT_FALSE(Ellipse(QSize(16, 16), QPoint(INT_MIN, INT_MIN), QPoint(INT_MAX, INT_MAX), true).IsEmpty());
}

TEST(DotShape, RunsStayDisjointAndCutToAnArea)
{
    CDotShape shape(QSize(10, 3));
    shape.AddRun(1, 2, 4);
    shape.AddRun(1, 5, 6);
    shape.AddRun(1, 3, 3);
    shape.AddRun(0, -5, 20);
    shape.AddRun(2, 8, 7);
    EXPECT_EQ(shape.Runs(), (std::vector<SDotRun>{{0, 0, 9}, {1, 2, 6}}));
    EXPECT_EQ(shape.DotCount(), 15);
    EXPECT_EQ(shape.Bounds(), QRect(QPoint(0, 0), QPoint(9, 1)));
    EXPECT_EQ(shape.RunsIn(QRect(QPoint(4, 1), QPoint(9, 2))), (std::vector<SDotRun>{{1, 4, 6}}));
    EXPECT_FALSE(shape.Contains(7, 1));
    EXPECT_TRUE(shape.Contains(2, 1));
    // Each end of a run is in it, the dots either side are not, on both axes.
    const struct
    {
        int x, y;
        bool in;
    } probes[] = {{6, 1, true}, {1, 1, false}, {0, 0, true}, {9, 0, true}, {-1, 0, false},
                  {10, 0, false}, {2, 2, false}, {2, -1, false}};
    for (const auto& p : probes)
        EXPECT_EQ(shape.Contains(p.x, p.y), p.in) << p.x << "," << p.y;
    // The area's last row and column count, and a cut of one dot is a run.
    EXPECT_EQ(shape.RunsIn(QRect(QPoint(6, 0), QPoint(9, 0))), (std::vector<SDotRun>{{0, 6, 9}}));
    EXPECT_EQ(shape.RunsIn(QRect(QPoint(6, 0), QPoint(6, 1))), (std::vector<SDotRun>{{0, 6, 6}, {1, 6, 6}}));
    EXPECT_TRUE(shape.RunsIn(QRect()).empty());
    // A single dot on the last row and column is kept; a row past the canvas is not.
    shape.AddRun(2, 9, 9);
    shape.AddRun(3, 0, 9);
    shape.AddRun(-1, 0, 9);
    EXPECT_EQ(shape.Runs(), (std::vector<SDotRun>{{0, 0, 9}, {1, 2, 6}, {2, 9, 9}}));
    EXPECT_EQ(shape.Bounds(), QRect(QPoint(0, 0), QPoint(9, 2)));
    EXPECT_EQ(CDotShape(QSize(4, 4)).Bounds(), QRect());
    // Bounds take the widest of all the runs, not only the first.
    const CDotShape vee = CDotShape::FromRuns(QSize(10, 4), {{0, 4, 5}, {1, 2, 7}, {2, 1, 3}, {3, 6, 8}});
    EXPECT_EQ(vee.Bounds(), QRect(QPoint(1, 0), QPoint(8, 3)));
}

// Every box up to 24 x 24: a dot is in the filled ellipse exactly when its
// centre lies inside the ellipse a quarter dot inside the box. In quarter
// dots from the box's centre the dot's centre is X = 4x + 2 - 2w (Y alike)
// and the half axes are P = 2w - 1 and Q = 2h - 1.
TEST(DotShapeEllipse, EveryBoxUpToTwentyFourHoldsTheDotsInsideTheQuarterDotEllipse)
{
    for (int w = 1; w <= 24; ++w) {
        for (int h = 1; h <= 24; ++h) {
            const CDotShape filled = Ellipse(QSize(w, h), QPoint(0, 0), QPoint(w - 1, h - 1), true);
            const long long p = 2 * w - 1, q = 2 * h - 1;
            for (int y = 0; y < h; ++y) {
                for (int x = 0; x < w; ++x) {
                    const long long dx = 4 * x + 2 - 2 * w, dy = 4 * y + 2 - 2 * h;
                    const bool inside = dx * dx * q * q + dy * dy * p * p <= p * p * q * q;
                    ASSERT_EQ(filled.Contains(x, y), inside) << w << "x" << h << " at " << x << "," << y;
                }
            }
        }
    }
}

// Painting a shape larger than the grid colours only the dots on the grid,
// counted in display rows in both modes; an empty grid takes nothing.
TEST(DotShapePaint, OnlyTheDotsOnTheGridTakeTheColour)
{
    CDotShape shape(QSize(16, 16));
    shape.AddRectangle({2, 3}, {12, 12}, true);
    for (const int mode : {ImageMode, TextMode}) {
        CDotGrid grid;
        ASSERT_TRUE(grid.Create(8, 8, mode));
        PaintShape(grid, shape, DotPalette[1]);
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x)
                ASSERT_EQ(grid.DisplayDotAt(x, y), x >= 2 && y >= 3 ? DotPalette[1] : grid.BackColor())
                    << mode << ": " << x << "," << y;
    }
    CDotGrid empty;
    PaintShape(empty, shape, DotPalette[1]);
    EXPECT_TRUE(empty.IsEmpty());
}

// Every colour lands in its own channels; a run of one dot at the grid's
// last column and a run from column 0 are painted too.
TEST(DotShapePaint, EachColourFillsItsRunsEndToEnd)
{
    const CDotShape shape = CDotShape::FromRuns(QSize(16, 8), {{0, 0, 0}, {1, 7, 12}, {2, 3, 5}});
    const DotSet lit = {{0, 0}, {7, 1}, {3, 2}, {4, 2}, {5, 2}};
    for (const SDotColour& colour : kSevenColours) {
        CDotGrid grid;
        ASSERT_TRUE(grid.Create(8, 4, ImageMode));
        PaintShape(grid, shape, colour.Value());
        for (int y = 0; y < 4; ++y) {
            for (int x = 0; x < 8; ++x) {
                EXPECT_EQ(grid.DisplayDotAt(x, y), lit.count({x, y}) ? colour.Value() : grid.BackColor())
                    << colour.name << " " << x << "," << y;
            }
        }
    }
}
