#pragma once

#include "base/CanvasText.h"

#include <QImage>
#include <QRect>

// The image-mode text overlay: the canvas text drawn one pixel per dot into a
// black picture of the grid's size, then laid over the dots with black as the
// transparent colour.

// The text of 'text' in its font and colour, word-wrapped inside the
// rectangle from (m_nTextX, m_nTextY) to (width, height) of a black
// width x height picture. Text outside that rectangle is cut off.
QImage RenderTextOverlay(const CCanvasText& text, int width, int height);

// The last rendered overlay, kept until the text, its font, colour or
// position, or the grid size changes: paints then cost only the copy.
class COverlayCache
{
public:
    const QImage& Get(const CCanvasText& text, int width, int height);

private:
    QImage m_image;
    QString m_szText;
    LogFont m_lfText;
    COLORREF m_crText = 0;
    QPoint m_ptText;
    QSize m_size;
};

// Draws 'source' into 'dest' of a target of any format by pixel
// replication; pure black source pixels leave what is under them unchanged.
void CopyColourKeyed(QImage& target, const QRect& dest, const QImage& source);
