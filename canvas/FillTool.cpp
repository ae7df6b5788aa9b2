#include "canvas/FillTool.h"

#include "canvas/CanvasDocument.h"

void CFillTool::Press(const SToolEvent& event)
{
    if (event.nButton != Qt::LeftButton && event.nButton != Qt::RightButton)
        return;
    if (!m_document.CanEditDots() || !event.bOnGrid)
        return;
    const CDotGrid& grid = m_document.Grid();
    const COLORREF colour = event.nButton == Qt::LeftButton ? grid.DotColor() : grid.BackColor();
    m_document.DrawShape(m_fill.Area(grid, event.nColumn, event.nRow), colour, EUndoKind::Fill);
}

Qt::CursorShape CFillTool::Cursor() const
{
    return m_document.CanEditDots() ? Qt::PointingHandCursor : Qt::ForbiddenCursor;
}
