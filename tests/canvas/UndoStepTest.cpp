// Undo steps as objects: sparse dot steps, merging of renderings and of
// drawing gestures, and when the history lets a step merge.
#include "canvas/CanvasDocument.h"
#include "canvas/CanvasHistory.h"
#include "canvas/DotsStep.h"
#include "canvas/WholeStateStep.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <QPoint>

#include <QSize>
#include <QString>

#include <algorithm>
#include <memory>
#include <vector>

namespace {

constexpr COLORREF kBack = MakeColor(0, 0, 90);
constexpr COLORREF kRed = 0x000000FF;
constexpr COLORREF kGreen = 0x0000FF00;

QByteArray Dots(const CDotGrid& grid)
{
    return QByteArray(reinterpret_cast<const char*>(grid.Bits()), static_cast<int>(grid.ByteCount()));
}

class UndoStepTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_grid.SetBackgroundColor(kBack, false);
        ASSERT_TRUE(m_grid.Create(16, 8, ImageMode));
    }
    // A rendering that moves the glyphs and paints a dot to show it.
    void Render(int offset, bool mayMerge)
    {
        m_history.RecordWhole(
            EUndoKind::Render,
            [this, offset] {
                m_text.m_nGlyphOffsetX = offset;
                m_grid.SetDisplayDot(offset, 0, kGreen);
                return false;
            },
            mayMerge);
    }
    std::unique_ptr<CDotsStep> Stroke(std::initializer_list<QPoint> dots, COLORREF colour)
    {
        auto step = std::make_unique<CDotsStep>(EUndoKind::Draw);
        for (const QPoint& dot : dots)
            step->Paint(m_grid, dot.x(), dot.y(), colour);
        return step;
    }

    CDotGrid m_grid;
    CCanvasText m_text;
    CCanvasHistory m_history{m_grid, m_text};
};

} // namespace

TEST_F(UndoStepTest, ADotsStepKeepsOnlyChangedDotsAndUndoesInReverse)
{
    const QByteArray before = Dots(m_grid);
    CDotsStep step(EUndoKind::Draw);
    // Outside the grid on each side, and a dot that already has the colour: not noted.
    EXPECT_FALSE(step.Paint(m_grid, -1, 0, kRed));
    EXPECT_FALSE(step.Paint(m_grid, 16, 0, kRed));
    EXPECT_FALSE(step.Paint(m_grid, 0, -1, kRed));
    EXPECT_FALSE(step.Paint(m_grid, 0, 8, kRed));
    EXPECT_FALSE(step.Paint(m_grid, 3, 3, kBack));
    EXPECT_TRUE(step.IsEmpty());
    // The same dot twice: undo must end with its first colour.
    EXPECT_TRUE(step.Paint(m_grid, 15, 7, kRed));
    EXPECT_TRUE(step.Paint(m_grid, 15, 7, kGreen));
    EXPECT_TRUE(step.Paint(m_grid, 0, 0, kRed));
    ASSERT_EQ(step.Changes().size(), 3u);
    // Display rows: (0, 0) is the top-left dot, the last row of storage.
    EXPECT_EQ(m_grid.DotAt(0, 7), kRed);
    const QByteArray after = Dots(m_grid);
    SCanvasState state{m_grid, m_text};
    step.Undo(state);
    EXPECT_EQ(Dots(m_grid), before);
    step.Redo(state);
    EXPECT_EQ(Dots(m_grid), after);
    EXPECT_LT(step.Bytes(), 200u);
}

TEST_F(UndoStepTest, StrokesOfOneGestureMergeClicksDoNot)
{
    const QByteArray before = Dots(m_grid);
    m_history.Push(Stroke({{1, 1}, {2, 1}}, kRed), true);
    m_history.Push(Stroke({{3, 1}}, kRed), true);
    EXPECT_EQ(m_history.UndoCount(), 1u);
    EXPECT_STREQ(m_history.NextUndoLabel(), "Drawing");
    // Frame steps are named as a group; a kind out of the list has no name.
    EXPECT_STREQ(CCanvasHistory::KindName(EUndoKind::Frames), "Frames");
    EXPECT_STREQ(CCanvasHistory::KindName(static_cast<EUndoKind>(99)), "");
    m_history.EditDot(5, 5, kRed);
    m_history.EditDot(6, 5, kRed);
    EXPECT_EQ(m_history.UndoCount(), 3u);
    m_history.Undo();
    m_history.Undo();
    ASSERT_TRUE(m_history.Undo());
    EXPECT_EQ(Dots(m_grid), before);
    EXPECT_FALSE(m_history.CanUndo());
}

