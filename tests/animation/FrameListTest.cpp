#include "AnimationSupport.h"
#include "animation/FrameList.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Frames told apart by the seed of their pattern; this reads the order back.
std::string Order(const CFrameList& list, int seeds)
{
    std::string order;
    for (int i = 0; i < list.Count(); ++i) {
        char id = '?';
        for (int seed = 0; seed < seeds; ++seed)
            if (SameDots(list.Grid(i), PatternGrid(16, 8, seed)))
                id = static_cast<char>('a' + seed);
        order += id;
    }
    return order;
}

// A list of frames a, b, c, ... (seeds 0, 1, 2, ...) with durations 10, 20, 30, ...
void Fill(CFrameList& list, int count)
{
    list.Live().SetBackgroundColor(kTestBackground, false);
    std::vector<SSignFrame> frames;
    for (int i = 0; i < count; ++i)
        frames.push_back(SSignFrame{PatternGrid(16, 8, i), 10 * (i + 1)});
    ASSERT_TRUE(list.Replace(std::move(frames), 0));
}

} // namespace

TEST(FrameList, ANewListIsTheLiveGridAlone)
{
    CDotGrid live = PatternGrid(16, 8);
    CFrameList list(live);
    EXPECT_EQ(list.Count(), 1);
    EXPECT_FALSE(list.IsAnimated());
    EXPECT_EQ(&list.Grid(0), &live);
    EXPECT_EQ(list.Duration(0), CFrameList::kDefaultDurationMs);
    // Nothing to select, remove or move with one frame.
    EXPECT_FALSE(list.Select(1));
    EXPECT_FALSE(list.Remove(0));
    EXPECT_FALSE(list.Move(0, 1));
    EXPECT_TRUE(SameDots(live, PatternGrid(16, 8)));
}

TEST(FrameList, SelectingSwapsDotsThroughTheSameLiveGrid)
{
    CDotGrid live;
    CFrameList list(live);
    Fill(list, 3);
    live.SetDotColor(2); // the user's painting colour
    ASSERT_TRUE(list.Select(2));
    EXPECT_EQ(list.Current(), 2);
    EXPECT_EQ(&list.Grid(2), &live);
    EXPECT_TRUE(SameDots(live, PatternGrid(16, 8, 2)));
    EXPECT_EQ(live.ColorIndex(), 2);
    // An edit of the live grid stays with its frame.
    LightAt(live, 0, 0, kSevenColours[6].Value());
    ASSERT_TRUE(list.Select(0));
    EXPECT_TRUE(SameDots(live, PatternGrid(16, 8, 0)));
    EXPECT_EQ(ColorAt(list.Grid(2), 0, 0), kSevenColours[6].Value());
    EXPECT_FALSE(list.Select(0));
    EXPECT_FALSE(list.Select(3));
    EXPECT_FALSE(list.Select(-1));
}

