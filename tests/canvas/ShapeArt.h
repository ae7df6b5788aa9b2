#pragma once

#include "base/DotGrid.h"
#include "canvas/DotShape.h"

#include <string>

// Shapes and grids as text pictures, one line per display row from the top:
// '#' for a dot of the shape (or a lit dot), '.' for any other.
// A dot outside the canvas, or one visited twice, shows as '!'.
inline std::string Art(const CDotShape& shape)
{
    const int width = shape.Canvas().width();
    const int height = shape.Canvas().height();
    std::string art;
    for (int row = 0; row < height; ++row)
        art += std::string(static_cast<std::size_t>(width), '.') + '\n';
    bool stray = false;
    shape.ForEachDot([&](int column, int row) {
        if (column < 0 || row < 0 || column >= width || row >= height) {
            stray = true;
            return;
        }
        char& dot = art[static_cast<std::size_t>(row * (width + 1) + column)];
        dot = dot == '.' ? '#' : '!';
    });
    return stray ? art + "!\n" : art;
}

inline std::string Art(const CDotGrid& grid)
{
    std::string art;
    for (int row = 0; row < grid.Height(); ++row) {
        for (int column = 0; column < grid.Width(); ++column)
            art += grid.ColorIndexOf(column, grid.Height() - 1 - row) == kUnlitIndex ? '.' : '#';
        art += '\n';
    }
    return art;
}

// Lights the '#' dots of a picture on an image-mode grid of its size.
inline CDotGrid GridFromArt(const std::string& art, COLORREF colour)
{
    const int width = static_cast<int>(art.find('\n'));
    const int height = static_cast<int>(art.size()) / (width + 1);
    CDotGrid grid;
    grid.Create(width, height, ImageMode);
    for (int row = 0; row < height; ++row) {
        for (int column = 0; column < width; ++column) {
            if (art[static_cast<std::size_t>(row * (width + 1) + column)] == '#')
                grid.SetDot(column, height - 1 - row, colour);
        }
    }
    return grid;
}
