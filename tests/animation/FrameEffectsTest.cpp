#include "AnimationSupport.h"
#include "animation/FrameEffects.h"

#include <gtest/gtest.h>

namespace {

using Direction = CFrameEffects::Direction;

// What panel dot (x, y) of scroll frame k shows, worked out from the
// movement itself: the message starts just outside the entry edge and moves
// one dot a frame.
COLORREF ExpectedScrollDot(const CDotGrid& message, int panelWidth, int panelHeight, Direction direction,
                           int k, int x, int y)
{
    int mx = x, my = y;
    switch (direction) {
    case Direction::Left: mx = x - (panelWidth - 1 - k); break;        // first column enters at the right
    case Direction::Right: mx = x + (message.Width() - 1 - k); break;  // last column enters at the left
    case Direction::Up: my = y - (panelHeight - 1 - k); break;         // top row enters at the bottom
    case Direction::Down: my = y + (message.Height() - 1 - k); break;  // bottom row enters at the top
    }
    if (mx < 0 || mx >= message.Width() || my < 0 || my >= message.Height())
        return kTestBackground;
    return ColorAt(message, mx, my);
}

void ExpectScroll(const CDotGrid& message, int panelWidth, int panelHeight, Direction direction,
                  int expectedCount)
{
    std::vector<SSignFrame> frames;
    QString error;
    ASSERT_TRUE(CFrameEffects::Scroll(message, panelWidth, panelHeight, direction, 50, frames, error))
        << error.toStdString();
    ASSERT_EQ(static_cast<int>(frames.size()), expectedCount);
    int wrong = 0;
    for (int k = 0; k < expectedCount; ++k) {
        const CDotGrid& frame = frames[static_cast<std::size_t>(k)].grid;
        ASSERT_EQ(frame.Width(), panelWidth);
        ASSERT_EQ(frame.Height(), panelHeight);
        EXPECT_EQ(frame.Mode(), ImageMode);
        EXPECT_EQ(frames[static_cast<std::size_t>(k)].nDurationMs, 50);
        for (int y = 0; y < panelHeight; ++y)
            for (int x = 0; x < panelWidth; ++x)
                if (ColorAt(frame, x, y) != ExpectedScrollDot(message, panelWidth, panelHeight, direction, k, x, y)
                    && ++wrong < 5)
                    ADD_FAILURE() << "frame " << k << " dot " << x << "," << y;
    }
    EXPECT_EQ(wrong, 0);
}

bool IsBlank(const CDotGrid& grid)
{
    for (int y = 0; y < grid.Height(); ++y)
        for (int x = 0; x < grid.Width(); ++x)
            if (ColorAt(grid, x, y) != kTestBackground)
                return false;
    return true;
}

} // namespace

TEST(FrameEffects, ThreeHundredDotMessageScrollsAcrossSixtyFourDotPanelInThreeHundredSixtyFourFrames)
{
    CDotGrid message = PatternGrid(300, 16);
    message.SetMode(TextMode);
    ExpectScroll(message, 64, 16, Direction::Left, 300 + 64);
    ExpectScroll(message, 64, 16, Direction::Right, 300 + 64);

    // The ends, spelt out: the first column enters alone at the right edge,
    // and the last frame is the empty gap before the loop starts again.
    std::vector<SSignFrame> frames;
    QString error;
    ASSERT_TRUE(CFrameEffects::Scroll(message, 64, 16, Direction::Left, 50, frames, error));
    for (int y = 0; y < 16; ++y) {
        EXPECT_EQ(ColorAt(frames[0].grid, 63, y), PatternColor(0, y));
        EXPECT_EQ(ColorAt(frames[0].grid, 62, y), kTestBackground);
        EXPECT_EQ(ColorAt(frames[362].grid, 0, y), PatternColor(299, y));
    }
    EXPECT_TRUE(IsBlank(frames[363].grid));
}

