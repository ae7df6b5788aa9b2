#pragma once

#include "dotdata/ColorMatcher.h"

struct DecodedPicture;
class CDotGrid;
class QImage;
class QString;

// Open: turns a BMP, PNG or JPEG file into the grid's dots in one pass, file ->
// decoder -> grid. The picture's size is rounded up to whole blocks of 8 and
// clamped to the canvas limits, the picture hangs from the top-left corner
// unscaled, and its pixels become dots in one of the ColorMatching ways
// (Exact: only pixels of exactly a palette colour stay lit). Mode and colours
// of the grid are kept.
class CPictureImport
{
public:
    // False, with the grid untouched, when the file cannot be read or decoded
    // or the new dots cannot be allocated.
    // why, when given, receives a sentence saying what is wrong with the file.
    static bool Import(const QString& path, CDotGrid& grid, int matching = ExactColors, QString* why = nullptr);
    // The grid steps of Import for a picture already decoded.
    static bool Place(const DecodedPicture& picture, CDotGrid& grid, int matching = ExactColors);
    // The matching step alone: the top-down pixels become the dots they
    // cover from the grid's top-left corner, which keeps its size.
    static void MatchPixels(const QImage& pixels, CDotGrid& grid, int matching);
};
