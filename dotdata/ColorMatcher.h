#pragma once

#include "base/Color.h"

#include <array>
#include <cstddef>
#include <cstdint>

class CDotGrid;
class QImage;

// How Open turns a picture's pixels into dots: keep only pixels of exactly a
// dot colour, take the nearest dot colour (or unlit), or diffuse the error.
enum ColorMatching { ExactColors = 0, NearestColor = 1, DitheredColors = 2 };

// A stored or typed value outside the three ways means Exact.
constexpr int ValidColorMatching(int value)
{
    return value >= ExactColors && value <= DitheredColors ? value : ExactColors;
}

// Matches picture pixels to the eight looks a dot can have: the seven dot
// colours, and unlit, which looks like the background colour.
//
// Distance: luma and colour difference, Y = 0.299 R + 0.587 G + 0.114 B,
// Cb = B - Y, Cr = R - Y on the picture's own (gamma-coded) values, as
// dY^2 + w (dCb^2 + dCr^2). This weighted RGB was chosen over CIELAB because it
// needs no per-pixel powers or cube roots (dithering meets a new colour at
// nearly every pixel), works in exact integers, and with only eight widely
// spaced candidates the finer accuracy of CIELAB changes hardly any choice.
// Splitting luma from colour also suits JPEG files, which keep luma sharp and
// blur colour across edges.
// - Nearest judges each pixel alone; nothing pays back its error. Muted
//   colours lie nearest the least saturated dot colour, Pink, by that
//   distance, so a photo of a green board would come out pink. Nearest
//   therefore first sorts a pixel by its chroma C = max - min of R, G, B:
//   - a grey (C at most 24) is white or unlit, whichever is nearer (w = 1);
//   - a clear hue (C at least 32 and at least 30 % of the largest channel)
//     keeps its hue family: Red below 15 degrees and from 330, Orange to 45,
//     Yellow to 90, Green to 180, Blue to 270, Pink (the purples) to 330.
//     It is that colour or unlit, by a distance that weighs lightness eight
//     times as much as colour, since the dot colours are far more saturated
//     than any muted pixel;
//   - anything else takes the nearest of all eight looks (w = 1), Pink only
//     for the reds and purples it belongs to.
// - Dithering (w = 3): a dot too light or too dark is paid back by its
//   neighbours, since white and unlit span the whole range of lightness; a dot
//   of the wrong hue is not, and shows as coloured speckle. Without the weight
//   a mid grey dithers into Pink dots sprinkled with Green and Blue to pay
//   back the tint; with it, into white and unlit dots.
class CColorMatcher
{
public:
    explicit CColorMatcher(COLORREF background);

    // Palette index 0..6 of the dot colour nearest to the colour, or
    // kUnlitIndex when the background is strictly nearer than all of them.
    // Nearest sorts the pixel by hue first (see above).
    int NearestIndex(int red, int green, int blue) const;
    // The nearest of all eight with colour differences weighted for dithering.
    int DitherIndex(int red, int green, int blue) const { return ClosestIndex(red, green, blue, m_dither); }
    // The hue family of a clearly coloured pixel as a palette index, or -1
    // for greys and pale or dull colours.
    static int HueFamily(int red, int green, int blue);
    // The colour a dot of that index takes.
    COLORREF Look(int index) const { return m_acrLook[static_cast<std::size_t>(index)]; }

    // Both write the part of the top-down picture that the grid covers into
    // the dots, from the top-left corner; dots beyond the picture keep their
    // colour. Afterwards every written dot is a dot colour or the background.
    // Nearest: each pixel on its own.
    void MatchNearest(const QImage& picture, CDotGrid& grid) const;
    // Dithered: serpentine Floyd-Steinberg error diffusion, so areas keep their
    // tone on average. A pixel that already is a dot colour or the background
    // stays exactly that; the error owed to it is dropped and it passes none on.
    void MatchDithered(const QImage& picture, CDotGrid& grid) const;

private:
    static constexpr std::int64_t kNearestWeight = 1;
    static constexpr std::int64_t kDitherWeight = 3;
    static constexpr std::int64_t kFamilyLumaWeight = 8;

    // Each candidate's distance from a pixel (r, g, b), less a term that is
    // the same for every candidate: adConstant - (adRed r + adGreen g + adBlue b).
    // Every value is a whole number below 2^53, which a double holds exactly;
    // doubles let the compiler score several candidates at once.
    struct SScores
    {
        std::array<double, 8> adRed;
        std::array<double, 8> adGreen;
        std::array<double, 8> adBlue;
        std::array<double, 8> adConstant;
    };
    void SetScores(SScores& scores, std::int64_t weight, std::int64_t lumaWeight = 1) const;
    // The least score among the candidates whose bits are set in 'among'.
    static int ClosestIndex(int red, int green, int blue, const SScores& scores, unsigned among = 0xFFu);
    bool IsCandidate(COLORREF colour) const;

    std::array<COLORREF, 8> m_acrLook {}; // the seven dot colours, then the background
    SScores m_nearest {};
    SScores m_dither {};
    SScores m_family {};
};
