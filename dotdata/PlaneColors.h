#pragma once

#include "base/ExportOptions.h"

#include <QString>

// How the seven dot colours light the planes of a controller export, and
// back. Bit 0 is the first plane (red), bit 1 the second (green), bit 2 the
// third (blue).
//
// mono: every lit dot is 1, whatever its colour.
// red-green (bi-colour panels, one red and one green LED a dot; both lit
// show amber): Red and Pink light red; Green and Blue light green; Yellow,
// Orange and White light both. The warm and light colours take the panel's
// one mixed colour; Pink is a light red; Blue has no LED of its own and a lit
// dot must never go dark, so it takes green, the cooler of the two.
// rgb (one bit a channel): Red, Green and Blue light their own plane; Yellow
// and Orange light red and green (the nearest a one-bit panel has to both);
// Pink lights red and blue, which keeps it apart from Red and White; White
// lights all three.
//
// Reading back, each combination gives the colour that writes it, the mixed
// red and green giving Yellow; green and blue together, which no colour
// writes, gives White.
class CPlaneColors
{
public:
    // The plane bits of a palette index (kUnlitIndex: none).
    static int BitsOf(SExportOptions::Planes planes, int colorIndex);
    // The palette index for plane bits read back (0: kUnlitIndex); in mono a
    // lit dot takes monoColorIndex.
    static int ColorIndexOf(SExportOptions::Planes planes, int bits, int monoColorIndex);
    // The plane names in output order, for the header of an export.
    static QString PlaneName(SExportOptions::Planes planes, int plane);
    // Which colours light which plane, one English sentence.
    static QString Describe(SExportOptions::Planes planes);
};
