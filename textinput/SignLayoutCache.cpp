#include "textinput/SignLayoutCache.h"

#include <QGlyphRun>
#include <QPainter>
#include <QRawFont>

#include <algorithm>

namespace {

constexpr int kPad = 3; // the lit-dot decision looks two dots to each side, smoothing one more
constexpr std::size_t kMaxRasters = 16;
constexpr std::size_t kMaxFonts = 1u << 20;

std::uint64_t GlyphKey(int font, bool exact, QPoint fraction, quint32 glyph)
{
    return (static_cast<std::uint64_t>(font) << 40) | (static_cast<std::uint64_t>(exact) << 39)
        | (static_cast<std::uint64_t>(fraction.x()) << 36) | (static_cast<std::uint64_t>(fraction.y()) << 33)
        | glyph;
}

// The lit part of a mask whose top-left is at topLeft.
SGlyphDots Trimmed(const QImage& lit, QPoint topLeft)
{
    int left = lit.width(), top = lit.height(), right = -1, bottom = -1;
    for (int y = 0; y < lit.height(); ++y) {
        const uchar* row = lit.constScanLine(y);
        for (int x = 0; x < lit.width(); ++x) {
            if (row[x] == 0)
                continue;
            left = std::min(left, x);
            right = std::max(right, x);
            top = std::min(top, y);
            bottom = y;
        }
    }
    if (right < 0)
        return {};
    const QRect box(QPoint(left, top), QPoint(right, bottom));
    return {lit.copy(box), topLeft + box.topLeft()};
}

} // namespace

void CSignLayoutCache::UseOptions(const SGlyphRasterOptions& options)
{
    if (options == m_options)
        return;
    *this = CSignLayoutCache();
    m_options = options;
}

const CGlyphRaster& CSignLayoutCache::Raster(const LogFont& font)
{
    const auto found = std::find_if(m_rasters.begin(), m_rasters.end(), [&font](const auto& r) { return r.first == font; });
    if (found != m_rasters.end())
        return *found->second;
    if (m_rasters.size() >= kMaxRasters)
        m_rasters.erase(m_rasters.begin());
    m_rasters.emplace_back(font, std::make_unique<CGlyphRaster>(font, m_options));
    return *m_rasters.back().second;
}

int CSignLayoutCache::FontId(const QString& key)
{
    const auto found = std::find(m_fontKeys.begin(), m_fontKeys.end(), key);
    if (found != m_fontKeys.end())
        return static_cast<int>(found - m_fontKeys.begin());
    if (m_fontKeys.size() >= kMaxFonts) {
        m_fontKeys.clear();
        m_glyphs.clear();
        m_nBytes = 0;
    }
    m_fontKeys.push_back(key);
    return static_cast<int>(m_fontKeys.size() - 1);
}

int CSignLayoutCache::CoverageFont(const QRawFont& raw)
{
    return FontId(QStringLiteral("%1|%2|%3|%4|%5|%6")
                      .arg(raw.familyName(), raw.styleName())
                      .arg(raw.pixelSize())
                      .arg(raw.weight())
                      .arg(static_cast<int>(raw.style()))
                      .arg(static_cast<int>(raw.hintingPreference())));
}

void CSignLayoutCache::Keep(std::uint64_t key, const SGlyphEntry& entry)
{
    const long long bytes = entry.dots.mask.sizeInBytes() + 64;
    if (m_nBytes + bytes > kMaxBytes) {
        m_glyphs.clear();
        m_nBytes = 0;
    }
    m_glyphs.emplace(key, entry);
    m_nBytes += bytes;
}

bool CSignLayoutCache::CoverageGlyph(int font, const QRawFont& raw, quint32 glyph, QPoint fraction, SGlyphDots& dots)
{
    const std::uint64_t key = GlyphKey(font, false, fraction, glyph);
    if (const auto found = m_glyphs.find(key); found != m_glyphs.end()) {
        dots = found->second.dots;
        return true;
    }
    // The glyph alone, drawn as a line draws it, with room for the
    // smoothing and the lit-dot decision round its outline.
    const QPointF pen(static_cast<qreal>(fraction.x()) / kSubDots, static_cast<qreal>(fraction.y()) / kSubDots);
    const QRect box = raw.boundingRect(glyph).translated(pen).toAlignedRect().adjusted(-kPad, -kPad, kPad, kPad);
    if (static_cast<long long>(box.width()) * box.height() > kMaxGlyphDots)
        return false;
    QImage coverage(box.size(), QImage::Format_Alpha8);
    coverage.fill(0);
    QPainter painter(&coverage);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.setPen(Qt::white);
    QGlyphRun run;
    run.setRawFont(raw);
    run.setGlyphIndexes({glyph});
    run.setPositions({pen - QPointF(box.topLeft())});
    painter.drawGlyphRun(QPointF(0, 0), run);
    painter.end();
    SGlyphEntry entry{Trimmed(CGlyphRaster::LitDots(coverage, m_options), box.topLeft()), true};
    dots = entry.dots;
    Keep(key, entry);
    return true;
}

bool CSignLayoutCache::ExactGlyph(const CGlyphRaster& raster, char32_t code, SGlyphDots& dots)
{
    const std::uint64_t key = GlyphKey(FontId(QStringLiteral("exact|") + raster.Font().key()), true, {}, code);
    if (const auto found = m_glyphs.find(key); found != m_glyphs.end()) {
        dots = found->second.dots;
        return found->second.bPresent;
    }
    SExactGlyph glyph;
    SGlyphEntry entry;
    entry.bPresent = raster.ExactGlyph(code, glyph);
    if (entry.bPresent)
        entry.dots = Trimmed(glyph.mask, glyph.ptOffset);
    dots = entry.dots;
    Keep(key, entry);
    return entry.bPresent;
}

const SDrawnLine* CSignLayoutCache::Line(const QString& font, const QString& text,
                                         const std::vector<COLORREF>& colours, const QRect& area) const
{
    const auto found = std::find_if(m_lines.begin(), m_lines.end(), [&](const SDrawnLine& l) {
        return l.area == area && l.szText == text && l.acrText == colours && l.szFont == font;
    });
    return found == m_lines.end() ? nullptr : &*found;
}
