#pragma once

#include "base/Color.h"

#include <array>

// The seven dot colours. A colour's index is its position here; any other
// colour has index kUnlitIndex and counts as an unlit dot.
constexpr std::array<COLORREF, 7> DotPalette = {
    MakeColor(255, 0, 0),     // Red
    MakeColor(0, 255, 0),     // Green
    MakeColor(0, 0, 255),     // Blue
    MakeColor(255, 255, 0),   // Yellow
    MakeColor(188, 143, 143), // Pink
    MakeColor(255, 255, 255), // White
    MakeColor(255, 127, 0),   // Orange
};

constexpr int kPaletteSize = static_cast<int>(DotPalette.size());

// The colours' names in palette order, plus "X" for an unlit dot. The listing
// writes the names and their first letters, the listing reader reads the
// letters back, and the command line takes the names in any case.
constexpr std::array<const char*, 8> kColorNames = {
    "Red", "Green", "Blue", "Yellow", "Pink", "White", "Orange", "X",
};
constexpr int kUnlitIndex = 7;
constexpr int kWhiteIndex = 5;

constexpr int PaletteIndexOf(COLORREF c)
{
    for (int i = 0; i < kPaletteSize; ++i) {
        if (DotPalette[static_cast<std::size_t>(i)] == c)
            return i;
    }
    return kUnlitIndex;
}