TEST_F(UndoStepTest, MergedRenderingsUndoToBeforeTheFirstAndRedoToAfterTheLast)
{
    Render(1, false);
    const QByteArray atOne = Dots(m_grid);
    Render(2, false);
    Render(3, true);
    const QByteArray atThree = Dots(m_grid);
    EXPECT_EQ(m_history.UndoCount(), 2u);
    ASSERT_TRUE(m_history.Undo());
    EXPECT_EQ(m_text.m_nGlyphOffsetX, 1);
    EXPECT_EQ(Dots(m_grid), atOne);
    ASSERT_TRUE(m_history.Redo());
    EXPECT_EQ(m_text.m_nGlyphOffsetX, 3);
    EXPECT_EQ(Dots(m_grid), atThree);
}

TEST_F(UndoStepTest, NothingMergesAcrossAnUndoOrIntoAnotherKind)
{
    Render(1, false);
    Render(2, true);
    ASSERT_EQ(m_history.UndoCount(), 1u);
    m_history.Undo();
    // After an undo the next rendering is a step of its own, and the undone
    // one can no longer be redone.
    Render(4, true);
    EXPECT_EQ(m_history.UndoCount(), 1u);
    EXPECT_FALSE(m_history.CanRedo());
    m_history.Undo();
    EXPECT_EQ(m_text.m_nGlyphOffsetX, 0);

    m_history.Mirror();
    Render(5, true);
    EXPECT_EQ(m_history.UndoCount(), 2u);
    m_history.SetBackgroundColor(MakeColor(1, 2, 3));
    Render(6, true);
    Render(7, false);
    EXPECT_EQ(m_history.UndoCount(), 5u);
}

TEST_F(UndoStepTest, MergingKeepsTheByteCountAndTheCap)
{
    Render(1, false);
    const std::size_t one = m_history.StoredBytes();
    for (int i = 2; i < 12; ++i)
        Render(i, true);
    EXPECT_EQ(m_history.UndoCount(), 1u);
    // One step still keeps one grid, not eleven.
    EXPECT_LT(m_history.StoredBytes(), 2 * one);
    while (m_history.Undo()) {
    }
    EXPECT_EQ(m_text.m_nGlyphOffsetX, 0);
}

// A whole-state step notes a grid that only changed its size, mode or
// background, and the overlay colour; a text-only rendering merged with one
// that drew keeps the dots from before both.
TEST_F(UndoStepTest, WholeStateStepsKeepWhatChangedAndMergeOnlyRenderings)
{
    const QByteArray before = Dots(m_grid);
    const struct
    {
        const char* what;
        std::function<void(CDotGrid&)> change;
    } gridChanges[] = {
        {"narrower", [](CDotGrid& g) { g.Create(15, 8, ImageMode); }},
        {"shorter", [](CDotGrid& g) { g.Create(16, 7, ImageMode); }},
        {"text mode", [](CDotGrid& g) { g.SetMode(2); }},
        {"background", [](CDotGrid& g) { g.SetBackgroundColor(MakeColor(1, 2, 3), false); }},
    };
    for (const auto& c : gridChanges) {
        ASSERT_TRUE(m_history.RecordWhole(EUndoKind::Render, [&] {
            c.change(m_grid);
            return false;
        })) << c.what;
        ASSERT_TRUE(m_history.Undo()) << c.what;
        EXPECT_EQ(m_grid.Width(), 16) << c.what;
        EXPECT_EQ(m_grid.Height(), 8) << c.what;
        EXPECT_EQ(m_grid.Mode(), ImageMode) << c.what;
        EXPECT_EQ(m_grid.BackColor(), kBack) << c.what;
        EXPECT_EQ(Dots(m_grid), before) << c.what;
    }

    const COLORREF overlay = m_text.m_crText;
    ASSERT_TRUE(m_history.RecordWhole(EUndoKind::Render, [&] {
        m_text.m_crText = kRed;
        return false;
    }));
    ASSERT_TRUE(m_history.Undo());
    EXPECT_EQ(m_text.m_crText, overlay);
    ASSERT_TRUE(m_history.Redo());
    EXPECT_EQ(m_text.m_crText, kRed);

    // A step of the text alone keeps no dots: it weighs its text, not the grid.
    {
        SCanvasState state{m_grid, m_text};
        m_text.m_szText = QString(1000, QLatin1Char('a'));
        const std::unique_ptr<CWholeStateStep> step = CWholeStateStep::Record(EUndoKind::Render, state, [&] {
            m_text.m_szText = QStringLiteral("b");
            return false;
        });
        ASSERT_NE(step, nullptr);
        EXPECT_GE(step->Bytes(), 2000u);
        EXPECT_LT(step->Bytes(), m_grid.ByteCount() + 4000u);
        m_text.m_szText.clear();
    }

    // Text first, then dots, merged: one step back to before both.
    while (m_history.Undo()) {
    }
    m_history.RecordWhole(EUndoKind::Render, [&] {
        m_text.m_nStretch = 150;
        return false;
    });
    const int stretch = 150;
    m_history.RecordWhole(EUndoKind::Render, [&] {
        m_grid.SetDisplayDot(4, 4, kGreen);
        return false;
    }, true);
    ASSERT_EQ(m_history.UndoCount(), 1u);
    ASSERT_TRUE(m_history.Undo());
    EXPECT_EQ(Dots(m_grid), before);
    EXPECT_NE(m_text.m_nStretch, stretch);
    ASSERT_TRUE(m_history.Redo());
    EXPECT_EQ(m_grid.DisplayDotAt(4, 4), kGreen);
    EXPECT_EQ(m_text.m_nStretch, stretch);

    // A rendering and another kind of whole step never merge, either way round.
    while (m_history.Undo()) {
    }
    int column = 0;
    for (const auto& [first, second] :
         {std::pair{EUndoKind::Render, EUndoKind::Open}, std::pair{EUndoKind::Open, EUndoKind::Render}}) {
        const std::size_t count = m_history.UndoCount();
        for (const EUndoKind kind : {first, second}) {
            const int x = column++;
            m_history.RecordWhole(kind, [&] {
                m_grid.SetDisplayDot(x, 1, kRed);
                return false;
            }, kind == second);
        }
        EXPECT_EQ(m_history.UndoCount(), count + 2) << column;
    }
}

