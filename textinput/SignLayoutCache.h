#pragma once

#include "base/Color.h"
#include "textinput/GlyphRaster.h"

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QString>

#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>

class QRawFont;

// The lit dots of one glyph, trimmed to them: the mask (Alpha8, 255 lit)
// has its top-left at ptOffset from the whole dot the pen is in. A null
// mask lights nothing.
struct SGlyphDots
{
    QImage mask;
    QPoint ptOffset;

    QRect At(QPoint pen) const { return mask.isNull() ? QRect() : QRect(pen + ptOffset, mask.size()); }
};

// A line drawn whole, as the last layout drew it; area and ink are taken
// from the line's own position.
struct SDrawnLine
{
    QString szFont;
    QString szText;
    std::vector<COLORREF> acrText;
    QRect area;
    QImage dots;
    QRect ink;
};

// What the sign layout drew, kept from one layout to the next so that a
// keystroke redraws only what it changed: the lit dots of single glyphs (by
// font, glyph and where inside its dot the pen falls) and the lines of the
// last layout. A change of the lit-dot rules forgets everything; past
// kMaxBytes the glyphs are forgotten.
class CSignLayoutCache
{
public:
    static constexpr long long kMaxBytes = 64LL << 20;
    // A glyph whose box holds more dots than this is not drawn whole.
    static constexpr long long kMaxGlyphDots = 1LL << 22;
    // Pen positions are told apart in steps of 1/kSubDots of a dot.
    static constexpr int kSubDots = 8;

    // Forgets everything drawn under other rules.
    void UseOptions(const SGlyphRasterOptions& options);
    const SGlyphRasterOptions& Options() const { return m_options; }

    // A rasteriser of font under the current rules (opening a font's own
    // dots costs more than a keystroke's layout).
    const CGlyphRaster& Raster(const LogFont& font);

    // The number that stands for raw's font in CoverageGlyph.
    int CoverageFont(const QRawFont& raw);
    // The lit dots of a glyph of raw (numbered font) drawn from coverage with
    // its pen at fraction / kSubDots of a dot; false when the glyph is too
    // large to draw whole.
    bool CoverageGlyph(int font, const QRawFont& raw, quint32 glyph, QPoint fraction, SGlyphDots& dots);
    // The designer's dots of a character in raster's font; false when the
    // font has none for it.
    bool ExactGlyph(const CGlyphRaster& raster, char32_t code, SGlyphDots& dots);

    // The line of the last layout with this font, text, colours and area.
    const SDrawnLine* Line(const QString& font, const QString& text, const std::vector<COLORREF>& colours,
                           const QRect& area) const;
    void KeepLines(std::vector<SDrawnLine> lines) { m_lines = std::move(lines); }

private:
    struct SGlyphEntry
    {
        SGlyphDots dots;
        bool bPresent = true;
    };
    int FontId(const QString& key);
    void Keep(std::uint64_t key, const SGlyphEntry& entry);

    SGlyphRasterOptions m_options;
    std::vector<std::pair<LogFont, std::unique_ptr<CGlyphRaster>>> m_rasters;
    std::vector<QString> m_fontKeys;
    std::unordered_map<std::uint64_t, SGlyphEntry> m_glyphs;
    long long m_nBytes = 0;
    std::vector<SDrawnLine> m_lines;
};
