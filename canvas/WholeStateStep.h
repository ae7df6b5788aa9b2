#pragma once

#include "canvas/UndoStep.h"

#include <functional>
#include <memory>

// A change that may replace the whole grid and any of the text state: Open,
// Rotate, Merge Text, a rendering, loaded dots. The step keeps the state on
// its other side, which Undo and Redo exchange with the canvas's: the grid
// only when the change touched it, and only the text fields it changed, so
// that what the input pane set in between (overlay text, font) stays.
class CWholeStateStep : public CUndoStep
{
public:
    // Runs change on the state and returns the step that takes it back, or
    // null when the change neither reported success nor altered anything.
    static std::unique_ptr<CWholeStateStep> Record(EUndoKind kind, SCanvasState& state,
                                                   const std::function<bool()>& change);

    void Undo(SCanvasState& state) override { Exchange(state); }
    void Redo(SCanvasState& state) override { Exchange(state); }
    std::size_t Bytes() const override;
    // Renderings merge with renderings: the merged step keeps the state
    // before the first of them.
    bool MergeWith(CUndoStep& next) override;

    bool KeepsDots() const { return m_bGrid; }

private:
    explicit CWholeStateStep(EUndoKind kind)
        : CUndoStep(kind)
    {
    }
    void Exchange(SCanvasState& state);

    CDotGrid m_grid;          // kept only when the change touched the dots
    bool m_bGrid = false;
    CCanvasText m_text;
    unsigned m_nTextFields = 0; // the text fields the change altered
};
