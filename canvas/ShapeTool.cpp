#include "canvas/ShapeTool.h"

#include "canvas/CanvasDocument.h"
#include "canvas/ToolPreview.h"
#include "canvas/ZoomView.h"

CShapeTool::CShapeTool(CCanvasDocument& document, CZoomView& view, EShape shape)
    : m_document(document)
    , m_view(view)
    , m_nShape(shape)
{
}

void CShapeTool::Press(const SToolEvent& event)
{
    if (IsDrawing() || !event.IsPaintButton())
        return;
    // A gesture starts on the grid; it may then be dragged past its edges.
    if (!m_document.CanEditDots() || !event.bOnGrid)
        return;
    const CDotGrid& grid = m_document.Grid();
    m_nButton = event.nButton;
    m_crInk = event.Ink(grid);
    m_ptAnchor = event.ptDot;
    m_ptLast = event.ptDot;
    m_shape = CDotShape(QSize(grid.Width(), grid.Height()));
    Reshape(event.ptDot, event.nModifiers & Qt::ShiftModifier);
}

void CShapeTool::Move(const SToolEvent& event)
{
    if (IsDrawing())
        Reshape(event.ptDot, event.nModifiers & Qt::ShiftModifier);
}

void CShapeTool::Release(const SToolEvent& event)
{
    if (!IsDrawing() || event.nButton != m_nButton)
        return;
    Reshape(event.ptDot, event.nModifiers & Qt::ShiftModifier);
    m_nButton = Qt::NoButton;
    const CDotShape shape = std::move(m_shape);
    m_shape.Clear();
    RepaintPreview();
    m_document.DrawShape(shape, m_crInk);
}

void CShapeTool::Cancel()
{
    m_nButton = Qt::NoButton;
    m_shape.Clear();
    RepaintPreview();
}

void CShapeTool::Reshape(QPoint dot, bool constrain)
{
    switch (m_nShape) {
    case Pencil:
        // Every position joined to the one before: no gaps however fast the pointer moves.
        m_shape.AddLine(m_ptLast, dot);
        m_ptLast = dot;
        break;
    case Line:
        m_shape.Clear();
        m_shape.AddLine(m_ptAnchor, dot);
        break;
    case Rectangle:
    case FilledRectangle:
        m_shape.Clear();
        m_shape.AddRectangle(m_ptAnchor, constrain ? CDotShape::SquareCorner(m_ptAnchor, dot) : dot,
                             m_nShape == FilledRectangle);
        break;
    case Ellipse:
    case FilledEllipse:
        m_shape.Clear();
        m_shape.AddEllipse(m_ptAnchor, constrain ? CDotShape::SquareCorner(m_ptAnchor, dot) : dot,
                           m_nShape == FilledEllipse);
        break;
    }
    RepaintPreview();
}

void CShapeTool::RepaintPreview()
{
    // Only the dots the old and the new preview cover are painted again.
    const QRect covered = m_shape.Bounds();
    const QRect dirty = ClientAreaOf(m_view, m_rcShown) | ClientAreaOf(m_view, covered);
    m_rcShown = covered;
    if (!dirty.isEmpty())
        m_view.viewport()->update(dirty);
}

void CShapeTool::PaintPreview(QImage& surface, const CZoomView& view) const
{
    if (IsDrawing())
        PaintShapePreview(surface, view, m_shape, m_crInk);
}

Qt::CursorShape CShapeTool::Cursor() const
{
    return m_document.CanEditDots() ? Qt::CrossCursor : Qt::ForbiddenCursor;
}
