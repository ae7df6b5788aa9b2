#pragma once

#include "canvas/DotShape.h"

#include <cstdint>
#include <vector>

class CDotGrid;

// The area a fill starting at a dot covers: every dot reachable from it by
// steps left, right, up or down over dots of the same colour index (the
// seven dot colours, or unlit for any other colour). Columns and rows are
// display coordinates; a start outside the grid gives an empty area.
CDotShape FloodFillArea(const CDotGrid& grid, int column, int row);

// The same, keeping its working memory (a byte per dot) from one fill to
// the next: a fill tool asks again and again on a canvas of the same size,
// and fresh memory of a large canvas costs more than the fill itself.
class CFloodFill
{
public:
    CDotShape Area(const CDotGrid& grid, int column, int row);

private:
    std::vector<std::uint8_t> m_abState;
};
