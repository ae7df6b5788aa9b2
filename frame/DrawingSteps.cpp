#include "frame/DrawingSteps.h"

#include "canvas/CanvasSize.h"
#include "canvas/DotShape.h"
#include "canvas/FloodFill.h"
#include "canvas/ImageView.h"

namespace {

QSize CanvasSizeOf(const CImageView& canvas)
{
    return {canvas.Grid().Width(), canvas.Grid().Height()};
}

// Whether painting the shape would change any dot.
bool Changes(const CDotGrid& grid, const CDotShape& shape, COLORREF colour)
{
    for (const SDotRun& run : shape.Runs()) {
        for (int column = run.nLeft; column <= run.nRight; ++column) {
            if (grid.DotAt(column, grid.Height() - 1 - run.nRow) != colour)
                return true;
        }
    }
    return false;
}

} // namespace

bool CDrawingSteps::Draw(const CDotShape& shape, bool light, CCanvasHistory::Kind kind)
{
    if (!m_canvas.CanEditDots())
        return false;
    const CDotGrid& grid = m_canvas.Grid();
    const COLORREF colour = light ? grid.DotColor() : grid.BackColor();
    // A drawing that changes no dot is no step.
    if (Changes(grid, shape, colour))
        m_canvas.ChangeDots(kind, [&](CDotGrid& dots) { PaintShape(dots, shape, colour); });
    return true;
}

bool CDrawingSteps::Line(QPoint from, QPoint to, bool light)
{
    CDotShape shape(CanvasSizeOf(m_canvas));
    shape.AddLine(from, to);
    return Draw(shape, light, CCanvasHistory::Kind::Draw);
}

bool CDrawingSteps::Rectangle(QPoint corner, QPoint opposite, bool filled, bool light)
{
    CDotShape shape(CanvasSizeOf(m_canvas));
    shape.AddRectangle(corner, opposite, filled);
    return Draw(shape, light, CCanvasHistory::Kind::Draw);
}

bool CDrawingSteps::Ellipse(QPoint corner, QPoint opposite, bool filled, bool light)
{
    CDotShape shape(CanvasSizeOf(m_canvas));
    shape.AddEllipse(corner, opposite, filled);
    return Draw(shape, light, CCanvasHistory::Kind::Draw);
}

bool CDrawingSteps::Fill(QPoint at, bool light)
{
    const CDotGrid& grid = m_canvas.Grid();
    if (at.x() < 0 || at.y() < 0 || at.x() >= grid.Width() || at.y() >= grid.Height())
        return false;
    return Draw(FloodFillArea(grid, at.x(), at.y()), light, CCanvasHistory::Kind::Fill);
}

bool CDrawingSteps::ReplaceGrid(CCanvasHistory::Kind kind, CDotGrid& made)
{
    m_canvas.ChangeDots(kind, [&made](CDotGrid& dots) { dots = std::move(made); });
    m_canvas.SetGridSize(m_canvas.Grid().Width(), m_canvas.Grid().Height());
    return true;
}

bool CDrawingSteps::ResizeCanvas(QSize size, int anchor)
{
    CDotGrid made;
    return ResizedGrid(m_canvas.Grid(), size, anchor, made) && ReplaceGrid(CCanvasHistory::Kind::ResizeCanvas, made);
}

bool CDrawingSteps::Crop(const QRect& area)
{
    CDotGrid made;
    return CroppedGrid(m_canvas.Grid(), area, made) && ReplaceGrid(CCanvasHistory::Kind::Crop, made);
}
