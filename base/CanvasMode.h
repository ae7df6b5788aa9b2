#pragma once

#include <algorithm>

// The two kinds of canvas and the limits every canvas keeps to, shared by the
// grid, the New dialog, text rendering, picture import and batch mode.
enum CanvasMode { TextMode = 0, ImageMode = 1 };

constexpr int kMaxCanvasWidth = 1024;
constexpr int kMaxCanvasHeight = 768;
constexpr int kBlockSize = 8; // dots on a side of one listing block

// Rounds v up to a whole number of blocks, then keeps it within one block
// and limit. Values at or past the limit never round, so nothing overflows.
constexpr int RoundToBlocks(int v, int limit)
{
    if (v >= limit)
        return limit;
    if (v % kBlockSize != 0)
        v = (v + kBlockSize - 1) / kBlockSize * kBlockSize;
    return std::clamp(v, kBlockSize, limit);
}

// The largest font height, in dots, at which one character of any script
// still renders: its square cell of 5792 x 5792 dots stays within the text
// renderer's cap of 2^25 dots. Larger sizes would draw nothing.
constexpr int kMaxFontHeight = 5792;
// How far text mode may shift the glyphs inside their cells: past a whole
// cell of the largest font nothing of a glyph is left to see.
constexpr int kMaxGlyphOffset = kMaxFontHeight;
// How far left of or above the canvas the image-mode overlay may start: past
// this even the longest text in the largest font lies wholly outside it.
constexpr int kMaxOverlayReach = 1 << 23;

// Text mode's vertical stretch, in rows added to (or taken from) each glyph.
constexpr int kStretchMin = -32;
constexpr int kStretchMax = 64;
