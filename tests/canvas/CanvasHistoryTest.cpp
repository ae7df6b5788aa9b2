// The canvas history on a grid and text state of its own: every kind of
// change undone and redone byte for byte, order, the cap on what is kept.
#include "canvas/CanvasHistory.h"

#include <gtest/gtest.h>

#include <QByteArray>

#include <functional>
#include <vector>

namespace {

constexpr COLORREF kBack = MakeColor(0, 0, 90);
constexpr COLORREF kNewBack = MakeColor(10, 20, 30);

// The seven dot colours written out, in palette order.
constexpr COLORREF kColours[7] = {0x000000FF, 0x0000FF00, 0x00FF0000, 0x0000FFFF,
                                  0x008F8FBC, 0x00FFFFFF, 0x00007FFF};

// Everything undo must bring back, as plain values.
struct SPicture
{
    int width = 0;
    int height = 0;
    COLORREF back = 0;
    QByteArray dots;
    QString text;
    int offsetX = 0;
    int stretch = 0;
    int cellWidth = 0;
    QByteArray charColours;

    bool operator==(const SPicture& o) const
    {
        return width == o.width && height == o.height && back == o.back && dots == o.dots && text == o.text
            && offsetX == o.offsetX && stretch == o.stretch && cellWidth == o.cellWidth && charColours == o.charColours;
    }
};

SPicture Take(const CDotGrid& grid, const CCanvasText& text)
{
    SPicture p;
    p.width = grid.Width();
    p.height = grid.Height();
    p.back = grid.BackColor();
    p.dots = grid.IsEmpty() ? QByteArray()
                            : QByteArray(reinterpret_cast<const char*>(grid.Bits()), static_cast<int>(grid.ByteCount()));
    p.text = text.m_szText;
    p.offsetX = text.m_nGlyphOffsetX;
    p.stretch = text.m_nStretch;
    p.cellWidth = text.m_nCellWidth;
    p.charColours = QByteArray(reinterpret_cast<const char*>(text.m_abCharColor.data()), 16);
    return p;
}

// Dots in every colour, the background, and a few of the colour the
// background is about to become, which must not follow it back.
void Paint(CDotGrid& grid)
{
    for (int r = 0; r < grid.Height(); ++r) {
        for (int c = 0; c < grid.Width(); ++c) {
            const int k = (c * 3 + r * 5) % 11;
            if (k < 7)
                grid.SetDot(c, r, kColours[k]);
            else if (k == 7)
                grid.SetDot(c, r, kNewBack);
        }
    }
}

class CanvasHistoryTest : public ::testing::Test
{
protected:
    void MakeGrid(int width, int height)
    {
        m_grid.SetBackgroundColor(kBack, false);
        ASSERT_TRUE(m_grid.Create(width, height, ImageMode));
        Paint(m_grid);
    }
    SPicture Now() const { return Take(m_grid, m_text); }

    CDotGrid m_grid;
    CCanvasText m_text;
    CCanvasHistory m_history{m_grid, m_text};
};

} // namespace

