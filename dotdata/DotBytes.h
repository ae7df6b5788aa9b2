#pragma once

#include <QByteArray>

class CByteLayout;
class CDotGrid;

// The dots of a canvas as the bytes of a controller export, and back, in
// the order a CByteLayout gives and with its bit order, planes and inversion.
class CDotBytes
{
public:
    // Every plane of the layout, one after another. The grid must have the
    // layout's size.
    static QByteArray Encode(const CDotGrid& grid, const CByteLayout& layout);
    // Redraws every dot of grid from bytes (the layout's TotalBytes() long):
    // a lit dot in its colour, mono dots in monoColorIndex, the others in the
    // background colour. Padding bits are not read. False, leaving the grid
    // unchanged, when the sizes do not match.
    static bool Decode(const QByteArray& bytes, const CByteLayout& layout, int monoColorIndex, CDotGrid& grid);
};
