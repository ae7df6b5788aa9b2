#include "canvas/DotRaster.h"

#include <algorithm>
#include <cstring>

namespace {

QRect ClampToImage(const QImage& target, const QRect& clip)
{
    return clip & target.rect();
}

QRgb* Line(QImage& target, int y)
{
    return reinterpret_cast<QRgb*>(target.scanLine(y));
}

// First value >= from that is congruent to -offset modulo spacing.
int FirstMultiple(int from, int offset, int spacing)
{
    int rest = (from + offset) % spacing;
    if (rest < 0)
        rest += spacing;
    return rest == 0 ? from : from + spacing - rest;
}

} // namespace

QImage WrapGridBits(const CDotGrid& grid)
{
    if (grid.IsEmpty())
        return {};
    return QImage(grid.Bits(), grid.Width(), grid.Height(), 3 * grid.Width(), QImage::Format_BGR888);
}

void FillArea(QImage& target, const QRect& clip, QRgb colour)
{
    const QRect area = ClampToImage(target, clip);
    if (area.isEmpty())
        return;
    QRgb* first = Line(target, area.top()) + area.left();
    std::fill(first, first + area.width(), colour);
    const std::size_t bytes = sizeof(QRgb) * static_cast<std::size_t>(area.width());
    for (int y = area.top() + 1; y <= area.bottom(); ++y)
        std::memcpy(Line(target, y) + area.left(), first, bytes);
}

void StretchDots(QImage& target, const QImage& dots, QPoint origin, int size, const QRect& clip)
{
    if (dots.isNull() || size <= 0)
        return;
    const QRect grid(origin, QSize(dots.width() * size, dots.height() * size));
    const QRect area = ClampToImage(target, clip) & grid;
    if (area.isEmpty())
        return;
    const std::size_t bytes = sizeof(QRgb) * static_cast<std::size_t>(area.width());
    const int firstColumn = (area.left() - origin.x()) / size;
    // Pixels of the first dot column that lie left of the area.
    const int skip = (area.left() - origin.x()) % size;
    int previousRow = -1;
    QRgb* previousLine = nullptr;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        const int displayRow = (y - origin.y()) / size;
        QRgb* out = Line(target, y) + area.left();
        if (displayRow == previousRow) {
            std::memcpy(out, previousLine, bytes);
            continue;
        }
        const uchar* dot = dots.constScanLine(dots.height() - 1 - displayRow) + 3 * firstColumn;
        int left = area.width();
        int run = std::min(size - skip, left);
        while (left > 0) {
            const QRgb colour = qRgb(dot[2], dot[1], dot[0]);
            std::fill(out, out + run, colour);
            out += run;
            left -= run;
            dot += 3;
            run = std::min(size, left);
        }
        previousRow = displayRow;
        previousLine = Line(target, y) + area.left();
    }
}

void DrawGridLines(QImage& target, const QRect& clip, int spacing, QPoint offset, QRgb colour)
{
    const QRect area = ClampToImage(target, clip);
    if (area.isEmpty() || spacing <= 0)
        return;
    const int firstX = FirstMultiple(area.left(), offset.x(), spacing);
    const int firstY = FirstMultiple(area.top(), offset.y(), spacing);
    for (int y = area.top(); y <= area.bottom(); ++y) {
        QRgb* line = Line(target, y);
        if (y >= firstY && (y - firstY) % spacing == 0) {
            std::fill(line + area.left(), line + area.right() + 1, colour);
            continue;
        }
        for (int x = firstX; x <= area.right(); x += spacing)
            line[x] = colour;
    }
}
