#include "dialogs/FlatSplitterWnd.h"

#include <QMouseEvent>
#include <QPainter>

#include <climits>

void LayoutRowCol(std::vector<CRowColInfo>& info, int size, int gap)
{
    if (info.empty())
        return;
    int s = size < 0 ? 0 : size;
    const std::size_t last = info.size() - 1;
    for (std::size_t i = 0; i < last; ++i) {
        if (info[i].nIdealSize < info[i].nMinSize)
            info[i].nIdealSize = 0;
        info[i].nCurSize = info[i].nIdealSize;
    }
    info[last].nCurSize = INT_MAX;

    for (std::size_t i = 0; i <= last; ++i) {
        CRowColInfo& r = info[i];
        if (s == 0) {
            r.nCurSize = 0;
            continue;
        }
        if (s < r.nMinSize && i > 0) {
            r.nCurSize = 0;
            info[i - 1].nCurSize += s + 2;
            s = 0;
        } else if (r.nCurSize != 0) {
            if (s < r.nCurSize) {
                r.nCurSize = s;
                s = 0;
            } else {
                s -= r.nCurSize;
            }
        }
        if (i == last)
            continue;
        if (s > gap) {
            s -= gap;
        } else {
            r.nCurSize += s;
            if (r.nCurSize > gap - 2)
                r.nCurSize -= gap - 2;
            s = 0;
        }
    }
}

CSplitterLayout ComputeSplitterLayout(QSize client, std::vector<CRowColInfo>& rows)
{
    constexpr int border = CFlatSplitterWnd::m_cyBorder;
    constexpr int gap = CFlatSplitterWnd::m_cySplitterGap;
    const QRect inside = QRect(QPoint(0, 0), client).adjusted(border, border, -border, -border);
    LayoutRowCol(rows, inside.height(), gap);

    CSplitterLayout layout;
    int y = inside.top();
    for (std::size_t i = 0; i < rows.size() && i < layout.rcPane.size(); ++i) {
        const QRect pane(inside.left(), y, inside.width(), rows[i].nCurSize);
        layout.rcPane[i] = pane;
        layout.rcBorder[i] = pane.adjusted(-border, -border, border, border);
        y += rows[i].nCurSize + gap;
    }
    layout.rcBar = QRect(0, layout.rcPane[0].bottom() + 1, client.width(), CFlatSplitterWnd::m_cySplitter);
    return layout;
}

CFlatSplitterWnd::CFlatSplitterWnd(QWidget* parent)
    : QWidget(parent)
    , m_rows(kRowCount)
{
    setMouseTracking(true);
}

void CFlatSplitterWnd::SetPane(int row, QWidget* pane)
{
    if (!CheckRow(row))
        return;
    m_panes[static_cast<std::size_t>(row)] = pane;
    if (pane)
        pane->setParent(this);
    RecalcLayout();
}

void CFlatSplitterWnd::SetRowInfo(int row, int idealSize, int minSize)
{
    if (!CheckRow(row))
        return;
    m_rows[static_cast<std::size_t>(row)].nIdealSize = idealSize;
    m_rows[static_cast<std::size_t>(row)].nMinSize = minSize;
}

const CRowColInfo& CFlatSplitterWnd::RowInfo(int row) const
{
    return m_rows[static_cast<std::size_t>(CheckRow(row) ? row : 0)];
}

void CFlatSplitterWnd::RecalcLayout()
{
    m_layout = ComputeSplitterLayout(size(), m_rows);
    for (std::size_t i = 0; i < m_panes.size(); ++i) {
        QWidget* pane = m_panes[i];
        if (pane && pane->geometry() != m_layout.rcPane[i])
            pane->setGeometry(m_layout.rcPane[i]);
    }
    update();
}

void CFlatSplitterWnd::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    RecalcLayout();
}

void CFlatSplitterWnd::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(m_layout.rcBar, palette().button());
    // The pane borders go over the bar: a dark line top and left, a light
    // line bottom and right, so each pane looks sunk by one pixel.
    const QColor shadow = palette().color(QPalette::Dark);
    const QColor highlight = palette().color(QPalette::Light);
    for (const QRect& r : m_layout.rcBorder) {
        if (r.width() <= 0 || r.height() <= 0)
            continue;
        painter.setPen(shadow);
        painter.drawLine(r.topLeft(), r.topRight());
        painter.drawLine(r.topLeft(), r.bottomLeft());
        painter.setPen(highlight);
        painter.drawLine(r.bottomLeft(), r.bottomRight());
        painter.drawLine(r.topRight(), r.bottomRight());
    }
}

void CFlatSplitterWnd::mousePressEvent(QMouseEvent* event)
{
    const QPoint pos = event->position().toPoint();
    if (event->button() != Qt::LeftButton || !m_layout.rcBar.contains(pos))
        return QWidget::mousePressEvent(event);
    m_nDragOffset = pos.y() - m_layout.rcBar.top();
}

void CFlatSplitterWnd::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint pos = event->position().toPoint();
    if (m_nDragOffset < 0) {
        setCursor(m_layout.rcBar.contains(pos) ? Qt::SplitVCursor : Qt::ArrowCursor);
        return;
    }
    // The bar follows the pointer; the top row's ideal height is what lies
    // above the bar inside the border.
    const int barTop = pos.y() - m_nDragOffset;
    m_rows[0].nIdealSize = std::max(0, barTop - m_cyBorder);
    RecalcLayout();
}

void CFlatSplitterWnd::mouseReleaseEvent(QMouseEvent* event)
{
    if (m_nDragOffset < 0)
        return QWidget::mouseReleaseEvent(event);
    m_nDragOffset = -1;
}
