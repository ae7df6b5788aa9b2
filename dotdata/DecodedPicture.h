#pragma once

#include <QImage>
#include <QSize>

// What a decoder hands back: the picture's full size in pixels, and the part of
// its pixels that was actually decoded (its top-left corner, never more than
// the limit asked for), as 24-bit blue-green-red rows, top row first.
struct DecodedPicture
{
    QSize size;
    QImage pixels;

    bool IsValid() const { return size.isValid() && !size.isEmpty() && !pixels.isNull(); }
};
