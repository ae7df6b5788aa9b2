#pragma once

// How image-mode text is laid out on the panel, beyond its font and X/Y
// position. Plain values, so that a saved project or a batch line can carry
// them as they are. The default lays text out as it always was: top-left at
// X/Y, wrapped at the right edge.
struct SSignLayoutOptions
{
    // An axis without alignment places the text's line box at X (Y); an
    // aligned axis places the text's ink and X (Y) then shifts it.
    enum Align { Unaligned = 0, AlignStart = 1, AlignCentre = 2, AlignEnd = 3 };
    static constexpr int kSpacingMin = -32;
    static constexpr int kSpacingMax = 64;

    int nAlignH = Unaligned;  // left, centre, right
    int nAlignV = Unaligned;  // top, middle, bottom
    int nSpacing = 0;         // extra dots after each character (may be negative)
    int nLineSpacing = 0;     // extra dots between lines (may be negative)
    bool bFitHeight = false;  // the font is sized so the text's ink fills the rows

    // Lines break only where the text has a line break; otherwise the text
    // wraps between words at the right edge.
    bool BreaksOnlyAtLineBreaks() const { return nAlignH != Unaligned || nAlignV != Unaligned || bFitHeight; }

    static bool IsAlign(int value) { return value >= Unaligned && value <= AlignEnd; }
    static bool IsSpacing(int value) { return value >= kSpacingMin && value <= kSpacingMax; }

    bool operator==(const SSignLayoutOptions& o) const
    {
        return nAlignH == o.nAlignH && nAlignV == o.nAlignV && nSpacing == o.nSpacing
            && nLineSpacing == o.nLineSpacing && bFitHeight == o.bFitHeight;
    }
    bool operator!=(const SSignLayoutOptions& o) const { return !(*this == o); }
};
