#pragma once

#include "base/CanvasText.h"
#include "base/Color.h"
#include "base/DotGrid.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <vector>

// The undo history of the canvas: every change to the dots, and to the text
// state the dots were rendered from, in order. Each step keeps only what it
// needs: a click the one dot it changed, Mirror and Flip nothing (they undo
// themselves), a new background one bit per recoloured dot, and a change
// that may replace the whole grid the state on its other side, which undo
// and redo exchange with the canvas's: the grid when the change touched it,
// and only the text fields it changed, so that what the input pane set in
// between (overlay text, font) stays. What the steps keep is capped; the
// oldest steps are dropped first.
//
// The history works on the canvas's grid and text, which must outlive it,
// and assumes every change to the dots is recorded here: a step is taken
// back from the dots it left. It is not thread-safe; the listing's worker
// reads its own copy of the grid.
class CCanvasHistory
{
public:
    enum class Kind { EditDot, Mirror, Flip, Rotate, Background, Open, MergeText, Render, LoadDots, Draw, Fill, ResizeCanvas, Crop };

    static constexpr std::size_t kDefaultByteLimit = std::size_t{64} << 20;

    CCanvasHistory(CDotGrid& grid, CCanvasText& text, std::size_t byteLimit = kDefaultByteLimit);
    ~CCanvasHistory();
    CCanvasHistory(const CCanvasHistory&) = delete;
    CCanvasHistory& operator=(const CCanvasHistory&) = delete;

    // Each makes its change and records it; a recorded change drops the
    // steps that could have been redone.
    // One dot (storage row) takes the colour. False, with nothing recorded,
    // when the dot is outside the grid.
    bool EditDot(int column, int storageRow, COLORREF colour);
    // False, with nothing recorded, on an empty grid.
    bool Mirror();
    bool Flip();
    // The background takes the colour and the dots of the old one follow it.
    void SetBackgroundColor(COLORREF colour);
    // Runs a change that may alter any part of the grid and of the text
    // state, keeping what it altered as it was before. The step is recorded
    // when the change reports success or has altered anything; true when
    // recorded.
    bool RecordWhole(Kind kind, const std::function<bool()>& change);

    bool CanUndo() const { return m_nDone > 0; }
    bool CanRedo() const { return m_nDone < m_steps.size(); }
    // False, changing nothing, when there is nothing to undo (redo).
    bool Undo();
    bool Redo();
    void Clear();

    std::size_t UndoCount() const { return m_nDone; }
    std::size_t RedoCount() const { return m_steps.size() - m_nDone; }
    // What the next Undo (Redo) takes back (does again); only while there is one.
    Kind NextUndo() const { return m_steps[m_nDone - 1].nKind; }
    Kind NextRedo() const { return m_steps[m_nDone].nKind; }
    // The English name of a kind of step, for prompts.
    static const char* KindName(Kind kind);
    // Bytes the steps hold, their own records included.
    std::size_t StoredBytes() const { return m_nStoredBytes; }
    std::size_t ByteLimit() const { return m_nByteLimit; }

private:
    struct SState
    {
        CDotGrid grid;            // kept only when the change touched the dots
        bool bGrid = false;
        CCanvasText text;
        unsigned nTextFields = 0; // the text fields the change altered
    };
    struct SStep
    {
        Kind nKind = Kind::EditDot;
        int nColumn = 0;                      // EditDot: the dot
        int nRow = 0;
        COLORREF crBefore = 0;                // EditDot: the dot's colour; Background: the background
        COLORREF crAfter = 0;
        std::vector<std::uint8_t> abChanged;  // Background: one bit per dot that was recoloured
        std::unique_ptr<SState> pOther;       // whole-state steps: the state on the step's other side
    };

    static std::size_t BytesOf(const SStep& step);
    // Mirror and Flip: applying the change again takes it back, so nothing is kept.
    bool SelfInverse(Kind kind, void (CDotGrid::*change)());
    void Push(SStep step);
    void DropRedoSteps();
    void Exchange(SStep& step);
    void UndoBackground(const SStep& step);

    CDotGrid& m_grid;
    CCanvasText& m_text;
    std::deque<SStep> m_steps;
    std::size_t m_nDone = 0; // steps in effect; those after them can be redone
    std::size_t m_nStoredBytes = 0;
    std::size_t m_nByteLimit;
};