TEST(FrameList, AddDuplicateRemoveAndMoveKeepOrderAndCurrentFrame)
{
    CDotGrid live;
    CFrameList list(live);
    Fill(list, 3);
    EXPECT_EQ(Order(list, 3), "abc");

    ASSERT_TRUE(list.Duplicate(1));
    EXPECT_EQ(Order(list, 3), "abbc");
    EXPECT_EQ(list.Current(), 2);
    EXPECT_EQ(list.Duration(2), 20);

    ASSERT_TRUE(list.AddBlank());
    EXPECT_EQ(Order(list, 3), "abb?c");
    EXPECT_EQ(list.Current(), 3);
    EXPECT_EQ(list.Grid(3).BackColor(), kTestBackground);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 16; ++x)
            ASSERT_EQ(ColorAt(live, x, y), kTestBackground);

    SSignFrame removed;
    ASSERT_TRUE(list.Remove(3, &removed)); // the current, blank frame
    EXPECT_EQ(Order(list, 3), "abbc");
    EXPECT_EQ(list.Current(), 3); // the frame after it takes its place
    EXPECT_TRUE(SameDots(live, PatternGrid(16, 8, 2)));
    EXPECT_EQ(removed.grid.Width(), 16);

    // Removing before the current frame keeps the same frame current.
    ASSERT_TRUE(list.Remove(0));
    EXPECT_EQ(Order(list, 3), "bbc");
    EXPECT_EQ(list.Current(), 2);
    EXPECT_TRUE(SameDots(live, PatternGrid(16, 8, 2)));
    // Removing the current last frame: the one before becomes current.
    ASSERT_TRUE(list.Remove(2));
    EXPECT_EQ(Order(list, 3), "bb");
    EXPECT_EQ(list.Current(), 1);
    EXPECT_TRUE(SameDots(live, PatternGrid(16, 8, 1)));

    // Moves forward and back, the current frame followed by number.
    Fill(list, 4);
    ASSERT_TRUE(list.Select(1));
    ASSERT_TRUE(list.Move(0, 3));
    EXPECT_EQ(Order(list, 4), "bcda");
    EXPECT_EQ(list.Current(), 0);
    ASSERT_TRUE(list.Move(3, 0));
    EXPECT_EQ(Order(list, 4), "abcd");
    EXPECT_EQ(list.Current(), 1);
    ASSERT_TRUE(list.Move(1, 2));
    EXPECT_EQ(Order(list, 4), "acbd");
    EXPECT_EQ(list.Current(), 2);
    EXPECT_TRUE(SameDots(live, PatternGrid(16, 8, 1)));
    // Onto the current frame's slot from either side: it steps aside.
    ASSERT_TRUE(list.Move(0, 2));
    EXPECT_EQ(Order(list, 4), "cbad");
    EXPECT_EQ(list.Current(), 1);
    ASSERT_TRUE(list.Move(3, 1));
    EXPECT_EQ(Order(list, 4), "cdba");
    EXPECT_EQ(list.Current(), 2);
    EXPECT_TRUE(SameDots(live, PatternGrid(16, 8, 1)));
    EXPECT_EQ(list.Duration(2), 20);
    // Moves wholly before or wholly after the current frame leave its number.
    ASSERT_TRUE(list.Move(0, 1));
    EXPECT_EQ(Order(list, 4), "dcba");
    EXPECT_EQ(list.Current(), 2);
    ASSERT_TRUE(list.Move(2, 0));
    EXPECT_EQ(list.Current(), 0);
    ASSERT_TRUE(list.Move(3, 1));
    EXPECT_EQ(Order(list, 4), "badc");
    EXPECT_EQ(list.Current(), 0);
    EXPECT_TRUE(SameDots(live, PatternGrid(16, 8, 1)));
    EXPECT_FALSE(list.Move(2, 2));
    EXPECT_FALSE(list.Move(0, 4));
    EXPECT_FALSE(list.Remove(4));
    EXPECT_FALSE(list.Duplicate(-1));
}

TEST(FrameList, DurationsAreKeptWithinLimits)
{
    CDotGrid live = PatternGrid(16, 8);
    CFrameList list(live);
    const struct
    {
        int set, kept;
    } cases[] = {{50, 50}, {10, 10}, {9, 10}, {0, 10}, {-3, 10}, {60000, 60000}, {60001, 60000}};
    for (const auto& c : cases) {
        list.SetDuration(0, c.set);
        EXPECT_EQ(list.Duration(0), c.kept) << c.set;
    }
    EXPECT_FALSE(list.SetDuration(0, 60000)); // unchanged
    EXPECT_FALSE(list.SetDuration(1, 50));
}

TEST(FrameList, FramesOfAnotherSizeOrBeyondTheCapAreRefused)
{
    CDotGrid live = PatternGrid(16, 8);
    CFrameList list(live);
    EXPECT_FALSE(list.Insert(1, SSignFrame{PatternGrid(8, 8), 50}));
    EXPECT_FALSE(list.Insert(2, SSignFrame{PatternGrid(16, 8), 50}));
    std::vector<SSignFrame> mixed;
    mixed.push_back(SSignFrame{PatternGrid(16, 8), 50});
    mixed.push_back(SSignFrame{PatternGrid(16, 16), 50});
    EXPECT_FALSE(list.Replace(std::move(mixed), 0));
    EXPECT_FALSE(list.Replace({}, 0));
    EXPECT_EQ(list.Count(), 1);
    EXPECT_TRUE(SameDots(live, PatternGrid(16, 8)));

    // The cap, counted in whole frames: the largest canvas fits 227 times in 512 MB.
    CDotGrid large;
    large.Create(1024, 768, ImageMode);
    CFrameList big(large);
    EXPECT_TRUE(big.HasRoomFor(226));
    EXPECT_FALSE(big.HasRoomFor(227));
    // No frames always fit; an empty canvas has room for none.
    EXPECT_TRUE(big.HasRoomFor(0));
    EXPECT_TRUE(big.HasRoomFor(-1));
    CDotGrid nothing;
    CFrameList none(nothing);
    EXPECT_TRUE(none.HasRoomFor(0));
    EXPECT_FALSE(none.HasRoomFor(1));
}

