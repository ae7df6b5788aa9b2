#include "canvas/ImageView.h"

#include <QPainter>

namespace {
const QColor kFieldColor(0, 128, 0);
}

CImageView::CImageView(QWidget* parent)
    : QAbstractScrollArea(parent)
{
    setFrameShape(QFrame::NoFrame);
}

void CImageView::paintEvent(QPaintEvent*)
{
    QPainter painter(viewport());
    painter.fillRect(viewport()->rect(), kFieldColor);
}
