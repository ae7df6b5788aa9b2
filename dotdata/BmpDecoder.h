#pragma once

#include "dotdata/DecodedPicture.h"

class QIODevice;

// Reads BMP files row by row: only the rows and columns inside the limit are
// read from the file, so a huge declared size costs no memory. Handles 1, 4, 8,
// 16, 24 and 32 bits per pixel, palettes, bit fields, top-down rows and the old
// 12-byte header, and RLE8 and RLE4 data, decoded as it streams in. Every size
// and offset taken from the file is computed in checked 64-bit arithmetic.
class CBmpDecoder
{
public:
    static bool IsBmp(const QByteArray& head);
    // The device must be random access. False for truncated or malformed files.
    static bool Decode(QIODevice& device, QSize limit, DecodedPicture& out);
};