TEST(FrameList, CopyResetAndFitToANewSize)
{
    CDotGrid live;
    CFrameList list(live);
    Fill(list, 3);
    ASSERT_TRUE(list.Select(1));
    const std::vector<SSignFrame> copy = list.Copy();
    ASSERT_EQ(copy.size(), 3u);
    EXPECT_TRUE(SameDots(copy[1].grid, PatternGrid(16, 8, 1)));
    EXPECT_EQ(copy[2].nDurationMs, 30);

    // The live grid grows (a rotation, a merge): the others follow, top-left kept.
    ASSERT_TRUE(live.Rotate());
    list.FitToLive();
    const CDotGrid& other = list.Grid(0);
    ASSERT_EQ(other.Width(), 8);
    ASSERT_EQ(other.Height(), 16);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 8; ++x)
            ASSERT_EQ(ColorAt(other, x, y), y < 8 ? PatternColor(x, y, 0) : kTestBackground) << x << "," << y;

    list.Reset();
    EXPECT_EQ(list.Count(), 1);
    EXPECT_EQ(list.Duration(0), 20);
    EXPECT_EQ(&list.Grid(0), &live);
}

TEST(FrameList, TheBackgroundAndPaintColourAreTheDocumentsNotAFramesOwn)
{
    CDotGrid live;
    CFrameList list(live);
    Fill(list, 2);
    const COLORREF newBack = MakeColor(10, 20, 30);
    live.SetBackgroundColor(newBack, true);
    live.SetDotColor(4);
    // The stored frame still has the old background, but shows the new one.
    EXPECT_EQ(list.Grid(1).BackColor(), kTestBackground);
    const CDotGrid picture = list.Picture(1);
    ASSERT_TRUE(list.Select(1));
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 16; ++x) {
            const COLORREF expected = PatternColor(x, y, 1) == kTestBackground ? newBack : PatternColor(x, y, 1);
            ASSERT_EQ(ColorAt(live, x, y), expected) << x << "," << y;
            ASSERT_EQ(ColorAt(picture, x, y), expected) << x << "," << y;
        }
    EXPECT_EQ(live.BackColor(), newBack);
    EXPECT_EQ(live.ColorIndex(), 4);
}

TEST(FrameList, TheLiveGridGoesBackToTheFrameSize)
{
    CDotGrid live;
    CFrameList list(live);
    EXPECT_FALSE(list.FitLiveToFrames()); // one frame: any size is its own
    Fill(list, 2);
    EXPECT_FALSE(list.FitLiveToFrames());
    // A rendering made the live grid 24 x 4: cut to 16 x 8, top-left kept.
    live = PatternGrid(24, 4, 3);
    ASSERT_TRUE(list.FitLiveToFrames());
    ASSERT_EQ(live.Width(), 16);
    ASSERT_EQ(live.Height(), 8);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 16; ++x)
            ASSERT_EQ(ColorAt(live, x, y), y < 4 ? PatternColor(x, y, 3) : kTestBackground) << x << "," << y;
}

