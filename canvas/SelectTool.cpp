#include "canvas/SelectTool.h"

#include "canvas/DotSelection.h"
#include "canvas/ToolPreview.h"
#include "canvas/ZoomView.h"

#include <QImage>

#include <algorithm>

void CSelectTool::Press(const SToolEvent& event)
{
    if (event.nButton != Qt::LeftButton || m_nDrag != NoDrag)
        return;
    m_ptAnchor = event.ptDot;
    if (m_selection.Area().contains(event.ptDot)) {
        m_nDrag = Moving;
        return;
    }
    m_nDrag = Selecting;
    m_selection.Select(QRect(event.ptDot, QSize(1, 1)));
    Repaint();
}

void CSelectTool::Move(const SToolEvent& event)
{
    m_ptPointer = event.ptDot;
    if (m_nDrag == Moving) {
        m_selection.MoveBy(event.ptDot - m_ptAnchor);
        m_ptAnchor = event.ptDot;
    } else if (m_nDrag == Selecting) {
        const QPoint a = m_ptAnchor;
        const QPoint b = event.ptDot;
        m_selection.Select(QRect(QPoint(std::min(a.x(), b.x()), std::min(a.y(), b.y())),
                                 QPoint(std::max(a.x(), b.x()), std::max(a.y(), b.y()))));
    } else {
        return;
    }
    Repaint();
}

void CSelectTool::Release(const SToolEvent& event)
{
    if (event.nButton != Qt::LeftButton || m_nDrag == NoDrag)
        return;
    Move(event);
    m_nDrag = NoDrag;
}

bool CSelectTool::Nudge(int dx, int dy)
{
    if (m_selection.IsEmpty())
        return false;
    m_selection.MoveBy(QPoint(dx, dy));
    Repaint();
    return true;
}

void CSelectTool::Cancel()
{
    m_nDrag = NoDrag;
    m_selection.Place();
    Repaint();
}

void CSelectTool::Repaint()
{
    m_view.viewport()->update();
}

void CSelectTool::PaintPreview(QImage& surface, const CZoomView& view) const
{
    if (m_selection.IsFloating()) {
        // The place the dots were lifted from shows what it will become.
        const COLORREF background = m_selection.Background();
        PaintAreaPreview(surface, view, m_selection.LiftedFrom(), background);
        PaintFragmentPreview(surface, view, m_selection.Floating(), m_selection.Area().topLeft(), background);
    }
    PaintSelectionFrame(surface, view, m_selection.Area());
}

Qt::CursorShape CSelectTool::Cursor() const
{
    return m_selection.Area().contains(m_ptPointer) ? Qt::SizeAllCursor : Qt::CrossCursor;
}
