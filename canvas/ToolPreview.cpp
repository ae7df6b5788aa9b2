#include "canvas/ToolPreview.h"

#include "base/DotPalette.h"
#include "base/QtColor.h"
#include "canvas/DotFragment.h"
#include "canvas/DotRaster.h"
#include "canvas/DotShape.h"
#include "canvas/ZoomView.h"

#include <QImage>
#include <QPainter>

namespace {

// The dots visible in the window, as a display rectangle.
QRect VisibleDots(const CZoomView& view, const QImage& surface)
{
    const QPoint first = view.ClientToDotAnywhere(QPoint(0, 0));
    const QPoint last = view.ClientToDotAnywhere(QPoint(surface.width() - 1, surface.height() - 1));
    return QRect(first, last);
}

// One run of dots on a row, grid lines redrawn over it.
void FillDots(QImage& surface, const CZoomView& view, int row, int left, int right, QRgb colour)
{
    const QRect first = view.DotToClient(left, row);
    const QRect run(first.topLeft(), QSize(first.width() * (right - left + 1), first.height()));
    const QRect clip = run & surface.rect();
    if (clip.isEmpty())
        return;
    FillArea(surface, clip, colour);
    if (view.ShowGrid() && view.DotSize() > 0)
        DrawGridLines(surface, clip, view.DotSize(), view.ScrollOffset(), kGridLineColor);
}

} // namespace

QRect ClientAreaOf(const CZoomView& view, const QRect& area)
{
    if (area.isEmpty())
        return {};
    return view.DotToClient(area.left(), area.top()) | view.DotToClient(area.right(), area.bottom());
}

void PaintShapePreview(QImage& surface, const CZoomView& view, const CDotShape& shape, COLORREF colour)
{
    const QRgb rgb = ToQRgb(colour);
    for (const SDotRun& run : shape.RunsIn(VisibleDots(view, surface)))
        FillDots(surface, view, run.nRow, run.nLeft, run.nRight, rgb);
}

void PaintAreaPreview(QImage& surface, const CZoomView& view, const QRect& area, COLORREF colour)
{
    const QRect visible = area & VisibleDots(view, surface);
    for (int row = visible.top(); row <= visible.bottom(); ++row)
        FillDots(surface, view, row, visible.left(), visible.right(), ToQRgb(colour));
}

void PaintFragmentPreview(QImage& surface, const CZoomView& view, const CDotFragment& fragment, QPoint at,
                          COLORREF background)
{
    const QRect visible = QRect(at, QSize(fragment.Width(), fragment.Height())) & VisibleDots(view, surface);
    for (int row = visible.top(); row <= visible.bottom(); ++row) {
        // Runs of one colour index, each painted in one go.
        int left = visible.left();
        while (left <= visible.right()) {
            const int index = fragment.IndexAt(left - at.x(), row - at.y());
            int right = left;
            while (right + 1 <= visible.right() && fragment.IndexAt(right + 1 - at.x(), row - at.y()) == index)
                ++right;
            const COLORREF colour = index < kPaletteSize ? DotPalette[static_cast<std::size_t>(index)] : background;
            FillDots(surface, view, row, left, right, ToQRgb(colour));
            left = right + 1;
        }
    }
}

void PaintSelectionFrame(QImage& surface, const CZoomView& view, const QRect& area)
{
    if (area.isEmpty())
        return;
    const QRect frame = ClientAreaOf(view, area).adjusted(0, 0, -1, -1);
    QPainter painter(&surface);
    painter.setPen(QPen(Qt::white, 1));
    painter.drawRect(frame);
    QPen dashes(Qt::black, 1, Qt::DashLine);
    painter.setPen(dashes);
    painter.drawRect(frame);
}
