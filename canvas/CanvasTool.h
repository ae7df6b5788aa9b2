#pragma once

#include "base/DotGrid.h"

#include <QPoint>
#include <Qt>

class QImage;
class CZoomView;

// A mouse event as a tool sees it: where in the window, which dot is under
// the pointer (display coordinates), and the buttons.
struct SToolEvent
{
    QPoint ptClient;
    bool bOnGrid = false; // whether a dot is under the pointer
    int nColumn = 0;
    int nRow = 0;
    Qt::MouseButton nButton = Qt::NoButton; // the button pressed or released; none on a move
    Qt::MouseButtons nButtons;               // the buttons held
    QPoint ptDot;                            // the dot position, also off the grid
    Qt::KeyboardModifiers nModifiers;        // Shift constrains shapes

    // Painting tools paint with the left button and erase with the right.
    bool IsPaintButton() const { return nButton == Qt::LeftButton || nButton == Qt::RightButton; }
    // What such a press paints: the painting colour, or the background.
    COLORREF Ink(const CDotGrid& grid) const { return nButton == Qt::LeftButton ? grid.DotColor() : grid.BackColor(); }
};

// What the canvas does with the mouse. The canvas hands every press, move
// and release to its current tool, asks it for the pointer shape, and lets
// it draw a preview of a gesture in progress over the dots. A tool changes
// the dots only through the document, so every change is one undo step.
class CCanvasTool
{
public:
    virtual ~CCanvasTool() = default;

    virtual void Press(const SToolEvent& event) = 0;
    virtual void Move(const SToolEvent& event) { (void)event; }
    virtual void Release(const SToolEvent& event) { (void)event; }
    // Draws what the gesture would do onto the window's composed picture;
    // the view maps dots to pixels.
    virtual void PaintPreview(QImage& surface, const CZoomView& view) const
    {
        (void)surface;
        (void)view;
    }
    virtual Qt::CursorShape Cursor() const = 0;
    // Another tool is taken up: a gesture in progress ends without effect.
    virtual void Cancel() {}
    // An arrow key over the canvas: true when the tool used it (a selection
    // moves one dot); otherwise the view scrolls as usual.
    virtual bool Nudge(int dx, int dy)
    {
        (void)dx;
        (void)dy;
        return false;
    }
};
