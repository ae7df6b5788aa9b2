#pragma once

#include "base/Color.h"

#include <QRect>

class CDotFragment;
class CDotShape;
class CZoomView;
class QImage;

// What tools draw over the dots while a gesture is in progress, straight
// into the view's composed picture: each dot as the square the view shows
// it as. Grid lines are drawn again over what was painted, so the preview
// looks like the dots it will become.

// The dots of the shape in one colour.
void PaintShapePreview(QImage& surface, const CZoomView& view, const CDotShape& shape, COLORREF colour);
// The fragment's dots with its top-left dot at 'at'; unlit ones in 'background'.
void PaintFragmentPreview(QImage& surface, const CZoomView& view, const CDotFragment& fragment, QPoint at,
                          COLORREF background);
// The dots of 'area' (display coordinates) in one colour.
void PaintAreaPreview(QImage& surface, const CZoomView& view, const QRect& area, COLORREF colour);
// A dashed frame around the dots of 'area', black and white so that it
// shows on every colour.
void PaintSelectionFrame(QImage& surface, const CZoomView& view, const QRect& area);
// The client rectangle covering the dots of 'area', for partial repaints.
QRect ClientAreaOf(const CZoomView& view, const QRect& area);
