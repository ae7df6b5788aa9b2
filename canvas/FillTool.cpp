#include "canvas/FillTool.h"

#include "canvas/CanvasDocument.h"

void CFillTool::Press(const SToolEvent& event)
{
    if (!event.IsPaintButton())
        return;
    if (!m_document.CanEditDots() || !event.bOnGrid)
        return;
    const CDotGrid& grid = m_document.Grid();
    m_document.DrawShape(m_fill.Area(grid, event.nColumn, event.nRow), event.Ink(grid), EUndoKind::Fill);
}

Qt::CursorShape CFillTool::Cursor() const
{
    return m_document.CanEditDots() ? Qt::PointingHandCursor : Qt::ForbiddenCursor;
}
