#pragma once

#include "SevenColours.h"
#include "base/DotGrid.h"

#include <cstddef>

// Dots addressed in display coordinates (row 0 at the top) for the tests.
inline void LightAt(CDotGrid& grid, int x, int y, COLORREF c)
{
    grid.SetDot(x, grid.Height() - 1 - y, c);
}
inline COLORREF ColorAt(const CDotGrid& grid, int x, int y)
{
    return grid.DotAt(x, grid.Height() - 1 - y);
}

constexpr COLORREF kTestBackground = MakeColor(0, 64, 0);

// A width x height message whose dots cycle through all seven colours with
// unlit dots between them, so any shift or swap of dots shows.
inline COLORREF PatternColor(int x, int y, int seed = 0)
{
    const int n = (x * 7 + y * 3 + seed * 5) % 9;
    return n < 7 ? kSevenColours[static_cast<std::size_t>(n)].Value() : kTestBackground;
}

inline CDotGrid PatternGrid(int width, int height, int seed = 0)
{
    CDotGrid grid;
    grid.SetBackgroundColor(kTestBackground, false);
    grid.Create(width, height, ImageMode);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            LightAt(grid, x, y, PatternColor(x, y, seed));
    return grid;
}

// Whether every dot of two grids is the same, and they have one size.
inline bool SameDots(const CDotGrid& a, const CDotGrid& b)
{
    if (a.Width() != b.Width() || a.Height() != b.Height())
        return false;
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x)
            if (ColorAt(a, x, y) != ColorAt(b, x, y))
                return false;
    return true;
}
