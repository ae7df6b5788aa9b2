#include "ShapeArt.h"

#include "canvas/CanvasSize.h"

#include <QString>
#include <gtest/gtest.h>

namespace {

// Old dot (x, y) of the 16 x 16 test canvas: lit in a colour of its own
// position on a sparse pattern, so every placement can be checked.
COLORREF PatternAt(int x, int y)
{
    if ((x + 2 * y) % 5 != 0)
        return 0;
    return DotPalette[static_cast<std::size_t>((x * 3 + y) % 7)];
}

CDotGrid PatternGrid(int width, int height)
{
    CDotGrid grid;
    grid.SetDotColor(2);
    grid.SetBackgroundColor(MakeColor(10, 20, 30), false);
    grid.Create(width, height, TextMode);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (PatternAt(x, y) != 0)
                grid.SetDot(x, height - 1 - y, PatternAt(x, y));
    return grid;
}

// Every dot of 'out' is the old dot it came from, or background.
void ExpectPlaced(const CDotGrid& old, const CDotGrid& out, QPoint offset, const char* what)
{
    for (int y = 0; y < out.Height(); ++y) {
        for (int x = 0; x < out.Width(); ++x) {
            const int ox = x - offset.x();
            const int oy = y - offset.y();
            const bool inside = ox >= 0 && oy >= 0 && ox < old.Width() && oy < old.Height();
            const COLORREF expected = inside ? old.DotAt(ox, old.Height() - 1 - oy) : out.BackColor();
            ASSERT_EQ(out.DotAt(x, out.Height() - 1 - y), expected) << what << " at " << x << "," << y;
        }
    }
}

struct SAnchorCase
{
    const char* name;
    QPoint grown;  // 16 x 16 -> 32 x 24
    QPoint shrunk; // 16 x 16 -> 8 x 8
};

constexpr SAnchorCase kAnchors[] = {
    {"top-left", {0, 0}, {0, 0}},     {"top", {8, 0}, {-4, 0}},     {"top-right", {16, 0}, {-8, 0}},
    {"left", {0, 4}, {0, -4}},        {"center", {8, 4}, {-4, -4}}, {"right", {16, 4}, {-8, -4}},
    {"bottom-left", {0, 8}, {0, -8}}, {"bottom", {8, 8}, {-4, -8}}, {"bottom-right", {16, 8}, {-8, -8}},
};

} // namespace

TEST(CanvasSize, ResizeKeepsTheDotsAtEachAnchor)
{
    const CDotGrid old = PatternGrid(16, 16);
    for (const SAnchorCase& c : kAnchors) {
        const int anchor = AnchorOfName(QString::fromLatin1(c.name));
        ASSERT_GE(anchor, 0) << c.name;
        CDotGrid grown;
        ASSERT_TRUE(ResizedGrid(old, QSize(32, 24), anchor, grown));
        ASSERT_EQ(QSize(grown.Width(), grown.Height()), QSize(32, 24));
        ExpectPlaced(old, grown, c.grown, c.name);
        CDotGrid shrunk;
        ASSERT_TRUE(ResizedGrid(old, QSize(8, 8), anchor, shrunk));
        ExpectPlaced(old, shrunk, c.shrunk, c.name);
        // Mode and colours travel with the dots.
        EXPECT_EQ(shrunk.Mode(), TextMode);
        EXPECT_EQ(shrunk.ColorIndex(), 2);
        EXPECT_EQ(shrunk.BackColor(), MakeColor(10, 20, 30));
    }
}

TEST(CanvasSize, SizesAreCorrectedAsTheNewDialogCorrectsThem)
{
    EXPECT_EQ(CorrectedCanvasSize(QSize(30, 20)), QSize(32, 24));
    EXPECT_EQ(CorrectedCanvasSize(QSize(8, 9)), QSize(8, 16));
    EXPECT_EQ(CorrectedCanvasSize(QSize(0, -5)), QSize(8, 8));
    EXPECT_EQ(CorrectedCanvasSize(QSize(1024, 768)), QSize(1024, 768));
    EXPECT_EQ(CorrectedCanvasSize(QSize(1025, 769)), QSize(1024, 768));
    const CDotGrid old = PatternGrid(16, 16);
    CDotGrid out;
    ASSERT_TRUE(ResizedGrid(old, QSize(17, 1), AnchorCenter, out));
    EXPECT_EQ(QSize(out.Width(), out.Height()), QSize(24, 8));
    ExpectPlaced(old, out, QPoint(4, -4), "24x8 centre");
}

TEST(CanvasSize, ResizeCopiesEveryColourExactlyAndRefusesBadInput)
{
    CDotGrid old = PatternGrid(8, 8);
    old.SetDot(3, 3, MakeColor(1, 2, 3));
    CDotGrid out;
    ASSERT_TRUE(ResizedGrid(old, QSize(16, 16), AnchorBottomRight, out));
    EXPECT_EQ(out.DotAt(11, 3), MakeColor(1, 2, 3));
    EXPECT_FALSE(ResizedGrid(old, QSize(16, 16), -1, out));
    EXPECT_FALSE(ResizedGrid(old, QSize(16, 16), kAnchorCount, out));
    EXPECT_FALSE(ResizedGrid(CDotGrid(), QSize(16, 16), AnchorTop, out));
    EXPECT_EQ(out.DotAt(11, 3), MakeColor(1, 2, 3)) << "a refused resize leaves the output alone";
}

