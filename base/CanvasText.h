#pragma once

#include "base/Color.h"
#include "base/LogFont.h"
#include "base/SignLayoutOptions.h"

#include <QString>

#include <array>
#include <cstdint>
#include <vector>

// The canvas's text: the image-mode overlay, or in text mode the merged text
// with everything that lays it out into character cells. Plain data, copied
// whole when the dot-data listing takes its snapshot.
struct CCanvasText
{
    static constexpr int kMaxChars = 1024;

    QString m_szText;                  // overlay text (image mode) or merged text (text mode)
    LogFont m_lfText;                  // font of the overlay and of the glyphs
    COLORREF m_crText = 0x00FFFFFF;    // overlay colour of characters without one of their own
    std::vector<COLORREF> m_acrOverlay; // overlay: colour of each character (code point) of m_szText
    SSignLayoutOptions m_layout;       // overlay: alignment, spacing, fit to height
    int m_nTextX = 0;                  // overlay position in dots from the top-left
    int m_nTextY = 0;
    int m_bVertical = 0;               // text mode: cells stacked top to bottom
    int m_nCellWidth = 0;              // text mode: character cell in dots, 0 = unset
    int m_nCellHeight = 0;
    int m_nGlyphOffsetX = 0;           // text mode: glyph shift inside its cell
    int m_nGlyphOffsetY = 0;
    int m_nStretch = 0;                // text mode: rows added to each glyph's height
    int m_bDotsFromText = 1;           // text mode: the dots are the rendering of m_szText; 0 once a
                                       // picture, a listing or a turn has replaced them
    std::array<std::uint8_t, kMaxChars> m_abCharColor{}; // palette index (7 = none) per character
};
