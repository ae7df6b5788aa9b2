#pragma once

#include "canvas/UndoStep.h"

#include <vector>

// Some dots took new colours: a click, or every dot a drawing gesture
// touched. Only those dots are kept, with the colour on each side.
class CDotsStep : public CUndoStep
{
public:
    struct SDotChange
    {
        int nColumn;
        int nRow; // display row, 0 on top
        COLORREF crBefore;
        COLORREF crAfter;
    };

    explicit CDotsStep(EUndoKind kind = EUndoKind::EditDot)
        : CUndoStep(kind)
    {
    }

    // Notes a dot that has changed; a dot may change more than once.
    void Add(int column, int row, COLORREF before, COLORREF after) { m_changes.push_back({column, row, before, after}); }
    // Paints the dot in the grid and notes it; a dot outside the grid or one
    // that already has the colour is left out. True when noted.
    bool Paint(CDotGrid& grid, int column, int row, COLORREF colour);
    bool IsEmpty() const { return m_changes.empty(); }
    // Room for this many changes, so a large gesture grows the list once.
    void Reserve(std::size_t count) { m_changes.reserve(count); }
    const std::vector<SDotChange>& Changes() const { return m_changes; }

    void Undo(SCanvasState& state) override;
    void Redo(SCanvasState& state) override;
    std::size_t Bytes() const override;
    // Two dot steps of a drawing gesture merge; clicks stay one step each.
    bool MergeWith(CUndoStep& next) override;

private:
    std::vector<SDotChange> m_changes;
};