TEST(CanvasSize, CropKeepsTheAreaAtTheTopLeftOfWholeBlocks)
{
    const CDotGrid old = PatternGrid(16, 16);
    CDotGrid out;
    ASSERT_TRUE(CroppedGrid(old, QRect(3, 5, 6, 2), out));
    ASSERT_EQ(QSize(out.Width(), out.Height()), QSize(8, 8));
    // Beyond the 6 x 2 area the new dots are background, not more of the old canvas.
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) {
            const bool inArea = x < 6 && y < 2;
            const COLORREF expected = inArea ? old.DotAt(x + 3, 15 - (y + 5)) : out.BackColor();
            ASSERT_EQ(out.DotAt(x, 7 - y), expected) << x << "," << y;
        }
    ASSERT_TRUE(CroppedGrid(old, QRect(12, 12, 10, 10), out));
    EXPECT_EQ(QSize(out.Width(), out.Height()), QSize(8, 8));
    ExpectPlaced(old, out, QPoint(-12, -12), "corner crop");
    ASSERT_TRUE(CroppedGrid(old, QRect(0, 0, 9, 16), out));
    EXPECT_EQ(QSize(out.Width(), out.Height()), QSize(16, 16));
    EXPECT_FALSE(CroppedGrid(old, QRect(16, 0, 4, 4), out));
    EXPECT_FALSE(CroppedGrid(old, QRect(2, 2, 0, 4), out));
}

TEST(CanvasSize, AnchorNamesInEitherSpelling)
{
    EXPECT_EQ(AnchorOfName(QStringLiteral("Top-Left")), AnchorTopLeft);
    EXPECT_EQ(AnchorOfName(QStringLiteral("se")), AnchorBottomRight);
    EXPECT_EQ(AnchorOfName(QStringLiteral("C")), AnchorCenter);
    EXPECT_EQ(AnchorOfName(QStringLiteral("middle")), -1);
    EXPECT_EQ(AnchorOfName(QString()), -1);
}

// An odd difference cannot be split evenly: the dots sit half a dot toward
// the top left of the centre, whether the canvas grows or shrinks. Text
// canvases can have any size, so the old one need not be whole blocks.
TEST(CanvasSize, OddDifferencesPutTheOddDotAfterTheDotsOnBothAxes)
{
    const struct
    {
        QSize from;
        const char* anchor;
        QSize to;
        QPoint offset;
    } cases[] = {
        {{9, 9}, "center", {8, 8}, {-1, -1}},    {{9, 9}, "center", {16, 16}, {3, 3}},
        {{13, 11}, "center", {8, 8}, {-3, -2}},  {{13, 11}, "right", {8, 8}, {-5, -2}},
        {{13, 11}, "bottom", {16, 16}, {1, 5}},
    };
    for (const auto& c : cases) {
        const CDotGrid old = PatternGrid(c.from.width(), c.from.height());
        CDotGrid out;
        ASSERT_TRUE(ResizedGrid(old, c.to, AnchorOfName(QString::fromLatin1(c.anchor)), out));
        ASSERT_EQ(QSize(out.Width(), out.Height()), c.to);
        ExpectPlaced(old, out, c.offset, c.anchor);
    }
}

TEST(CanvasSize, EveryAnchorHasItsCompassNameAndTheHelpListsTheLongOnes)
{
    const char* compass[] = {"NW", "n", "ne", "w", "c", "E", "sw", "s", "se"};
    for (int anchor = 0; anchor < kAnchorCount; ++anchor)
        EXPECT_EQ(AnchorOfName(QString::fromLatin1(compass[anchor])), anchor) << compass[anchor];
    EXPECT_EQ(AnchorNames(), QStringLiteral("top-left, top, top-right, left, center, right, bottom-left, bottom, bottom-right"));
}

// An area that starts before the grid keeps what lies on it, moved to the
// top left corner; one that only touches the grid from outside is refused.
TEST(CanvasSize, CropFromBeforeTheGridOnBothAxes)
{
    const CDotGrid old = PatternGrid(16, 16);
    CDotGrid out;
    ASSERT_TRUE(CroppedGrid(old, QRect(-3, -5, 8, 9), out));
    ASSERT_EQ(QSize(out.Width(), out.Height()), QSize(8, 8));
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) {
            const COLORREF expected = x < 5 && y < 4 ? old.DotAt(x, 15 - y) : out.BackColor();
            ASSERT_EQ(out.DotAt(x, 7 - y), expected) << x << "," << y;
        }
    EXPECT_FALSE(CroppedGrid(old, QRect(-4, 0, 4, 4), out));
    EXPECT_FALSE(CroppedGrid(old, QRect(0, -4, 4, 4), out));
    EXPECT_FALSE(CroppedGrid(old, QRect(0, 16, 4, 4), out));
    EXPECT_TRUE(CroppedGrid(old, QRect(15, 15, 1, 1), out));
    EXPECT_EQ(out.DotAt(0, 7), old.DotAt(15, 0));
}
