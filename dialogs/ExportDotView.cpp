#include "dialogs/ExportDotView.h"

#include "base/DotGrid.h"
#include "base/GridImage.h"

#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

namespace {

const QColor kModuleBorder(128, 128, 128);
const QColor kOutline(0, 255, 255);

} // namespace

CExportDotView::CExportDotView(QWidget* parent)
    : QWidget(parent)
{
    setMouseTracking(true);
    setMinimumSize(160, 80);
}

void CExportDotView::SetGrid(const CDotGrid& grid)
{
    m_image = GridToImage(grid);
    update();
}

void CExportDotView::SetLayout(const CByteLayout& layout)
{
    m_layout = layout;
    m_bLayoutSet = layout.Width() > 0;
    // The same dot may now sit in another byte.
    if (m_nByte >= 0)
        HighlightDot(m_nDotX, m_nDotY);
    update();
}

bool CExportDotView::HighlightDot(int x, int y)
{
    const qint64 before = m_nByte;
    m_nDotX = x;
    m_nDotY = y;
    m_nByte = m_bLayoutSet ? m_layout.ByteAt(x, y, m_run) : -1;
    update();
    if (m_nByte != before)
        emit ByteHovered(m_nByte);
    return m_nByte >= 0;
}

QSize CExportDotView::sizeHint() const
{
    return {360, 200};
}

QRectF CExportDotView::PictureRect() const
{
    if (m_image.isNull())
        return {};
    // The largest picture with square dots that fits, centred.
    const double scale = std::min(double(width()) / m_image.width(), double(height()) / m_image.height());
    const QSizeF size(m_image.width() * scale, m_image.height() * scale);
    return {QPointF((width() - size.width()) / 2, (height() - size.height()) / 2), size};
}

QRectF CExportDotView::DotsRect(int x, int y, int w, int h) const
{
    const QRectF picture = PictureRect();
    const double scale = picture.width() / m_image.width();
    return {picture.left() + x * scale, picture.top() + y * scale, w * scale, h * scale};
}

bool CExportDotView::DotAt(const QPoint& point, int& x, int& y) const
{
    const QRectF picture = PictureRect();
    if (picture.isEmpty() || !picture.contains(point))
        return false;
    const double scale = picture.width() / m_image.width();
    x = std::min(int((point.x() - picture.left()) / scale), m_image.width() - 1);
    y = std::min(int((point.y() - picture.top()) / scale), m_image.height() - 1);
    return true;
}

void CExportDotView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    if (m_image.isNull())
        return;
    painter.drawImage(PictureRect(), m_image);
    if (!m_bLayoutSet)
        return;
    painter.setPen(QPen(kModuleBorder, 1));
    for (int x = m_layout.ModuleWidth(); x < m_layout.Width(); x += m_layout.ModuleWidth())
        painter.drawLine(DotsRect(x, 0, 0, m_layout.Height()).topLeft(), DotsRect(x, 0, 0, m_layout.Height()).bottomLeft());
    for (int y = m_layout.ModuleHeight(); y < m_layout.Height(); y += m_layout.ModuleHeight())
        painter.drawLine(DotsRect(0, y, m_layout.Width(), 0).topLeft(), DotsRect(0, y, m_layout.Width(), 0).topRight());
    if (m_nByte < 0)
        return;
    // The byte's dots, at least a few pixels wide so that a single row shows.
    const int w = m_run.dx ? m_run.count : 1;
    const int h = m_run.dy ? m_run.count : 1;
    QRectF outline = DotsRect(m_run.x, m_run.y, w, h);
    outline = outline.adjusted(-1, -1, 1, 1);
    painter.setPen(QPen(Qt::black, 3));
    painter.drawRect(outline);
    painter.setPen(QPen(kOutline, 1));
    painter.drawRect(outline);
}

void CExportDotView::mouseMoveEvent(QMouseEvent* event)
{
    int x = 0;
    int y = 0;
    if (DotAt(event->position().toPoint(), x, y))
        HighlightDot(x, y);
}
