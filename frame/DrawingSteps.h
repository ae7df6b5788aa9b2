#pragma once

#include "canvas/CanvasHistory.h"

#include <QPoint>
#include <QRect>
#include <QSize>

class CDotShape;
class CImageView;

// The steps of the drawing commands and of the canvas size, for batch mode
// (and the window's commands to come). Shapes are given by two opposite
// corners (or the ends of a line) in display coordinates; 'light' draws in
// the dot colour, otherwise the dots are cleared to the background. Each
// change is one undo step. The drawing steps return false only when edits
// are refused now (text not merged yet); drawing that changes no dot is not
// a failure but records nothing.
class CDrawingSteps
{
public:
    explicit CDrawingSteps(CImageView& canvas) : m_canvas(canvas) {}

    bool Line(QPoint from, QPoint to, bool light);
    bool Rectangle(QPoint corner, QPoint opposite, bool filled, bool light);
    bool Ellipse(QPoint corner, QPoint opposite, bool filled, bool light);
    // The 4-connected area of the dot's colour index; false also when the
    // dot is outside the canvas.
    bool Fill(QPoint at, bool light);

    // Resize Canvas (size corrected to whole blocks) and Crop; false when
    // refused (an anchor that is none of the nine, an area off the canvas,
    // no memory).
    bool ResizeCanvas(QSize size, int anchor);
    bool Crop(const QRect& area);

private:
    bool Draw(const CDotShape& shape, bool light, CCanvasHistory::Kind kind);
    bool ReplaceGrid(CCanvasHistory::Kind kind, CDotGrid& made);

    CImageView& m_canvas;
};