TEST(FrameEffects, ScrollsUpAndDownAndFitsMessagesOfOtherSizes)
{
    const CDotGrid tall = PatternGrid(16, 40, 1);
    ExpectScroll(tall, 16, 8, Direction::Up, 40 + 8);
    ExpectScroll(tall, 16, 8, Direction::Down, 40 + 8);
    // Message smaller than the panel across the movement: the rest is background.
    const CDotGrid small = PatternGrid(8, 8, 2);
    ExpectScroll(small, 24, 16, Direction::Left, 8 + 24);
    ExpectScroll(small, 16, 24, Direction::Up, 8 + 24);
    // Larger: cut off at the far side.
    ExpectScroll(tall, 8, 16, Direction::Right, 16 + 8);
    // One-dot panel, both axes.
    ExpectScroll(small, 1, 8, Direction::Left, 9);
    ExpectScroll(small, 8, 1, Direction::Down, 9);
}

TEST(FrameEffects, NothingToScrollOrTooManyFramesIsRefused)
{
    std::vector<SSignFrame> frames{SSignFrame{PatternGrid(8, 8), 10}};
    QString error;
    EXPECT_FALSE(CFrameEffects::Scroll(CDotGrid(), 64, 16, Direction::Left, 50, frames, error));
    EXPECT_TRUE(frames.empty());
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(CFrameEffects::Scroll(PatternGrid(8, 8), 0, 16, Direction::Left, 50, frames, error));
    EXPECT_FALSE(CFrameEffects::Scroll(PatternGrid(8, 8), 16, -1, Direction::Up, 50, frames, error));
    // 1024 x 768 panels, 2048 of them: far beyond the memory cap, refused before allocating.
    error.clear();
    EXPECT_FALSE(CFrameEffects::Scroll(PatternGrid(1024, 8), 1024, 768, Direction::Left, 50, frames, error));
    EXPECT_TRUE(error.contains(QStringLiteral("2048 frames"))) << error.toStdString();
}

TEST(FrameEffects, SpeedGivesTheDurationOfEachFrame)
{
    const struct
    {
        int speed, ms;
    } cases[] = {
        {1, 1000}, {2, 500}, {3, 333}, {7, 143}, {20, 50}, {30, 33}, {99, 10}, {100, 10},
        // Halves round up: 62.5 and 12.5 ms.
        {16, 63}, {80, 13},
        // Outside 1..100 dots a second: the nearest speed.
        {0, 1000}, {-5, 1000}, {101, 10}, {100000, 10},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CFrameEffects::DurationForSpeed(c.speed), c.ms) << c.speed << " dots a second";
}

TEST(FrameEffects, BlinkAlternatesMessageAndBackground)
{
    CDotGrid message = PatternGrid(16, 8);
    message.SetDotColor(2);
    std::vector<SSignFrame> frames;
    QString error;
    ASSERT_TRUE(CFrameEffects::Blink(message, 400, frames, error));
    ASSERT_EQ(frames.size(), 2u);
    EXPECT_TRUE(SameDots(frames[0].grid, message));
    EXPECT_TRUE(IsBlank(frames[1].grid));
    EXPECT_EQ(frames[1].grid.BackColor(), kTestBackground);
    // Both frames draw in the message's colour.
    EXPECT_EQ(frames[0].grid.ColorIndex(), 2);
    EXPECT_EQ(frames[1].grid.ColorIndex(), 2);
    EXPECT_EQ(frames[0].nDurationMs, 400);
    EXPECT_EQ(frames[1].nDurationMs, 400);
    EXPECT_FALSE(CFrameEffects::Blink(CDotGrid(), 400, frames, error));
    EXPECT_TRUE(frames.empty());
    EXPECT_EQ(error.toStdString(), "There is nothing to animate: the canvas has no dots.");
    // A typed message blinks as plain dots.
    message.SetMode(TextMode);
    ASSERT_TRUE(CFrameEffects::Blink(message, 5, frames, error));
    EXPECT_EQ(frames[0].grid.Mode(), ImageMode);
    EXPECT_EQ(frames[0].nDurationMs, CFrameList::kMinDurationMs);
    EXPECT_EQ(frames[1].nDurationMs, CFrameList::kMinDurationMs);

    // A long banner of 10,000 x 2 dots blinks in two frames of 60,000 bytes
    // each, far inside the memory cap whatever its width.
    const CDotGrid banner = PatternGrid(10000, 2);
    ASSERT_TRUE(CFrameEffects::Blink(banner, 400, frames, error)) << error.toStdString();
    ASSERT_EQ(frames.size(), 2u);
    EXPECT_TRUE(SameDots(frames[0].grid, banner));
    EXPECT_TRUE(IsBlank(frames[1].grid));
}

