#pragma once

#include <QImage>
#include <QPoint>
#include <QSize>

class CDotGrid;

// Copies the source rectangle (top-left srcOrigin, size srcSize) of a glyph
// image onto the grid at display position dst, keeping its width and giving
// it dstHeight rows. Stretching repeats source rows; squashing combines the
// source rows that land on one grid row so that ink wins: the dot takes the
// first colour among them that is not the grid's background, else the
// background. (Combining by AND would keep a dark ground and erase the
// strokes.) A negative height draws the rows mirrored
// upwards from dst.y() - 1. Source pixels outside the image leave the grid
// unchanged; grid positions outside the grid are dropped.
void StretchRowsOnto(const QImage& source, QPoint srcOrigin, QSize srcSize, CDotGrid& grid, QPoint dst,
                     int dstHeight);
