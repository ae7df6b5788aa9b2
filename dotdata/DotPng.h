#pragma once

#include <QByteArray>

class CDotGrid;

// Writes the grid's dots as an 8-bit RGB PNG, display row 0 first, with one
// extra chunk right after the image header. Built for speed on the largest
// canvas: each row is stored as the difference to its left neighbour (so a
// run of equal dots becomes zeros) and compressed by zlib's run-length
// strategy. An empty grid becomes a 1 x 1 black picture.
class CDotPng
{
public:
    // Null when memory runs out.
    static QByteArray Encode(const CDotGrid& grid, const QByteArray& extraChunk);
    // The other way, for a PNG of exactly width x height pixels (any PNG
    // colour type): grid becomes a new grid of the mode holding its dots.
    // False, leaving grid alone, for any other picture or damaged data.
    static bool Decode(const QByteArray& png, int width, int height, int mode, CDotGrid& grid);
};