TEST(FrameEffects, WipeUncoversOneColumnOrRowAFrame)
{
    const CDotGrid message = PatternGrid(24, 16);
    const struct
    {
        Direction direction;
        int count;
    } cases[] = {{Direction::Right, 24}, {Direction::Left, 24}, {Direction::Down, 16}, {Direction::Up, 16}};
    for (const auto& c : cases) {
        std::vector<SSignFrame> frames;
        QString error;
        ASSERT_TRUE(CFrameEffects::Wipe(message, c.direction, 30, frames, error));
        ASSERT_EQ(static_cast<int>(frames.size()), c.count);
        for (int k = 1; k <= c.count; ++k) {
            const CDotGrid& frame = frames[static_cast<std::size_t>(k - 1)].grid;
            ASSERT_EQ(frames[static_cast<std::size_t>(k - 1)].nDurationMs, 30);
            for (int y = 0; y < 16; ++y)
                for (int x = 0; x < 24; ++x) {
                    const bool shown = c.direction == Direction::Right ? x < k
                                     : c.direction == Direction::Left  ? x >= 24 - k
                                     : c.direction == Direction::Down  ? y < k
                                                                       : y >= 16 - k;
                    ASSERT_EQ(ColorAt(frame, x, y), shown ? PatternColor(x, y) : kTestBackground)
                        << "frame " << k << " dot " << x << "," << y;
                }
        }
    }
}

// One row to uncover: a single frame, the message itself.
TEST(FrameEffects, AOneRowWipeIsOneFrame)
{
    const CDotGrid message = PatternGrid(8, 1);
    std::vector<SSignFrame> frames;
    QString error;
    ASSERT_TRUE(CFrameEffects::Wipe(message, Direction::Down, 30, frames, error)) << error.toStdString();
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_TRUE(SameDots(frames[0].grid, message));
}

TEST(FrameEffects, DirectionNames)
{
    Direction d = Direction::Up;
    EXPECT_TRUE(CFrameEffects::DirectionOfName(QStringLiteral("Left"), d));
    EXPECT_EQ(d, Direction::Left);
    EXPECT_TRUE(CFrameEffects::DirectionOfName(QStringLiteral("RIGHT"), d));
    EXPECT_EQ(d, Direction::Right);
    EXPECT_TRUE(CFrameEffects::DirectionOfName(QStringLiteral("up"), d));
    EXPECT_EQ(d, Direction::Up);
    EXPECT_TRUE(CFrameEffects::DirectionOfName(QStringLiteral("Down"), d));
    EXPECT_EQ(d, Direction::Down);
    EXPECT_FALSE(CFrameEffects::DirectionOfName(QStringLiteral("sideways"), d));
    EXPECT_FALSE(CFrameEffects::DirectionOfName(QString(), d));
}

// A wipe makes a frame a column (row) of the whole message: 10,000 frames of
// 10,000 x 2 dots need 600 MB, past the 512 MiB the frames may take, on
// either axis; an empty canvas has nothing to wipe. Nothing is left behind.
TEST(FrameEffects, AWipeTooLargeOrOfNothingIsRefused)
{
    std::vector<SSignFrame> frames;
    QString error;
    const struct
    {
        int width, height;
        Direction direction;
        const char* error;
    } cases[] = {
        {10000, 2, Direction::Right, "The animation would need 10000 frames of 10000 x 2 dots, more than memory allows."},
        {2, 10000, Direction::Up, "The animation would need 10000 frames of 2 x 10000 dots, more than memory allows."},
        {0, 0, Direction::Left, "There is nothing to animate: the canvas has no dots."},
    };
    for (const auto& c : cases) {
        const CDotGrid message = c.width ? PatternGrid(c.width, c.height) : CDotGrid();
        frames.assign(1, SSignFrame{PatternGrid(2, 2), 30});
        error.clear();
        EXPECT_FALSE(CFrameEffects::Wipe(message, c.direction, 30, frames, error)) << c.width << " x " << c.height;
        EXPECT_EQ(error.toStdString(), c.error);
        EXPECT_TRUE(frames.empty());
    }
}
