#pragma once

#include "dotdata/DecodedPicture.h"

class QIODevice;

// Reads BMP files row by row: only the rows and columns inside the limit are
// read from the file, so a huge declared size costs no memory. Handles 1, 4, 8,
// 16, 24 and 32 bits per pixel, palettes, bit fields, top-down rows and the old
// 12-byte header; run-length compressed files go through Qt's reader with an
// allocation cap.
class CBmpDecoder
{
public:
    static bool IsBmp(const QByteArray& head);
    // The device must be random access. False for truncated or malformed files.
    static bool Decode(QIODevice& device, QSize limit, DecodedPicture& out);
};
