#pragma once

#include <QByteArray>
#include <QString>

class CDotGrid;

// Encodes the grid's dots as a JPEG at quality 100 with every colour
// component at full resolution (4:4:4): subsampled colour would smear the
// one-dot strokes of a sign into their neighbours.
class CJpegWriter
{
public:
    // The format stores each side in 16 bits; the encoder stops a little short.
    static constexpr int kMaxSide = 65500;

    // False with a readable reason when the grid is empty, has a side past
    // kMaxSide, or the encoder fails.
    static bool Encode(const CDotGrid& grid, QByteArray& jpeg, QString& error);
};
