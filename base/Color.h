#pragma once

#include <cstdint>

// A colour is 0x00BBGGRR: red in the lowest byte, blue in the third. The same
// number is used in the grid, between panes and in the settings file.
using COLORREF = std::uint32_t;

constexpr COLORREF MakeColor(int r, int g, int b)
{
    return static_cast<COLORREF>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
constexpr int RedOf(COLORREF c) { return static_cast<int>(c & 0xFF); }
constexpr int GreenOf(COLORREF c) { return static_cast<int>((c >> 8) & 0xFF); }
constexpr int BlueOf(COLORREF c) { return static_cast<int>((c >> 16) & 0xFF); }