namespace {

// The parts of the text state a step keeps (the layout options are the
// pane's settings, not history).
bool SameText(const CCanvasText& a, const CCanvasText& b)
{
    return a.m_szText == b.m_szText && a.m_acrOverlay == b.m_acrOverlay && a.m_lfText == b.m_lfText
        && a.m_crText == b.m_crText && a.m_nTextX == b.m_nTextX && a.m_nTextY == b.m_nTextY
        && a.m_bVertical == b.m_bVertical && a.m_nCellWidth == b.m_nCellWidth && a.m_nCellHeight == b.m_nCellHeight
        && a.m_nGlyphOffsetX == b.m_nGlyphOffsetX && a.m_nGlyphOffsetY == b.m_nGlyphOffsetY
        && a.m_nStretch == b.m_nStretch && a.m_abCharColor == b.m_abCharColor
        && a.m_bDotsFromText == b.m_bDotsFromText;
}

} // namespace

// Every part of the text state a step can change is put back by undo and
// again by redo, alone and merged into an earlier rendering that did not
// change it; the colour of the next click stays the user's.
TEST_F(UndoStepTest, EveryPartOfTheTextStateUndoesAndRedoes)
{
    const struct
    {
        const char* what;
        std::function<void(CCanvasText&)> change;
    } parts[] = {
        {"text", [](CCanvasText& t) { t.m_szText = QStringLiteral("A"); }},
        {"overlay colours", [](CCanvasText& t) { t.m_acrOverlay = {kRed}; }},
        {"font", [](CCanvasText& t) { t.m_lfText.lfWeight = 700; }},
        {"overlay colour", [](CCanvasText& t) { t.m_crText = kGreen; }},
        {"overlay x", [](CCanvasText& t) { t.m_nTextX = 3; }},
        {"overlay y", [](CCanvasText& t) { t.m_nTextY = 4; }},
        {"vertical", [](CCanvasText& t) { t.m_bVertical = 1; }},
        {"cell width", [](CCanvasText& t) { t.m_nCellWidth = 16; }},
        {"cell height", [](CCanvasText& t) { t.m_nCellHeight = 12; }},
        {"glyph x", [](CCanvasText& t) { t.m_nGlyphOffsetX = -2; }},
        {"glyph y", [](CCanvasText& t) { t.m_nGlyphOffsetY = 5; }},
        {"stretch", [](CCanvasText& t) { t.m_nStretch = 3; }},
        {"character colours", [](CCanvasText& t) { t.m_abCharColor[1] = 4; }},
        {"dots from text", [](CCanvasText& t) { t.m_bDotsFromText = 0; }},
    };
    const QByteArray dots = Dots(m_grid);
    for (const bool merged : {false, true}) {
        for (const auto& part : parts) {
            SCOPED_TRACE(std::string(part.what) + (merged ? " merged" : ""));
            CDotGrid grid;
            grid.SetBackgroundColor(kBack, false);
            ASSERT_TRUE(grid.Create(16, 8, ImageMode));
            CCanvasText text;
            CCanvasHistory history{grid, text};
            const CCanvasText before = text;
            CCanvasText after = before;
            part.change(after);
            if (merged) {
                // An earlier rendering that moved a dot only.
                history.RecordWhole(EUndoKind::Render, [&] {
                    grid.SetDisplayDot(2, 2, kGreen);
                    return false;
                });
            }
            ASSERT_TRUE(history.RecordWhole(EUndoKind::Render, [&] {
                part.change(text);
                return false;
            }, merged));
            ASSERT_EQ(history.UndoCount(), 1u);
            grid.SetDotColor(2); // not the colour a new grid starts with
            ASSERT_TRUE(history.Undo());
            EXPECT_TRUE(SameText(text, before));
            EXPECT_EQ(Dots(grid), dots);
            EXPECT_EQ(grid.ColorIndex(), 2);
            ASSERT_TRUE(history.Redo());
            EXPECT_TRUE(SameText(text, after));
            EXPECT_EQ(grid.DisplayDotAt(2, 2), merged ? kGreen : kBack);
            EXPECT_EQ(grid.ColorIndex(), 2);
        }
    }
}

