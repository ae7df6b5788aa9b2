#pragma once

#include <QImage>
#include <QPoint>
#include <QSize>

class CDotGrid;

// Copies the source rectangle (top-left srcOrigin, size srcSize) of a glyph
// image onto the grid at display position dst, keeping its width and giving
// it dstHeight rows. Stretching repeats source rows; squashing combines the
// source rows that land on one grid row by bitwise AND of their colours, so a
// dark row wins over a light one; a negative height draws the rows mirrored
// upwards from dst.y() - 1. Source pixels outside the image leave the grid
// unchanged; grid positions outside the grid are dropped.
void StretchRowsOnto(const QImage& source, QPoint srcOrigin, QSize srcSize, CDotGrid& grid, QPoint dst,
                     int dstHeight);
