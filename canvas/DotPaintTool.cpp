#include "canvas/DotPaintTool.h"

#include "canvas/CanvasDocument.h"

void CDotPaintTool::Press(const SToolEvent& event)
{
    if (event.nButton != Qt::LeftButton && event.nButton != Qt::RightButton)
        return;
    // Permission is asked before the hit test, as a refused click does nothing.
    if (!m_document.CanEditDots() || !event.bOnGrid)
        return;
    const CDotGrid& grid = m_document.Grid();
    const COLORREF colour = event.nButton == Qt::LeftButton ? grid.DotColor() : grid.BackColor();
    m_document.EditDot(event.nColumn, event.nRow, colour);
}

Qt::CursorShape CDotPaintTool::Cursor() const
{
    return m_document.CanEditDots() ? Qt::ArrowCursor : Qt::ForbiddenCursor;
}
