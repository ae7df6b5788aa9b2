#pragma once

#include "canvas/CanvasTool.h"
#include "canvas/DotShape.h"

class CCanvasDocument;
class CZoomView;

// The drawing tools that drag out a shape: pencil, line, rectangle and
// ellipse (outline or filled). The left button draws in the dot colour, the
// right one clears to the background. While the button is held the shape
// is previewed over the dots; releasing it paints the shape as one undo
// step. Shift makes rectangles squares and ellipses circles.
class CShapeTool : public CCanvasTool
{
public:
    enum EShape { Pencil, Line, Rectangle, FilledRectangle, Ellipse, FilledEllipse };

    CShapeTool(CCanvasDocument& document, CZoomView& view, EShape shape);

    EShape Shape() const { return m_nShape; }
    bool IsDrawing() const { return m_nButton != Qt::NoButton; }
    // The dots the gesture in progress would paint.
    const CDotShape& Preview() const { return m_shape; }

    void Press(const SToolEvent& event) override;
    void Move(const SToolEvent& event) override;
    void Release(const SToolEvent& event) override;
    void PaintPreview(QImage& surface, const CZoomView& view) const override;
    Qt::CursorShape Cursor() const override;
    void Cancel() override;

private:
    void Reshape(QPoint dot, bool constrain);
    void RepaintPreview();

    CCanvasDocument& m_document;
    CZoomView& m_view;
    EShape m_nShape;
    Qt::MouseButton m_nButton = Qt::NoButton; // the button of the gesture in progress
    COLORREF m_crInk = 0;
    QPoint m_ptAnchor; // where the gesture started
    QPoint m_ptLast;   // the pencil's previous position
    CDotShape m_shape;
    QRect m_rcShown;   // the dots the preview last covered
};
