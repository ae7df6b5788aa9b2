#include "canvas/DotsStep.h"

bool CDotsStep::Paint(CDotGrid& grid, int column, int row, COLORREF colour)
{
    if (!grid.Contains(column, row))
        return false;
    const COLORREF before = grid.DisplayDotAt(column, row);
    if (before == colour)
        return false;
    grid.SetDisplayDot(column, row, colour);
    Add(column, row, before, colour);
    return true;
}

void CDotsStep::Undo(SCanvasState& state)
{
    // Backwards, so a dot changed twice ends with its first colour.
    for (auto it = m_changes.rbegin(); it != m_changes.rend(); ++it)
        state.grid.SetDisplayDot(it->nColumn, it->nRow, it->crBefore);
}

void CDotsStep::Redo(SCanvasState& state)
{
    for (const SDotChange& change : m_changes)
        state.grid.SetDisplayDot(change.nColumn, change.nRow, change.crAfter);
}

std::size_t CDotsStep::Bytes() const
{
    return sizeof(*this) + m_changes.capacity() * sizeof(SDotChange);
}

bool CDotsStep::MergeWith(CUndoStep& next)
{
    auto* dots = dynamic_cast<CDotsStep*>(&next);
    if (!dots || Kind() != EUndoKind::Draw || dots->Kind() != EUndoKind::Draw)
        return false;
    m_changes.insert(m_changes.end(), dots->m_changes.begin(), dots->m_changes.end());
    return true;
}
