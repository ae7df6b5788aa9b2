#include "canvas/ZoomView.h"

#include <QScrollBar>

#include <algorithm>

CZoomView::CZoomView(QWidget* parent)
    : QAbstractScrollArea(parent)
{
    setFrameShape(QFrame::NoFrame);
    // Every paint covers its whole exposed area, so nothing is erased first.
    viewport()->setAutoFillBackground(false);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    for (QScrollBar* bar : {horizontalScrollBar(), verticalScrollBar()}) {
        connect(bar, &QAbstractSlider::actionTriggered, this,
                [this, bar](int action) { SnapThumbTrack(bar, action); });
    }
    UpdateScrollRanges();
}

int CZoomView::ZoomIn()
{
    if (m_nDotSize >= kMaxDotSize)
        return m_nDotSize;
    m_nDotSize = m_nDotSize == 0 ? 2 : m_nDotSize + 1;
    SetGridSize(m_nGridWidth, m_nGridHeight);
    return m_nDotSize;
}

int CZoomView::ZoomOut()
{
    if (m_nDotSize <= 1)
        return m_nDotSize;
    m_nDotSize = m_nDotSize == 2 ? 0 : m_nDotSize - 1;
    SetGridSize(m_nGridWidth, m_nGridHeight);
    return m_nDotSize;
}

void CZoomView::ToggleGrid()
{
    if (m_nDotSize != 0)
        m_bShowGrid = !m_bShowGrid;
    viewport()->update();
}

void CZoomView::SetGridSize(int w, int h)
{
    m_nGridWidth = std::max(0, w);
    m_nGridHeight = std::max(0, h);
    CenterGrid();
    const int s = EffectiveDotSize();
    m_nTotalWidth = m_nGridWidth * s;
    m_nTotalHeight = m_nGridHeight * s;
    UpdateScrollRanges();
    horizontalScrollBar()->setValue(0);
    verticalScrollBar()->setValue(0);
    m_nScrollX = 0;
    m_nScrollY = 0;
    viewport()->update();
    emit GridSizeChanged(m_nGridWidth, m_nGridHeight);
}

int CZoomView::CenteredOrigin(int clientExtent, int dots) const
{
    const int s = EffectiveDotSize();
    const int margin = (clientExtent - dots * s) / 2;
    if (margin <= 0)
        return 0;
    return RoundUpToDot(margin);
}

void CZoomView::CenterGrid()
{
    const QSize client = viewport()->size();
    m_nOriginX = CenteredOrigin(client.width(), m_nGridWidth);
    m_nOriginY = CenteredOrigin(client.height(), m_nGridHeight);
}

int CZoomView::RoundUpToDot(int v) const
{
    const int s = EffectiveDotSize();
    if (v <= 0)
        return v / s * s;
    return (v + s - 1) / s * s;
}

QRect CZoomView::DotToClient(int column, int displayRow) const
{
    const int s = EffectiveDotSize();
    return {m_nOriginX + column * s - m_nScrollX, m_nOriginY + displayRow * s - m_nScrollY, s, s};
}

bool CZoomView::ClientToDot(QPoint client, int& column, int& row) const
{
    const int s = EffectiveDotSize();
    const int lx = client.x() + m_nScrollX - m_nOriginX;
    const int ly = client.y() + m_nScrollY - m_nOriginY;
    if (lx < 0 || ly < 0 || lx >= s * m_nGridWidth || ly >= s * m_nGridHeight)
        return false;
    column = lx / s;
    row = ly / s;
    return true;
}

QPoint CZoomView::ClientToDotAnywhere(QPoint client) const
{
    const int s = EffectiveDotSize();
    const int lx = client.x() + m_nScrollX - m_nOriginX;
    const int ly = client.y() + m_nScrollY - m_nOriginY;
    // Rounded down on both sides of the grid's corner.
    auto floorDiv = [s](int v) { return v >= 0 ? v / s : -((-v + s - 1) / s); };
    return {floorDiv(lx), floorDiv(ly)};
}

void CZoomView::UpdateScrollRanges()
{
    const QSize client = viewport()->size();
    const int s = EffectiveDotSize();
    // Line and page steps are whole dots so that scrolling keeps the grid
    // lines where they were; a page is the window's extent in whole dots.
    QScrollBar* h = horizontalScrollBar();
    h->setRange(0, std::max(0, m_nTotalWidth - client.width()));
    h->setSingleStep(s);
    h->setPageStep(std::max(s, client.width() / s * s));
    QScrollBar* v = verticalScrollBar();
    v->setRange(0, std::max(0, m_nTotalHeight - client.height()));
    v->setSingleStep(s);
    v->setPageStep(std::max(s, client.height() / s * s));
    m_nScrollX = h->value();
    m_nScrollY = v->value();
}

QImage& CZoomView::Surface()
{
    const QSize size = viewport()->size();
    if (m_imgSurface.size() != size)
        m_imgSurface = QImage(size, QImage::Format_RGB32);
    return m_imgSurface;
}

void CZoomView::SnapThumbTrack(QScrollBar* bar, int action)
{
    // Dragging the thumb stops only on whole dots. Inside actionTriggered the
    // new position is not yet applied, so it can still be changed here.
    if (action == QAbstractSlider::SliderMove)
        bar->setSliderPosition(RoundUpToDot(bar->sliderPosition()));
}

void CZoomView::resizeEvent(QResizeEvent*)
{
    UpdateScrollRanges();
    CenterGrid();
    viewport()->update();
}

void CZoomView::scrollContentsBy(int, int)
{
    m_nScrollX = horizontalScrollBar()->value();
    m_nScrollY = verticalScrollBar()->value();
    viewport()->update();
}