TEST(FrameList, InsertAcceptsEitherEndAndRefusesEachWrongSide)
{
    CDotGrid live;
    CFrameList list(live);
    Fill(list, 2);
    EXPECT_EQ(list.Duration(-1), 0);
    EXPECT_EQ(list.Duration(2), 0);
    // At the front and one past the end, each selected, durations clamped.
    ASSERT_TRUE(list.Insert(0, SSignFrame{PatternGrid(16, 8, 2), 5}));
    EXPECT_EQ(list.Current(), 0);
    EXPECT_EQ(Order(list, 4), "cab");
    EXPECT_EQ(list.Duration(0), 10);
    ASSERT_TRUE(list.Insert(3, SSignFrame{PatternGrid(16, 8, 3), 70000}));
    EXPECT_EQ(list.Current(), 3);
    EXPECT_EQ(Order(list, 4), "cabd");
    EXPECT_EQ(list.Duration(3), 60000);
    EXPECT_TRUE(SameDots(live, PatternGrid(16, 8, 3)));
    // One past either end, one dot too wide or too tall, or no dots at all.
    EXPECT_FALSE(list.Insert(-1, SSignFrame{PatternGrid(16, 8), 50}));
    EXPECT_FALSE(list.Insert(5, SSignFrame{PatternGrid(16, 8), 50}));
    EXPECT_FALSE(list.Insert(1, SSignFrame{PatternGrid(17, 8), 50}));
    EXPECT_FALSE(list.Insert(1, SSignFrame{PatternGrid(16, 9), 50}));
    EXPECT_FALSE(list.Insert(1, SSignFrame{PatternGrid(16, 7), 50}));
    EXPECT_EQ(Order(list, 4), "cabd");

    // A blank frame takes the duration of the frame it follows.
    ASSERT_TRUE(list.Select(1));
    ASSERT_TRUE(list.SetDuration(1, 40));
    EXPECT_FALSE(list.SetDuration(1, 40));
    ASSERT_TRUE(list.AddBlank());
    EXPECT_EQ(list.Current(), 2);
    EXPECT_EQ(list.Duration(2), 40);
}

TEST(FrameList, ReplaceChecksTheCurrentIndexSizesAndDurations)
{
    CDotGrid live;
    live.SetBackgroundColor(kTestBackground, false);
    CFrameList list(live);
    const auto two = [](int width, int height, int duration) {
        std::vector<SSignFrame> frames;
        frames.push_back(SSignFrame{PatternGrid(width, height, 0), duration});
        frames.push_back(SSignFrame{PatternGrid(width, height, 1), duration});
        return frames;
    };
    EXPECT_FALSE(list.Replace(two(16, 8, 50), 2));
    EXPECT_FALSE(list.Replace(two(16, 8, 50), -1));
    std::vector<SSignFrame> wider = two(16, 8, 50);
    wider[1].grid = PatternGrid(17, 8);
    EXPECT_FALSE(list.Replace(std::move(wider), 0));
    std::vector<SSignFrame> blank(2);
    EXPECT_FALSE(list.Replace(std::move(blank), 0));
    EXPECT_EQ(list.Count(), 1);

    ASSERT_TRUE(list.Replace(two(16, 8, 3), 1));
    EXPECT_EQ(list.Current(), 1);
    EXPECT_TRUE(SameDots(live, PatternGrid(16, 8, 1)));
    EXPECT_EQ(list.Duration(0), 10);
    EXPECT_EQ(list.Duration(1), 10);
}

TEST(FrameList, FittingKeepsThePaintColourAndFollowsEachAxisAlone)
{
    CDotGrid live;
    CFrameList list(live);
    Fill(list, 3);
    ASSERT_TRUE(list.Select(1));
    // Only the height differs, then only the width; from the middle frame.
    live = PatternGrid(16, 4, 3);
    live.SetDotColor(2); // not the colour a new grid starts with
    ASSERT_TRUE(list.FitLiveToFrames());
    EXPECT_EQ(live.Width(), 16);
    EXPECT_EQ(live.Height(), 8);
    EXPECT_EQ(live.ColorIndex(), 2);
    EXPECT_EQ(live.Mode(), ImageMode);
    EXPECT_EQ(live.BackColor(), kTestBackground);
    EXPECT_EQ(ColorAt(live, 15, 3), PatternColor(15, 3, 3));
    EXPECT_EQ(ColorAt(live, 15, 4), kTestBackground);
    live = PatternGrid(20, 8, 3);
    ASSERT_TRUE(list.FitLiveToFrames());
    EXPECT_EQ(live.Width(), 16);
    EXPECT_EQ(live.Height(), 8);
    EXPECT_EQ(ColorAt(live, 15, 7), PatternColor(15, 7, 3));

    // The live grid grows by one row: the others follow, the new row blank.
    live = PatternGrid(16, 9, 3);
    list.FitToLive();
    for (int i : {0, 2}) {
        const CDotGrid& other = list.Grid(i);
        ASSERT_EQ(other.Width(), 16) << i;
        ASSERT_EQ(other.Height(), 9) << i;
        for (int x = 0; x < 16; ++x) {
            EXPECT_EQ(ColorAt(other, x, 7), PatternColor(x, 7, i)) << i << "," << x;
            EXPECT_EQ(ColorAt(other, x, 8), kTestBackground) << i << "," << x;
        }
    }
}
