#include "canvas/DotSelection.h"

#include "canvas/CanvasDocument.h"

COLORREF CDotSelection::Background() const
{
    return m_document.Grid().BackColor();
}

QRect CDotSelection::GridRect() const
{
    const CDotGrid& grid = m_document.Grid();
    return QRect(0, 0, grid.Width(), grid.Height());
}

void CDotSelection::Select(const QRect& area)
{
    Place();
    Forget();
    m_rcArea = area & GridRect();
}

void CDotSelection::SelectAll()
{
    Select(GridRect());
}

void CDotSelection::Deselect()
{
    Place();
    Forget();
}

void CDotSelection::Forget()
{
    m_rcArea = QRect();
    m_bFloating = false;
    m_bPasted = false;
    m_fragment = CDotFragment();
    m_rcLifted = QRect();
}

void CDotSelection::MoveBy(QPoint delta)
{
    if (IsEmpty() || delta.isNull())
        return;
    if (!m_bFloating) {
        m_fragment = CDotFragment::Copy(m_document.Grid(), m_rcArea);
        m_rcLifted = m_rcArea;
        m_bFloating = true;
    }
    m_rcArea.translate(delta);
}

bool CDotSelection::Place()
{
    if (!m_bFloating)
        return false;
    const bool placed = m_document.PlaceFragment(m_fragment, m_rcArea.topLeft(), m_rcLifted,
                                                 m_bPasted ? EUndoKind::Paste : EUndoKind::Move);
    // What stays selected is the part of the placed dots on the grid.
    const QRect area = m_rcArea & GridRect();
    Forget();
    m_rcArea = area;
    return placed;
}

CDotFragment CDotSelection::Copy() const
{
    if (m_bFloating)
        return m_fragment;
    if (IsEmpty())
        return {};
    return CDotFragment::Copy(m_document.Grid(), m_rcArea);
}

bool CDotSelection::Delete(bool cut)
{
    if (IsEmpty())
        return false;
    const EUndoKind kind = cut ? EUndoKind::Cut : EUndoKind::Delete;
    // Dropped floating dots leave background where they were lifted from.
    const QRect cleared = m_bFloating ? m_rcLifted : m_rcArea;
    Forget();
    return m_document.PlaceFragment(CDotFragment(), QPoint(), cleared, kind);
}

void CDotSelection::Paste(const CDotFragment& fragment, QPoint at)
{
    Deselect();
    if (fragment.IsEmpty())
        return;
    m_fragment = fragment;
    m_rcArea = QRect(at, QSize(fragment.Width(), fragment.Height()));
    m_bFloating = true;
    m_bPasted = true;
}
