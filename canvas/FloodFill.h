#pragma once

#include "canvas/DotShape.h"

class CDotGrid;

// The area a fill starting at a dot covers: every dot reachable from it by
// steps left, right, up or down over dots of the same colour index (the
// seven dot colours, or unlit for any other colour). Columns and rows are
// display coordinates; a start outside the grid gives an empty area.
CDotShape FloodFillArea(const CDotGrid& grid, int column, int row);
