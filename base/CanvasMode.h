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

// Text mode's vertical stretch, in rows added to (or taken from) each glyph.
constexpr int kStretchMin = -32;
constexpr int kStretchMax = 64;
