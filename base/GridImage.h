#pragma once

#include <QImage>

class CDotGrid;

// The grid's dots as Qt pictures and back.

// The grid's own bytes seen as a picture, without copying: three bytes per
// dot (blue, green, red), storage row 0 first, so scanLine(H-1-y) is display
// row y. Valid while the grid keeps its dots; null for an empty grid.
QImage WrapGridBits(const CDotGrid& grid);

// A top-down copy of the dots in Format_RGB32, display row 0 first.
QImage GridToImage(const CDotGrid& grid);

// Copies a top-down picture of the grid's size back into the dots; pixels
// outside the grid are ignored, dots outside the picture keep their colour.
void ImageToGrid(const QImage& image, CDotGrid& grid);