// Each step remembers the frame it was made on and makes that frame current
// before it is taken back or done again; a merged stroke keeps the frame of
// its first part.
TEST_F(UndoStepTest, EachStepIsTakenBackOnTheFrameItWasMadeOn)
{
    int current = 0;
    std::vector<int> selected;
    m_history.SetFrameHooks([&current] { return current; },
                            [&](int frame) {
                                selected.push_back(frame);
                                current = frame;
                            });
    current = 2;
    m_history.EditDot(1, 1, kRed);
    current = 5;
    m_history.Push(Stroke({{2, 1}}, kRed), true);
    current = 7;
    m_history.Push(Stroke({{3, 1}}, kRed), true);
    ASSERT_EQ(m_history.UndoCount(), 2u);
    current = 0;
    m_history.Undo();
    m_history.Undo();
    m_history.Redo();
    m_history.Redo();
    EXPECT_EQ(selected, (std::vector<int>{5, 2, 2, 5}));
}

// Only the newest step, recorded since the last undo, redo or EndMerge,
// takes a merge; nothing recorded is no step and keeps what can be redone.
TEST_F(UndoStepTest, ARedoOrAnEndedMergeStartsTheNextStepAfresh)
{
    Render(1, false);
    Render(2, true);
    ASSERT_EQ(m_history.UndoCount(), 1u);
    m_history.Undo();
    m_history.Redo();
    Render(3, true);
    EXPECT_EQ(m_history.UndoCount(), 2u) << "no merge into a redone step";
    m_history.EndMerge();
    Render(4, true);
    EXPECT_EQ(m_history.UndoCount(), 3u);
    Render(5, true);
    EXPECT_EQ(m_history.UndoCount(), 3u);
    m_history.Undo();
    const std::size_t bytes = m_history.StoredBytes();
    m_history.Push(nullptr);
    EXPECT_EQ(m_history.UndoCount(), 2u);
    EXPECT_TRUE(m_history.CanRedo());
    EXPECT_EQ(m_history.StoredBytes(), bytes);
}

// A gesture that grows by merging is held to the limit as it grows: the
// click before it goes first, then the gesture itself once it alone is over.
TEST_F(UndoStepTest, AGestureGrowingPastTheLimitIsNotKept)
{
    CCanvasHistory history(m_grid, m_text, 1024);
    history.EditDot(0, 7, kRed);
    ASSERT_EQ(history.UndoCount(), 1u);
    std::vector<std::size_t> counts;
    for (int row = 0; row < 8; ++row) {
        auto stroke = std::make_unique<CDotsStep>(EUndoKind::Draw);
        for (int column = 0; column < 16; ++column)
            stroke->Paint(m_grid, column, row, kGreen);
        history.Push(std::move(stroke), true);
        EXPECT_LE(history.StoredBytes(), history.ByteLimit()) << row;
        counts.push_back(history.UndoCount());
    }
    // Two rows fit beside the click; the gesture alone outgrows the limit
    // before all eight rows are in.
    EXPECT_EQ(counts[1], 2u);
    EXPECT_EQ(*std::min_element(counts.begin(), counts.end()), 0u);
    EXPECT_LE(counts.back(), 1u);
}

