#include "canvas/DotRaster.h"

#include <algorithm>
#include <cstring>

namespace {

// The pixels of 'clip' that can be written: none unless the target has
// 32 bits per pixel.
QRect ClampToImage(const QImage& target, const QRect& clip)
{
    if (target.depth() != 32)
        return {};
    return clip & target.rect();
}

// The part of 'clip' that a size x size enlargement of a picture of 'dots'
// pixels, placed at 'origin', covers inside the target.
QRect StretchArea(const QImage& target, QSize dots, QPoint origin, int size, const QRect& clip)
{
    if (dots.isEmpty() || size <= 0)
        return {};
    return ClampToImage(target, clip) & QRect(origin, dots * size);
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

void StretchDots(QImage& target, const CDotGrid& grid, QPoint origin, int size, const QRect& clip)
{
    if (grid.IsEmpty())
        return;
    const QRect area = StretchArea(target, QSize(grid.Width(), grid.Height()), origin, size, clip);
    if (area.isEmpty())
        return;
    const std::size_t bytes = sizeof(QRgb) * static_cast<std::size_t>(area.width());
    const int firstColumn = (area.left() - origin.x()) / size;
    // Pixels of the first dot column that lie left of the area.
    const int skip = (area.left() - origin.x()) % size;
    int previousRow = -1;
    const QRgb* previousLine = nullptr;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        const int displayRow = (y - origin.y()) / size;
        QRgb* out = Line(target, y) + area.left();
        if (displayRow == previousRow) {
            std::memcpy(out, previousLine, bytes);
            continue;
        }
        previousRow = displayRow;
        previousLine = out;
        const std::uint8_t* dot = grid.DisplayRowBits(displayRow) + 3 * firstColumn;
        if (size == 1) {
            for (QRgb* end = out + area.width(); out != end; ++out, dot += 3)
                *out = qRgb(dot[2], dot[1], dot[0]);
            continue;
        }
        int left = area.width();
        int run = std::min(size - skip, left);
        while (left > 0) {
            std::fill(out, out + run, qRgb(dot[2], dot[1], dot[0]));
            out += run;
            left -= run;
            dot += 3;
            run = std::min(size, left);
        }
    }
}

void StretchKeyed(QImage& target, const QImage& source, QPoint origin, int size, const QRect& clip)
{
    const QRect area = StretchArea(target, source.size(), origin, size, clip);
    if (area.isEmpty() || source.depth() != 32)
        return;
    const int firstColumn = (area.left() - origin.x()) / size;
    const int skip = (area.left() - origin.x()) % size;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        const QRgb* pixel = reinterpret_cast<const QRgb*>(source.constScanLine((y - origin.y()) / size)) + firstColumn;
        QRgb* out = Line(target, y) + area.left();
        int left = area.width();
        int run = std::min(size - skip, left);
        while (left > 0) {
            if ((*pixel & 0x00FFFFFFu) != 0)
                std::fill(out, out + run, *pixel | 0xFF000000u);
            out += run;
            left -= run;
            ++pixel;
            run = std::min(size, left);
        }
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
