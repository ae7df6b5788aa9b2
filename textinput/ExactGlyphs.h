#pragma once

#include "base/LogFont.h"

#include <QImage>
#include <QPoint>
#include <QString>

#include <memory>
#include <vector>

// One bitmap strike of a font: hand-drawn glyphs for one em size.
struct SStrike
{
    int nEm = 0;         // pixels per em
    int nCellHeight = 0; // ascent + descent of the strike, in pixels

    bool operator==(const SStrike& o) const { return nEm == o.nEm && nCellHeight == o.nCellHeight; }
};

// A height (as a font height is given) at which a font draws exactly, and
// the em size in pixels it gives.
struct SExactHeight
{
    int nHeight = 0;
    int nEm = 0;
};

// A glyph exactly as its designer put it on the dot grid.
struct SExactGlyph
{
    QImage mask;      // Alpha8: 255 lit, 0 not
    QPoint ptOffset;  // top-left of the mask from the pen position on the baseline (y down)
    int nAdvance = 0; // pixels to the next pen position
};

// The dots a font's designer drew for it, read with FreeType: its embedded
// bitmap strikes (hand-tuned glyphs at a few sizes, or a bitmap-only font's
// only glyphs) and outlines drawn on a pixel grid (every point on a grid of
// units-per-em / size, every edge along it), which render without any
// rounding at that size. Smooth rendering never uses strikes, and the
// stroke-keeping rules move dots of a grid font, so both are read here.
class CExactGlyphs
{
public:
    // The faces of the described family, weight and slant as the font
    // configuration lists them. Empty (IsOpen() false) when the family is not
    // installed under that name, or only through a synthetic bold or slant.
    explicit CExactGlyphs(const LogFont& font);
    ~CExactGlyphs();
    CExactGlyphs(const CExactGlyphs&) = delete;
    CExactGlyphs& operator=(const CExactGlyphs&) = delete;

    bool IsOpen() const;
    // True when the family has no outlines, only strikes.
    bool IsBitmapOnly() const;
    // The strikes of every face of the family, by em size.
    std::vector<SStrike> Strikes() const;

    // The em size in pixels that a font height gives: for an outline font
    // the height rule of LogFont (negative the em, positive the cell
    // height); a bitmap-only font has its strikes' sizes only, and a height
    // of either sign picks the strike of the nearest em.
    int EmFor(int lfHeight) const;
    // The heights from 1 to maxHeight at which the font draws exactly; for
    // a bitmap-only font, its strikes' sizes.
    std::vector<SExactHeight> ExactHeights(int maxHeight) const;
    // Whether the font draws exactly at em: it has a strike there, or its
    // outlines lie on the pixel grid of that size.
    bool IsExactAt(int em) const;

    // Selects the em size for Glyph and Ascent/Descent; true when the font
    // draws exactly there.
    bool SetEm(int em);
    int Em() const { return m_nEm; }
    // The line above and below the baseline at the selected size, in pixels:
    // the strike's own, or the outline's scaled.
    int Ascent() const { return m_nAscent; }
    int Descent() const { return m_nDescent; }
    // The exact glyph of a character at the selected size: from a strike of
    // that size, or a grid outline. False when the font has neither for it
    // (the caller then draws it some other way).
    bool Glyph(char32_t code, SExactGlyph& glyph) const;

private:
    struct SFace;
    struct SLibrary;

    void OpenFaces(const LogFont& font);
    const SFace* StrikeFaceFor(int em, int* strikeIndex) const;
    const SFace* OutlineFace() const;
    bool IsOnGridAt(int em) const;

    LogFont m_lfFont;
    std::unique_ptr<SLibrary> m_pLibrary;
    std::vector<std::unique_ptr<SFace>> m_faces;
    int m_nEm = 0;
    int m_nAscent = 0;
    int m_nDescent = 0;
    bool m_bGridAtEm = false;
};
