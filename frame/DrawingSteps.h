#pragma once

#include "canvas/UndoStep.h"

#include <QPoint>
#include <QRect>
#include <QSize>

class CCanvasDocument;
class CDotShape;
class CImageView;

// The steps of the drawing commands, the selection with the clipboard, and
// the canvas size, called by the window's tools and commands and by batch
// mode alike. Shapes are given by two opposite corners (or the ends of a
// line) in display coordinates; 'light' draws in the dot colour, otherwise
// the dots are cleared to the background. The drawing steps return false
// only when edits are refused now (text not merged yet); drawing that
// changes no dot is not a failure but records nothing.
class CDrawingSteps
{
public:
    explicit CDrawingSteps(CImageView& canvas);
    // Without a canvas (batch mode): drawing and the canvas size only; the
    // selection and the clipboard steps do nothing.
    explicit CDrawingSteps(CCanvasDocument& document) : m_document(document) {}

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
    bool CropToSelection();

    // Edit menu: the selection and the system clipboard, which carries the
    // dots as a picture (PNG), one pixel per dot, unlit dots in the
    // background colour. Paste turns any picture into dots the Picture
    // Colors way and floats it at the selection's corner, or at the top
    // left of the window, until it is put down.
    void SelectAll();
    bool Copy();
    bool Cut();
    bool Paste();
    bool Delete();
    bool HasSelection() const;
    static bool ClipboardHasPicture();
    // Puts floating dots down, as every other command does first.
    void PlaceFloating();

private:
    bool Draw(const CDotShape& shape, bool light, EUndoKind kind);

    CCanvasDocument& m_document;
    CImageView* m_pCanvas = nullptr;
};
