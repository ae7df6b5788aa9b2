#include "frame/ToolbarImages.h"

namespace {
constexpr int kCellWidth = 16;
constexpr int kCellHeight = 15;
constexpr QRgb kTransparentGrey = qRgb(192, 192, 192);
}

QList<QImage> ToolbarCells(const QImage& strip)
{
    QImage argb = strip.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < argb.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(argb.scanLine(y));
        for (int x = 0; x < argb.width(); ++x) {
            if ((line[x] & 0x00FFFFFFu) == (kTransparentGrey & 0x00FFFFFFu))
                line[x] = 0;
        }
    }
    QList<QImage> cells;
    for (int x = 0; x + kCellWidth <= argb.width(); x += kCellWidth)
        cells << argb.copy(x, 0, kCellWidth, std::min(kCellHeight, argb.height()));
    return cells;
}
