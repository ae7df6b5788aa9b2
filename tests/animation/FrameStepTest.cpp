#include "AnimationSupport.h"
#include "animation/FrameEffects.h"
#include "animation/FrameStep.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

// Everything a user can see of a list: the frames' dots and durations, and
// which one is current.
struct SListState
{
    std::vector<SSignFrame> frames;
    int current = 0;
};

SListState StateOf(const CFrameList& list)
{
    return SListState{list.Copy(), list.Current()};
}

void ExpectState(const CFrameList& list, const SListState& state, const char* when)
{
    ASSERT_EQ(list.Count(), static_cast<int>(state.frames.size())) << when;
    EXPECT_EQ(list.Current(), state.current) << when;
    for (int i = 0; i < list.Count(); ++i) {
        EXPECT_TRUE(SameDots(list.Grid(i), state.frames[static_cast<std::size_t>(i)].grid)) << when << " frame " << i;
        EXPECT_EQ(list.Duration(i), state.frames[static_cast<std::size_t>(i)].nDurationMs) << when << " frame " << i;
    }
}

} // namespace

TEST(FrameStep, EveryFrameOperationUndoesAndRedoes)
{
    CDotGrid live = PatternGrid(16, 8, 0);
    CFrameList list(live);
    std::vector<SSignFrame> scroll;
    QString error;
    ASSERT_TRUE(CFrameEffects::Scroll(PatternGrid(24, 8, 3), 16, 8, CFrameEffects::Direction::Left, 40, scroll,
                                      error));

    // A session with every kind of operation, on frames that differ (the
    // pattern, a blank frame, the scroll).
    using Operation = std::function<bool(CFrameStep&)>;
    const std::vector<Operation> operations = {
        [&](CFrameStep& s) { return CFrameStep::Duplicate(list, 0, s); },
        [&](CFrameStep& s) { return CFrameStep::AddBlank(list, s); },
        [&](CFrameStep& s) { return CFrameStep::SetDuration(list, 1, 250, s); },
        [&](CFrameStep& s) { return CFrameStep::Move(list, 2, 0, s); },
        [&](CFrameStep& s) { return CFrameStep::Delete(list, 1, s); },
        [&](CFrameStep& s) { return CFrameStep::Delete(list, list.Current(), s); },
        [&](CFrameStep& s) { return CFrameStep::Replace(list, scroll, s); },
        [&](CFrameStep& s) { return CFrameStep::Move(list, 0, 39, s); },
    };
    std::vector<SListState> states{StateOf(list)};
    std::vector<CFrameStep> steps;
    for (std::size_t i = 0; i < operations.size(); ++i) {
        CFrameStep step;
        ASSERT_TRUE(operations[i](step)) << "operation " << i;
        steps.push_back(std::move(step));
        states.push_back(StateOf(list));
    }
    EXPECT_EQ(steps[6].GetKind(), CFrameStep::Kind::Replace);
    EXPECT_EQ(list.Count(), 40);
    EXPECT_EQ(list.Live().Width(), 16);

    for (std::size_t i = steps.size(); i-- > 0;) {
        ASSERT_TRUE(steps[i].Undo(list)) << "undo " << i;
        ExpectState(list, states[i], "after undo");
    }
    EXPECT_TRUE(SameDots(live, PatternGrid(16, 8, 0)));
    for (std::size_t i = 0; i < steps.size(); ++i) {
        ASSERT_TRUE(steps[i].Redo(list)) << "redo " << i;
        ExpectState(list, states[i + 1], "after redo");
    }
}

TEST(FrameStep, RefusedOperationsRecordNothing)
{
    CDotGrid live = PatternGrid(16, 8);
    CFrameList list(live);
    CFrameStep step;
    EXPECT_FALSE(CFrameStep::Delete(list, 0, step)); // the only frame
    EXPECT_FALSE(CFrameStep::Move(list, 0, 0, step));
    EXPECT_FALSE(CFrameStep::Duplicate(list, 3, step));
    EXPECT_FALSE(CFrameStep::SetDuration(list, 0, CFrameList::kDefaultDurationMs, step));
    EXPECT_FALSE(CFrameStep::Replace(list, {}, step));
    EXPECT_EQ(step.Bytes(), 0u);
    EXPECT_EQ(list.Count(), 1);
    // An empty canvas has no blank frame to add.
    CDotGrid nothing;
    CFrameList none(nothing);
    EXPECT_FALSE(CFrameStep::AddBlank(none, step));
    EXPECT_EQ(none.Count(), 1);

    // What steps keep: a deleted frame's dots while it is out of the list.
    ASSERT_TRUE(CFrameStep::Duplicate(list, 0, step));
    EXPECT_EQ(step.Bytes(), 0u);
    ASSERT_TRUE(step.Undo(list));
    EXPECT_EQ(step.Bytes(), 16u * 8u * 3u);
    // Put back, the frame is the list's again.
    ASSERT_TRUE(step.Redo(list));
    EXPECT_EQ(step.Bytes(), 0u);
    // A step redone twice puts its frame back once.
    EXPECT_FALSE(step.Redo(list));
    EXPECT_EQ(list.Count(), 2);

    // A replacement keeps every frame it took out, the live one included;
    // a refused one keeps none.
    std::vector<SSignFrame> mixed;
    mixed.push_back(SSignFrame{PatternGrid(8, 8), 50});
    mixed.push_back(SSignFrame{PatternGrid(8, 4), 50});
    CFrameStep refused;
    EXPECT_FALSE(CFrameStep::Replace(list, mixed, refused));
    EXPECT_EQ(refused.Bytes(), 0u);
    std::vector<SSignFrame> three(3, SSignFrame{PatternGrid(8, 8), 50});
    CFrameStep replaced;
    ASSERT_TRUE(CFrameStep::Replace(list, three, replaced));
    EXPECT_EQ(replaced.Bytes(), 2u * 16u * 8u * 3u);
    ASSERT_TRUE(replaced.Undo(list));
    EXPECT_EQ(replaced.Bytes(), 3u * 8u * 8u * 3u);
}