// Mirror and Flip turn the dots away from the merged text's rendering; undo
// gives back whether they were, redo turns them away again.
TEST_F(UndoStepTest, TurnedDotsNoLongerComeFromTheText)
{
    for (const bool flip : {false, true}) {
        SCOPED_TRACE(flip ? "flip" : "mirror");
        m_text.m_bDotsFromText = 1;
        ASSERT_TRUE(flip ? m_history.Flip() : m_history.Mirror());
        EXPECT_EQ(m_text.m_bDotsFromText, 0);
        m_history.Undo();
        EXPECT_EQ(m_text.m_bDotsFromText, 1);
        m_history.Redo();
        EXPECT_EQ(m_text.m_bDotsFromText, 0);
        m_history.Undo();
    }
}

// On grids whose dot count is not a multiple of eight, the dots of the old
// background in the last, partly used byte of the record come back too;
// dots that had the new colour before keep it.
TEST_F(UndoStepTest, ABackgroundChangeComesBackOnEveryDotOfAnyGrid)
{
    const COLORREF newBack = MakeColor(7, 7, 7);
    for (const QSize size : {QSize(5, 3), QSize(3, 3), QSize(1, 1), QSize(8, 1), QSize(9, 1)}) {
        SCOPED_TRACE(QStringLiteral("%1x%2").arg(size.width()).arg(size.height()).toStdString());
        CDotGrid grid;
        grid.SetBackgroundColor(kBack, false);
        ASSERT_TRUE(grid.Create(size.width(), size.height(), ImageMode));
        grid.SetDot(0, 0, newBack);
        if (size.width() > 2)
            grid.SetDot(1, 0, kRed);
        const QByteArray before = Dots(grid);
        CCanvasHistory history(grid, m_text);
        history.SetBackgroundColor(newBack);
        EXPECT_EQ(grid.BackColor(), newBack);
        EXPECT_EQ(grid.DotAt(size.width() - 1, size.height() - 1), newBack);
        const QByteArray after = Dots(grid);
        ASSERT_TRUE(history.Undo());
        EXPECT_EQ(Dots(grid), before);
        EXPECT_EQ(grid.BackColor(), kBack);
        ASSERT_TRUE(history.Redo());
        EXPECT_EQ(Dots(grid), after);
    }
}

// Only drawing strokes merge with each other: a fill beside a stroke, in
// either order, is a step of its own.
TEST_F(UndoStepTest, AStrokeAndAFillNeverMerge)
{
    const auto fill = [this](QPoint dot) {
        auto step = std::make_unique<CDotsStep>(EUndoKind::Fill);
        step->Paint(m_grid, dot.x(), dot.y(), kGreen);
        return step;
    };
    m_history.Push(Stroke({{1, 1}}, kRed), true);
    m_history.Push(fill({2, 2}), true);
    EXPECT_EQ(m_history.UndoCount(), 2u);
    m_history.Push(Stroke({{3, 3}}, kRed), true);
    EXPECT_EQ(m_history.UndoCount(), 3u);
    m_history.Push(Stroke({{4, 4}}, kRed), true);
    EXPECT_EQ(m_history.UndoCount(), 3u);
    m_history.Undo();
    EXPECT_EQ(m_grid.DisplayDotAt(3, 3), kBack);
    EXPECT_EQ(m_grid.DisplayDotAt(2, 2), kGreen);
}

// A held key's renderings on one frame and those on the next frame chosen are
// separate steps: one undo takes back only the newer frame's.
TEST(UndoStepFrames, RenderingsOnAnotherFrameStartANewStep)
{
    CCanvasDocument doc;
    ASSERT_TRUE(doc.NewCanvas(16, 8, TextMode));
    ASSERT_TRUE(doc.ChangeFrames([](CFrameList& frames, CFrameStep&) { return frames.AddBlank(); }));
    ASSERT_EQ(doc.Frames().Count(), 2);
    doc.SelectFrame(0);
    const std::size_t before = doc.History().UndoCount();
    doc.SetMergeRenderings(true);
    doc.SetTextX(1);
    doc.SetTextX(2);
    ASSERT_EQ(doc.History().UndoCount(), before + 1);
    ASSERT_TRUE(doc.SelectFrame(1));
    doc.SetTextX(3);
    doc.SetTextX(4);
    doc.SetMergeRenderings(false);
    EXPECT_EQ(doc.History().UndoCount(), before + 2);

    ASSERT_TRUE(doc.Undo());
    EXPECT_EQ(doc.Frames().Current(), 1);
    EXPECT_EQ(doc.Text().m_nGlyphOffsetX, 2);
    ASSERT_TRUE(doc.Undo());
    EXPECT_EQ(doc.Frames().Current(), 0);
    EXPECT_EQ(doc.Text().m_nGlyphOffsetX, 0);
}
