#pragma once

#include "base/CanvasText.h"
#include "base/Color.h"
#include "base/DotGrid.h"
#include "canvas/UndoStep.h"

#include <cstddef>
#include <deque>
#include <functional>
#include <memory>

// The undo history of the canvas: every change to the dots, and to the text
// state the dots were rendered from, in order, as step objects (see
// CUndoStep). What the steps keep is capped; the oldest steps are dropped
// first.
//
// The history works on the canvas's grid and text, which must outlive it,
// and assumes every change to the dots is recorded here: a step is taken
// back from the dots it left. It is not thread-safe; the listing's worker
// reads its own copy of the grid.
class CCanvasHistory
{
public:
    using Kind = EUndoKind;

    static constexpr std::size_t kDefaultByteLimit = std::size_t{64} << 20;

    CCanvasHistory(CDotGrid& grid, CCanvasText& text, std::size_t byteLimit = kDefaultByteLimit);
    ~CCanvasHistory();
    CCanvasHistory(const CCanvasHistory&) = delete;
    CCanvasHistory& operator=(const CCanvasHistory&) = delete;

    // Records a change already made. A recorded change drops the steps that
    // could have been redone. With mayMerge, the step is offered to the
    // newest step first (see CUndoStep::MergeWith), unless something was
    // undone, redone or cleared since that one was recorded.
    void Push(std::unique_ptr<CUndoStep> step, bool mayMerge = false);

    // Each makes its change and records it.
    // One dot (display row, 0 on top) takes the colour. False, with nothing
    // recorded, when the dot is outside the grid.
    bool EditDot(int column, int row, COLORREF colour);
    // False, with nothing recorded, on an empty grid.
    bool Mirror();
    bool Flip();
    // The background takes the colour and the dots of the old one follow it.
    void SetBackgroundColor(COLORREF colour);
    // Runs a change that may alter any part of the grid and of the text
    // state (see CWholeStateStep). The step is recorded when the change
    // reports success or has altered anything; true when recorded.
    bool RecordWhole(Kind kind, const std::function<bool()>& change, bool mayMerge = false);

    bool CanUndo() const { return m_nDone > 0; }
    bool CanRedo() const { return m_nDone < m_steps.size(); }
    // False, changing nothing, when there is nothing to undo (redo).
    bool Undo();
    bool Redo();
    void Clear();

    std::size_t UndoCount() const { return m_nDone; }
    std::size_t RedoCount() const { return m_steps.size() - m_nDone; }
    // What the next Undo (Redo) takes back (does again); only while there is one.
    Kind NextUndo() const { return m_steps[m_nDone - 1]->Kind(); }
    Kind NextRedo() const { return m_steps[m_nDone]->Kind(); }
    // The prompt names of those steps; null when there is none.
    const char* NextUndoLabel() const { return CanUndo() ? m_steps[m_nDone - 1]->Label() : nullptr; }
    const char* NextRedoLabel() const { return CanRedo() ? m_steps[m_nDone]->Label() : nullptr; }
    // The English name of a kind of step, for prompts.
    static const char* KindName(Kind kind) { return UndoKindName(kind); }
    // Bytes the steps hold, their own records included.
    std::size_t StoredBytes() const { return m_nStoredBytes; }
    std::size_t ByteLimit() const { return m_nByteLimit; }

private:
    static std::size_t BytesOf(const CUndoStep& step);
    bool SelfInverse(Kind kind, void (CDotGrid::*change)());
    void DropRedoSteps();
    void EnforceLimit();
    SCanvasState State() { return {m_grid, m_text}; }

    CDotGrid& m_grid;
    CCanvasText& m_text;
    std::deque<std::unique_ptr<CUndoStep>> m_steps;
    std::size_t m_nDone = 0; // steps in effect; those after them can be redone
    std::size_t m_nStoredBytes = 0;
    std::size_t m_nByteLimit;
    bool m_bMergeOpen = false; // the newest step may still take a merge
};
