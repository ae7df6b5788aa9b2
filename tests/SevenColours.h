#pragma once

#include "base/Color.h"

#include <array>

// The seven dot colours written out by hand, so that tests never take a
// colour, its name or its letter from the tables they check.
struct SDotColour
{
    int index;
    const char* name;   // listing headers, prompts
    char letter;        // listing entries
    const char* option; // batch option value
    int red, green, blue;

    COLORREF Value() const { return MakeColor(red, green, blue); }
};

constexpr std::array<SDotColour, 7> kSevenColours = {{
    {0, "Red", 'R', "red", 255, 0, 0},
    {1, "Green", 'G', "green", 0, 255, 0},
    {2, "Blue", 'B', "blue", 0, 0, 255},
    {3, "Yellow", 'Y', "yellow", 255, 255, 0},
    {4, "Pink", 'P', "pink", 188, 143, 143},
    {5, "White", 'W', "white", 255, 255, 255},
    {6, "Orange", 'O', "orange", 255, 127, 0},
}};