TEST_F(CanvasHistoryTest, EveryKindOfChangeUndoesAndRedoesByteForByte)
{
    using Kind = CCanvasHistory::Kind;
    const struct
    {
        const char* name;
        std::function<void(CCanvasHistory&, CDotGrid&, CCanvasText&)> change;
    } cases[] = {
        {"left click", [](CCanvasHistory& h, CDotGrid&, CCanvasText&) { h.EditDot(2, 0, kColours[0]); }},
        {"right click", [](CCanvasHistory& h, CDotGrid&, CCanvasText&) { h.EditDot(0, 15, kBack); }},
        {"mirror", [](CCanvasHistory& h, CDotGrid&, CCanvasText&) { h.Mirror(); }},
        {"flip", [](CCanvasHistory& h, CDotGrid&, CCanvasText&) { h.Flip(); }},
        {"rotate", [](CCanvasHistory& h, CDotGrid& g, CCanvasText&) { h.RecordWhole(Kind::Rotate, [&g] { return g.Rotate(); }); }},
        {"background", [](CCanvasHistory& h, CDotGrid&, CCanvasText&) { h.SetBackgroundColor(kNewBack); }},
        {"open", [](CCanvasHistory& h, CDotGrid& g, CCanvasText&) {
             h.RecordWhole(Kind::Open, [&g] { return g.Resize(40, 8); });
         }},
        {"merge text", [](CCanvasHistory& h, CDotGrid& g, CCanvasText& t) {
             h.RecordWhole(Kind::MergeText, [&g, &t] {
                 t.m_szText = QStringLiteral("AB");
                 t.m_nCellWidth = 8;
                 t.m_abCharColor[0] = 3;
                 t.m_abCharColor[1] = 6;
                 return g.Resize(16, 16);
             });
         }},
        {"re-render", [](CCanvasHistory& h, CDotGrid& g, CCanvasText& t) {
             h.RecordWhole(Kind::Render, [&g, &t] {
                 t.m_nGlyphOffsetX = 3;
                 t.m_nStretch = -4;
                 g.SetDot(5, 5, kColours[1]);
                 return false;
             });
         }},
        {"load dots", [](CCanvasHistory& h, CDotGrid& g, CCanvasText&) {
             h.RecordWhole(Kind::LoadDots, [&g] {
                 for (int c = 0; c < g.Width(); c += 2)
                     g.SetDot(c, 1, kColours[6]);
                 return true;
             });
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        MakeGrid(24, 16);
        m_history.Clear();
        m_text = CCanvasText();
        const SPicture before = Now();
        c.change(m_history, m_grid, m_text);
        const SPicture after = Now();
        ASSERT_FALSE(after == before);
        ASSERT_EQ(m_history.UndoCount(), 1u);
        ASSERT_TRUE(m_history.Undo());
        EXPECT_TRUE(Now() == before);
        ASSERT_TRUE(m_history.Redo());
        EXPECT_TRUE(Now() == after);
        ASSERT_TRUE(m_history.Undo());
        EXPECT_TRUE(Now() == before);
    }
}

TEST_F(CanvasHistoryTest, ClicksInEachColourGiveBackTheDotBefore)
{
    MakeGrid(16, 8);
    // Column 15, row 7: the last dot of both axes, and (3, 0) in the middle of the top row.
    for (int i = 0; i < 7; ++i) {
        SCOPED_TRACE(i);
        const COLORREF old = m_grid.DisplayDotAt(15, 7);
        const COLORREF oldMiddle = m_grid.DisplayDotAt(3, 0);
        ASSERT_TRUE(m_history.EditDot(15, 7, kColours[i]));
        ASSERT_TRUE(m_history.EditDot(3, 0, kColours[(i + 1) % 7]));
        EXPECT_EQ(m_grid.DisplayDotAt(15, 7), kColours[i]);
        m_history.Undo();
        EXPECT_EQ(m_grid.DisplayDotAt(3, 0), oldMiddle);
        m_history.Undo();
        EXPECT_EQ(m_grid.DisplayDotAt(15, 7), old);
        m_history.Redo();
        EXPECT_EQ(m_grid.DisplayDotAt(15, 7), kColours[i]);
        EXPECT_EQ(m_grid.DisplayDotAt(3, 0), oldMiddle);
        m_history.Redo();
        EXPECT_EQ(m_grid.DisplayDotAt(3, 0), kColours[(i + 1) % 7]);
    }
}

TEST_F(CanvasHistoryTest, ClicksOutsideTheGridRecordNothing)
{
    MakeGrid(16, 8);
    EXPECT_FALSE(m_history.EditDot(16, 0, kColours[0]));
    EXPECT_FALSE(m_history.EditDot(0, 8, kColours[0]));
    EXPECT_FALSE(m_history.EditDot(-1, 0, kColours[0]));
    EXPECT_FALSE(m_history.EditDot(0, -1, kColours[0]));
    EXPECT_FALSE(m_history.CanUndo());
    // Each click changes its dot, so each is a step.
    const auto other = [this](int c, int r) { return m_grid.DotAt(c, r) == kColours[0] ? kColours[1] : kColours[0]; };
    EXPECT_TRUE(m_history.EditDot(15, 7, other(15, 7)));
    EXPECT_TRUE(m_history.EditDot(0, 0, other(0, 0)));
    EXPECT_EQ(m_history.UndoCount(), 2u);

    // An empty grid has nothing to mirror, flip or click.
    CDotGrid empty;
    CCanvasText text;
    CCanvasHistory history(empty, text);
    EXPECT_FALSE(history.EditDot(0, 0, kColours[0]));
    EXPECT_FALSE(history.Mirror());
    EXPECT_FALSE(history.Flip());
    EXPECT_FALSE(history.RecordWhole(CCanvasHistory::Kind::Rotate, [&empty] { return empty.Rotate(); }));
    EXPECT_FALSE(history.CanUndo());
}

TEST_F(CanvasHistoryTest, RotateOfTheLargestGridBringsTheLostColumnsBack)
{
    MakeGrid(1024, 768);
    // Marks in the columns a quarter turn cannot keep (768 to 1023).
    m_grid.SetDot(768, 0, kColours[2]);
    m_grid.SetDot(1023, 767, kColours[4]);
    const SPicture before = Now();
    ASSERT_TRUE(m_history.RecordWhole(CCanvasHistory::Kind::Rotate, [this] { return m_grid.Rotate(); }));
    ASSERT_EQ(m_grid.Width(), 768);
    ASSERT_EQ(m_grid.Height(), 768);
    const SPicture after = Now();
    ASSERT_TRUE(m_history.Undo());
    EXPECT_EQ(m_grid.Width(), 1024);
    EXPECT_EQ(m_grid.DotAt(1023, 767), kColours[4]);
    EXPECT_TRUE(Now() == before);
    ASSERT_TRUE(m_history.Redo());
    EXPECT_TRUE(Now() == after);
}

TEST_F(CanvasHistoryTest, StepsUndoInReverseOrderAndRedoForward)
{
    MakeGrid(24, 16);
    using Kind = CCanvasHistory::Kind;
    std::vector<SPicture> states{Now()};
    const std::vector<std::function<void()>> changes = {
        [this] { m_history.EditDot(1, 1, kColours[3]); },
        [this] { m_history.Mirror(); },
        [this] { m_history.SetBackgroundColor(kNewBack); },
        [this] { m_history.RecordWhole(Kind::Rotate, [this] { return m_grid.Rotate(); }); },
        [this] { m_history.EditDot(0, 23, kColours[5]); },
        [this] { m_history.Flip(); },
        [this] { m_history.SetBackgroundColor(kBack); },
        [this] { m_history.RecordWhole(Kind::Open, [this] { return m_grid.Resize(8, 8); }); },
        [this] { m_history.EditDot(7, 7, kColours[6]); },
    };
    for (const auto& change : changes) {
        change();
        states.push_back(Now());
    }
    ASSERT_EQ(m_history.UndoCount(), changes.size());
    for (std::size_t i = states.size() - 1; i > 0; --i) {
        ASSERT_TRUE(m_history.Undo());
        EXPECT_TRUE(Now() == states[i - 1]) << "undo to state " << i - 1;
    }
    EXPECT_FALSE(m_history.Undo());
    EXPECT_TRUE(Now() == states.front());
    for (std::size_t i = 1; i < states.size(); ++i) {
        ASSERT_TRUE(m_history.Redo());
        EXPECT_TRUE(Now() == states[i]) << "redo to state " << i;
    }
    EXPECT_FALSE(m_history.Redo());
    EXPECT_TRUE(Now() == states.back());
}

TEST_F(CanvasHistoryTest, ANewChangeDropsWhatCouldBeRedone)
{
    MakeGrid(16, 8);
    m_history.EditDot(0, 0, m_grid.DotAt(0, 0) == kColours[0] ? kColours[3] : kColours[0]);
    const SPicture first = Now();
    m_history.Mirror();
    m_history.Flip();
    m_history.Undo();
    m_history.Undo();
    EXPECT_EQ(m_history.RedoCount(), 2u);
    m_history.EditDot(1, 0, m_grid.DotAt(1, 0) == kColours[1] ? kColours[2] : kColours[1]);
    EXPECT_EQ(m_history.RedoCount(), 0u);
    EXPECT_FALSE(m_history.Redo());
    m_history.Undo();
    EXPECT_TRUE(Now() == first);
    EXPECT_EQ(m_history.NextUndo(), CCanvasHistory::Kind::EditDot);
    EXPECT_EQ(m_history.NextRedo(), CCanvasHistory::Kind::EditDot);
}

TEST_F(CanvasHistoryTest, ThePaintColourIsNotTakenBack)
{
    MakeGrid(16, 8);
    m_grid.SetDotColor(1);
    m_history.RecordWhole(CCanvasHistory::Kind::Rotate, [this] { return m_grid.Rotate(); });
    m_grid.SetDotColor(2);
    m_history.Undo();
    EXPECT_EQ(m_grid.ColorIndex(), 2);
    EXPECT_EQ(m_grid.DotColor(), kColours[2]);
    m_grid.SetDotColor(4);
    m_history.Redo();
    EXPECT_EQ(m_grid.ColorIndex(), 4);
}

TEST_F(CanvasHistoryTest, AWholeStateChangeIsRecordedOnlyWhenSomethingChanged)
{
    MakeGrid(16, 8);
    EXPECT_FALSE(m_history.RecordWhole(CCanvasHistory::Kind::Render, [] { return false; }));
    EXPECT_FALSE(m_history.CanUndo());
    // A text state change alone is a step: the next rendering starts from it.
    EXPECT_TRUE(m_history.RecordWhole(CCanvasHistory::Kind::Render, [this] {
        m_text.m_nStretch = 4;
        return false;
    }));
    // A reported change is a step even when the dots came out the same (an
    // Open of the same picture).
    EXPECT_TRUE(m_history.RecordWhole(CCanvasHistory::Kind::Open, [] { return true; }));
    EXPECT_EQ(m_history.UndoCount(), 2u);
    m_history.Undo();
    m_history.Undo();
    EXPECT_EQ(m_text.m_nStretch, 0);
}

TEST_F(CanvasHistoryTest, TenThousandClicksStayUnderOneMegabyte)
{
    MakeGrid(128, 128);
    std::size_t changing = 0; // a click that leaves its dot as it was is no step
    for (int i = 0; i < 10000; ++i) {
        changing += m_grid.DisplayDotAt(i % 128, (i / 128) % 128) != kColours[i % 7];
        m_history.EditDot(i % 128, (i / 128) % 128, kColours[i % 7]);
    }
    EXPECT_GT(changing, 9000u);
    EXPECT_EQ(m_history.UndoCount(), changing);
    EXPECT_LT(m_history.StoredBytes(), std::size_t{1} << 20);
    EXPECT_EQ(CCanvasHistory::kDefaultByteLimit, std::size_t{64} * 1024 * 1024);
}

TEST_F(CanvasHistoryTest, AStepOfExactlyTheLimitIsKeptOneByteLessIsNot)
{
    MakeGrid(64, 64);
    const auto change = [this] {
        m_grid.SetDot(1, 1, kColours[0]);
        return true;
    };
    std::size_t stepBytes = 0;
    {
        CCanvasHistory probe(m_grid, m_text);
        ASSERT_TRUE(probe.RecordWhole(CCanvasHistory::Kind::LoadDots, change));
        stepBytes = probe.StoredBytes();
        probe.Undo();
    }
    ASSERT_GT(stepBytes, 0u);
    for (const std::size_t limit : {stepBytes, stepBytes - 1}) {
        CCanvasHistory history(m_grid, m_text, limit);
        ASSERT_TRUE(history.RecordWhole(CCanvasHistory::Kind::LoadDots, change));
        EXPECT_EQ(history.UndoCount(), limit == stepBytes ? 1u : 0u) << limit;
        EXPECT_LE(history.StoredBytes(), limit);
        history.Clear();
    }
}

TEST_F(CanvasHistoryTest, TheLimitDropsTheOldestStepsFirst)
{
    // Room for about three copies of a 64 x 64 grid (12 KB each).
    MakeGrid(64, 64);
    CCanvasHistory history(m_grid, m_text, 40 * 1024);
    std::vector<SPicture> states{Now()};
    for (int i = 0; i < 8; ++i) {
        history.RecordWhole(CCanvasHistory::Kind::LoadDots, [this, i] {
            m_grid.SetDot(i, i, kColours[i % 7]);
            return true;
        });
        states.push_back(Now());
        EXPECT_LE(history.StoredBytes(), history.ByteLimit());
    }
    const std::size_t kept = history.UndoCount();
    ASSERT_GE(kept, 1u);
    ASSERT_LT(kept, 8u);
    const std::size_t bytes = history.StoredBytes();
    while (history.Undo()) {
    }
    EXPECT_TRUE(Now() == states[8 - kept]);
    while (history.Redo()) {
    }
    EXPECT_TRUE(Now() == states[8]);
    EXPECT_EQ(history.StoredBytes(), bytes);
    history.Clear();
    EXPECT_EQ(history.StoredBytes(), 0u);
    EXPECT_FALSE(history.CanUndo());
}

TEST_F(CanvasHistoryTest, WhatChangedBetweenStepsOutsideThemStays)
{
    using Kind = CCanvasHistory::Kind;
    MakeGrid(24, 16);
    const SPicture before = Now();
    m_history.RecordWhole(Kind::Open, [this] { return m_grid.Resize(16, 8); });
    // The overlay text typed after the Open is the pane's, not the Open's.
    m_text.m_szText = QStringLiteral("Hi");
    m_history.Undo();
    EXPECT_EQ(m_text.m_szText, QStringLiteral("Hi"));
    EXPECT_EQ(Now().dots, before.dots);
    m_history.Redo();

    m_history.RecordWhole(Kind::Render, [this] {
        m_text.m_nGlyphOffsetX = 4;
        return false;
    });
    m_text.m_lfText.lfHeight = 40; // a font applied afterwards
    m_history.Undo();
    EXPECT_EQ(m_text.m_nGlyphOffsetX, 0);
    EXPECT_EQ(m_text.m_lfText.lfHeight, 40);
    m_history.Redo();
    EXPECT_EQ(m_text.m_nGlyphOffsetX, 4);
    EXPECT_EQ(m_text.m_lfText.lfHeight, 40);
}

TEST_F(CanvasHistoryTest, AChangeOfTheTextStateAloneKeepsNoDots)
{
    MakeGrid(1024, 768);
    m_history.RecordWhole(CCanvasHistory::Kind::Render, [this] {
        m_text.m_nStretch = 8;
        return false;
    });
    ASSERT_EQ(m_history.UndoCount(), 1u);
    EXPECT_LT(m_history.StoredBytes(), m_grid.ByteCount() / 100);
    const SPicture after = Now();
    m_history.Undo();
    EXPECT_EQ(m_text.m_nStretch, 0);
    m_history.Redo();
    EXPECT_TRUE(Now() == after);
}

TEST_F(CanvasHistoryTest, AStepLargerThanTheLimitIsNotKept)
{
    // 12 KB for a 64 x 64 grid against a limit of 8 KB: neither the change
    // nor, after undoing a growth, the state to redo may stay.
    MakeGrid(32, 32); // 3 KB
    CCanvasHistory history(m_grid, m_text, 8 * 1024);
    history.EditDot(1, 1, kColours[0]);
    ASSERT_TRUE(history.RecordWhole(CCanvasHistory::Kind::MergeText, [this] { return m_grid.Resize(64, 64); }));
    EXPECT_LE(history.StoredBytes(), history.ByteLimit());
    ASSERT_TRUE(history.Undo()); // the grid of 32 x 32 back; the 12 KB one would be the redo
    EXPECT_EQ(m_grid.Width(), 32);
    EXPECT_LE(history.StoredBytes(), history.ByteLimit());
    EXPECT_FALSE(history.CanRedo());
    EXPECT_TRUE(history.CanUndo()); // the click before it stays

    ASSERT_TRUE(history.RecordWhole(CCanvasHistory::Kind::MergeText, [this] { return m_grid.Resize(64, 64); }));
    ASSERT_TRUE(history.RecordWhole(CCanvasHistory::Kind::MergeText, [this] {
        m_grid.SetDot(0, 0, kColours[2]);
        return true;
    }));
    // The 12 KB state before the second change is over the limit alone.
    EXPECT_LE(history.StoredBytes(), history.ByteLimit());
    EXPECT_EQ(history.UndoCount(), 0u);
}
