#include "canvas/PanTool.h"

#include "canvas/ZoomView.h"

#include <QScrollBar>

void CPanTool::Press(const SToolEvent& event)
{
    if (event.nButton != Qt::LeftButton) {
        m_otherButtons.Press(event);
        return;
    }
    m_nLastX = event.ptClient.x();
    m_nLastY = event.ptClient.y();
    m_bPanning = true;
}

void CPanTool::Release(const SToolEvent& event)
{
    if (event.nButton == Qt::LeftButton)
        m_bPanning = false;
}

void CPanTool::DragAxis(QScrollBar* bar, int& last, int pointer) const
{
    // The movement is rounded up to whole dots; the part the rounding has
    // not used stays in 'last', so that many small moves add up instead of
    // being rounded away one by one.
    const int q = bar->value() + last - pointer;
    const int position = q > 0 ? m_view.RoundUpToDot(q) : 0;
    bar->setValue(position);
    last = q > 0 ? pointer + q - position : pointer;
}

void CPanTool::Move(const SToolEvent& event)
{
    if (!m_bPanning)
        return;
    const int s = m_view.EffectiveDotSize();
    const QSize size = m_view.viewport()->size();
    // Dragging right moves the picture right; an axis on which the whole
    // grid fits does not move and keeps its last pointer position.
    if (m_view.GridWidth() * s > size.width())
        DragAxis(m_view.horizontalScrollBar(), m_nLastX, event.ptClient.x());
    if (m_view.GridHeight() * s > size.height())
        DragAxis(m_view.verticalScrollBar(), m_nLastY, event.ptClient.y());
    m_view.viewport()->update();
}
