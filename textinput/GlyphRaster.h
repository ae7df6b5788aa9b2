#pragma once

#include "base/Color.h"
#include "base/LogFont.h"
#include "textinput/ExactGlyphs.h"

#include <QFont>
#include <QGlyphRun>
#include <QHash>
#include <QImage>
#include <QRect>
#include <QString>
#include <QStringList>

#include <memory>

class QPainter;
class QRawFont;

// How smooth coverage becomes lit dots. The defaults are the ones the glyph
// stroke benchmark finds to keep every stroke from 8 to 64 dots without
// growing blobs.
struct SGlyphRasterOptions
{
    // A dot whose ink coverage reaches this is lit.
    float fLitCoverage = 0.52f;
    // A thinner stroke still lights the dot where its coverage peaks across
    // the stroke, when the peak reaches this.
    float fRidgeCoverage = 0.25f;
    // Coverages closer than this count as equal: a stroke split almost evenly
    // over two dots must light the same one of them all along its length.
    float fSameCoverage = 0.10f;
    // Ink that is still more than a dot away from any lit dot fills in.
    float fInkCoverage = 0.30f;
    // Rows snapped to whole pixels keep horizontal bars one dot thick; full
    // hinting distorts small CJK glyphs.
    QFont::HintingPreference hinting = QFont::PreferVerticalHinting;
    // From this em size on a row is a small part of a stroke and snapping
    // only moves edges: no hinting.
    int nUnhintedFromEm = 24;
    // The font's own dots (bitmap strikes, pixel-grid outlines) where it has
    // them; off, every glyph goes through coverage (for comparisons).
    bool bExactGlyphs = true;

    bool operator==(const SGlyphRasterOptions& o) const
    {
        return fLitCoverage == o.fLitCoverage && fRidgeCoverage == o.fRidgeCoverage
            && fSameCoverage == o.fSameCoverage && fInkCoverage == o.fInkCoverage && hinting == o.hinting
            && nUnhintedFromEm == o.nUnhintedFromEm && bExactGlyphs == o.bExactGlyphs;
    }
    bool operator!=(const SGlyphRasterOptions& o) const { return !(*this == o); }
};

// Draws text as dots of one colour. Where the font's designer drew the
// glyphs for this size (a bitmap strike, or outlines on the pixel grid),
// those dots are used exactly. Otherwise the text is rasterised with smooth
// edges into a coverage map, which then decides each dot lit or not: a plain
// unsmoothed rasteriser drops thin strokes that fall between pixel centres,
// here a stroke always lights the dots along its middle.
class CGlyphRaster
{
public:
    explicit CGlyphRaster(const LogFont& font, const SGlyphRasterOptions& options = {});

    const QFont& Font() const { return m_font; }
    // Whether the font has its designer's dots at this size.
    bool IsExact() const { return m_pExact != nullptr; }
    // The designer's dots of one character (a code point); false when this
    // character is drawn from coverage.
    bool ExactGlyph(const QString& character, SExactGlyph& glyph) const;
    bool ExactGlyph(char32_t code, SExactGlyph& glyph) const;
    // The font's own line above the baseline and its line pitch (ascent +
    // descent), in dots; 0 when it has no exact dots here.
    int ExactAscent() const;
    int ExactPitch() const;
    // The characters, of those given, whose glyphs in a run of raw are this
    // font's own (glyph index to character); empty for a fallback font.
    // Shaped forms that stand for several characters are left out.
    QHash<quint32, char32_t> ExactCharacters(const QRawFont& raw, const QStringList& characters) const;

    // Coverage (0..255) of the text drawn into box of a width x height map,
    // with drawText's alignment flags.
    QImage Coverage(QSize size, const QRect& box, int flags, const QString& text) const;
    // The dots of a coverage map that are lit: 255 lit, 0 not.
    static QImage LitDots(const QImage& coverage, const SGlyphRasterOptions& options);
    QImage LitDots(const QImage& coverage) const { return LitDots(coverage, m_options); }
    // The lit dots (255) of text drawn into box of a width x height map, with
    // drawText's alignment and wrapping flags; the designer's dots where the
    // font has them.
    QImage LitText(QSize size, const QRect& box, int flags, const QString& text) const;

    // One character centred in a surface (RGB32) filled with back, its lit
    // dots in colour.
    void DrawCentred(QImage& surface, const QString& character, COLORREF colour, COLORREF back) const;
    // Lit dots of mask painted in colour onto the RGB32 target, others left.
    static void Paint(QImage& target, const QImage& mask, COLORREF colour);

private:
    QImage LitTextWithExactGlyphs(QSize size, const QRect& box, int flags, const QString& text) const;
    // Lights the glyphs of run that the font has exact dots for in
    // exactDots, and draws the others into the painter's coverage map;
    // characters are the text of the run's line, offset moves every glyph.
    void DrawRun(QGlyphRun run, const QStringList& characters, QPointF offset, const QRect& box, QImage& exactDots,
                 QPainter& painter) const;

    QFont m_font;
    SGlyphRasterOptions m_options;
    // The font's own dots at this size; null when it has none here.
    std::shared_ptr<const CExactGlyphs> m_pExact;
};
