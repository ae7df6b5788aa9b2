#pragma once

#include "base/DotGrid.h"
#include "base/GridImage.h"

#include <QImage>
#include <QPoint>
#include <QRect>

// Drawing of the enlarged dot grid into a 32-bit picture (Format_RGB32 or
// Format_ARGB32), done by hand because it is the hot path of every paint:
// a transformed QPainter copy of the grid costs several times more.

// The colour of the grid lines between enlarged dots.
constexpr QRgb kGridLineColor = qRgb(212, 208, 200);

// Fills 'clip' of 'target' with one colour.
void FillArea(QImage& target, const QRect& clip, QRgb colour);

// Draws every dot of 'dots' (bottom-up rows, as WrapGridBits gives) as a
// size x size block whose grid corner is at 'origin' in target pixels, by
// pixel replication. Only target pixels inside 'clip' are written.
void StretchDots(QImage& target, const QImage& dots, QPoint origin, int size, const QRect& clip);

// Like StretchDots for a top-down 32-bit picture, except that pure black
// pixels are transparent: the target keeps what it had under them.
void StretchKeyed(QImage& target, const QImage& source, QPoint origin, int size, const QRect& clip);

// One-pixel lines inside 'clip' on every row and column whose coordinate
// plus 'offset' is a multiple of 'spacing'.
void DrawGridLines(QImage& target, const QRect& clip, int spacing, QPoint offset, QRgb colour);
