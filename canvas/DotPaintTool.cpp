#include "canvas/DotPaintTool.h"

#include "canvas/CanvasDocument.h"

void CDotPaintTool::Press(const SToolEvent& event)
{
    if (!event.IsPaintButton())
        return;
    // Permission is asked before the hit test, as a refused click does nothing.
    if (!m_document.CanEditDots() || !event.bOnGrid)
        return;
    m_document.EditDot(event.nColumn, event.nRow, event.Ink(m_document.Grid()));
}

Qt::CursorShape CDotPaintTool::Cursor() const
{
    return m_document.CanEditDots() ? Qt::ArrowCursor : Qt::ForbiddenCursor;
}
