#include "textinput/GlyphRaster.h"

#include "base/QtColor.h"
#include "base/TextCharacters.h"

#include <QFontMetricsF>
#include <QGlyphRun>
#include <QHash>
#include <QPainter>
#include <QRawFont>
#include <QTextLayout>

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

namespace {

constexpr uchar kLit = 255;
constexpr int kPad = 2; // the profiles look two dots to each side

// A map of bytes with a margin of zeros, so that neighbours are read without
// bounds checks.
class CPaddedMap
{
public:
    CPaddedMap(int width, int height)
        : m_nStride(width + 2 * kPad)
        , m_bytes(static_cast<std::size_t>(m_nStride) * (height + 2 * kPad), 0)
    {
    }
    uchar* Row(int y) { return m_bytes.data() + static_cast<std::size_t>(y + kPad) * m_nStride + kPad; }
    const uchar* Row(int y) const { return m_bytes.data() + static_cast<std::size_t>(y + kPad) * m_nStride + kPad; }
    int Stride() const { return m_nStride; }

private:
    int m_nStride;
    std::vector<uchar> m_bytes;
};

int Level(float coverage)
{
    return static_cast<int>(std::lround(std::clamp(coverage, 0.0f, 1.0f) * 255.0f));
}

// Whether c, between b (before) and a (after) on a line across a stroke, is
// the stroke's crest: not clearly below b, clearly above a, so of two nearly
// equal dots the later one wins. The last of a run of three or more equal
// values (b2, b, c) is not a crest: such a run goes along a stroke.
bool IsCrest(int b2, int b, int c, int a, int same)
{
    const bool run = b > c - same && b2 > c - same;
    return c >= b - same && c > a + same && !run;
}

// Ink that still has no lit dot at itself or beside it lies in a part too
// dense for its strokes to stay apart (a small box full of bars): it is lit
// whole rather than lost. Decided on the dots lit so far, so a dense patch
// fills evenly instead of in a chequer pattern.
void FillUnservedInk(const CPaddedMap& coverage, CPaddedMap& lit, int width, int height, int ink)
{
    const int stride = lit.Stride();
    std::vector<std::pair<int, int>> unserved;
    for (int y = 0; y < height; ++y) {
        const uchar* in = coverage.Row(y);
        const uchar* on = lit.Row(y);
        for (int x = 0; x < width; ++x) {
            if (in[x] < ink || on[x] || on[x - 1] || on[x + 1] || on[x - stride] || on[x + stride])
                continue;
            unserved.emplace_back(x, y);
        }
    }
    for (const auto& [x, y] : unserved)
        lit.Row(y)[x] = kLit;
}

// Lights the dots of mask with their top-left at 'at' in target, inside clip.
void LightMask(QImage& target, const QImage& mask, QPoint at, const QRect& clip)
{
    const QRect area = QRect(at, mask.size()).intersected(clip).intersected(target.rect());
    for (int y = area.top(); y <= area.bottom(); ++y) {
        const uchar* in = mask.constScanLine(y - at.y()) - at.x();
        uchar* out = target.scanLine(y);
        for (int x = area.left(); x <= area.right(); ++x) {
            if (in[x] != 0)
                out[x] = kLit;
        }
    }
}

// Where a glyph of 'length' dots starting 'start' dots into a box of 'box'
// dots goes: where the font puts it, moved just inside the box when it
// would be cut there but fits.
int KeptInside(int start, int length, int box)
{
    if (length > box)
        return start;
    return std::clamp(start, 0, box - length);
}

} // namespace

CGlyphRaster::CGlyphRaster(const LogFont& font, const SGlyphRasterOptions& options)
    : m_font(font.ToQFont())
    , m_options(options)
{
    auto exact = std::make_shared<CExactGlyphs>(font);
    if (exact->IsOpen() && (options.bExactGlyphs || exact->IsBitmapOnly())) {
        const int em = exact->EmFor(font.lfHeight);
        // A bitmap font is never scaled: its glyphs come at a strike's size,
        // and so does anything drawn for characters the strike lacks.
        if (exact->IsBitmapOnly())
            m_font.setPixelSize(em);
        if (exact->SetEm(em))
            m_pExact = std::move(exact);
    }
    m_font.setStyleStrategy(QFont::PreferAntialias);
    m_font.setHintingPreference(m_font.pixelSize() >= options.nUnhintedFromEm ? QFont::PreferNoHinting
                                                                              : options.hinting);
}

QImage CGlyphRaster::Coverage(QSize size, const QRect& box, int flags, const QString& text) const
{
    QImage map(size, QImage::Format_Alpha8);
    map.fill(0);
    if (size.isEmpty() || text.isEmpty())
        return map;
    QPainter painter(&map);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.setFont(m_font);
    painter.setPen(Qt::white);
    painter.setClipRect(box);
    painter.drawText(box, flags, text);
    return map;
}

QImage CGlyphRaster::LitDots(const QImage& coverage, const SGlyphRasterOptions& options)
{
    const int width = coverage.width();
    const int height = coverage.height();
    CPaddedMap in(width, height);
    for (int y = 0; y < height; ++y)
        std::copy_n(coverage.constScanLine(y), width, in.Row(y));

    const int litLevel = Level(options.fLitCoverage);
    const int ridgeLevel = Level(options.fRidgeCoverage);
    const int same = Level(options.fSameCoverage);
    const int stride = in.Stride();
    CPaddedMap lit(width, height);
    for (int y = 0; y < height; ++y) {
        const uchar* p = in.Row(y);
        uchar* out = lit.Row(y);
        for (int x = 0; x < width; ++x) {
            const int c = p[x];
            if (c >= litLevel) {
                out[x] = kLit;
                continue;
            }
            if (c < ridgeLevel)
                continue;
            const bool across = IsCrest(p[x - 2], p[x - 1], c, p[x + 1], same);
            const bool down = IsCrest(p[x - 2 * stride], p[x - stride], c, p[x + stride], same);
            if (across || down)
                out[x] = kLit;
        }
    }
    FillUnservedInk(in, lit, width, height, Level(options.fInkCoverage));

    QImage mask(width, height, QImage::Format_Alpha8);
    for (int y = 0; y < height; ++y)
        std::copy_n(lit.Row(y), width, mask.scanLine(y));
    return mask;
}

void CGlyphRaster::Paint(QImage& target, const QImage& mask, COLORREF colour)
{
    const QRgb ink = qRgb(RedOf(colour), GreenOf(colour), BlueOf(colour));
    const int width = std::min(target.width(), mask.width());
    const int height = std::min(target.height(), mask.height());
    for (int y = 0; y < height; ++y) {
        const uchar* in = mask.constScanLine(y);
        auto* out = reinterpret_cast<QRgb*>(target.scanLine(y));
        for (int x = 0; x < width; ++x) {
            if (in[x] != 0)
                out[x] = ink;
        }
    }
}

bool CGlyphRaster::ExactGlyph(const QString& character, SExactGlyph& glyph) const
{
    return m_pExact && !character.isEmpty() && m_pExact->Glyph(CodePointOf(character), glyph);
}

bool CGlyphRaster::ExactGlyph(char32_t code, SExactGlyph& glyph) const
{
    return m_pExact && m_pExact->Glyph(code, glyph);
}

int CGlyphRaster::ExactAscent() const
{
    return m_pExact ? m_pExact->Ascent() : 0;
}

int CGlyphRaster::ExactPitch() const
{
    return m_pExact ? std::max(1, m_pExact->Ascent() + m_pExact->Descent()) : 0;
}

QHash<quint32, char32_t> CGlyphRaster::ExactCharacters(const QRawFont& raw, const QStringList& characters) const
{
    // Glyphs of the chosen family are matched back to their characters;
    // those of fallback fonts and shaped forms are not.
    QHash<quint32, char32_t> characterOf;
    if (!m_pExact || raw.familyName().compare(m_font.family(), Qt::CaseInsensitive) != 0)
        return characterOf;
    for (const QString& c : characters) {
        const QList<quint32> indexes = raw.glyphIndexesForString(c);
        if (indexes.size() == 1 && !characterOf.contains(indexes.front()))
            characterOf.insert(indexes.front(), CodePointOf(c));
    }
    return characterOf;
}

QImage CGlyphRaster::LitText(QSize size, const QRect& box, int flags, const QString& text) const
{
    if (!m_pExact)
        return LitDots(Coverage(size, box, flags, text));
    return LitTextWithExactGlyphs(size, box, flags, text);
}

void CGlyphRaster::DrawRun(QGlyphRun run, const QStringList& characters, QPointF offset, const QRect& box,
                           QImage& exactDots, QPainter& painter) const
{
    const QHash<quint32, char32_t> characterOf = ExactCharacters(run.rawFont(), characters);
    const QList<quint32> glyphs = run.glyphIndexes();
    const QList<QPointF> positions = run.positions();
    QList<quint32> restGlyphs;
    QList<QPointF> restPositions;
    for (qsizetype i = 0; i < glyphs.size() && i < positions.size(); ++i) {
        const QPointF pen = positions[i] + offset;
        SExactGlyph glyph;
        const auto found = characterOf.constFind(glyphs[i]);
        if (found != characterOf.constEnd() && m_pExact->Glyph(*found, glyph)) {
            const QPoint at(static_cast<int>(std::lround(pen.x())) + glyph.ptOffset.x(),
                            static_cast<int>(std::lround(pen.y())) + glyph.ptOffset.y());
            LightMask(exactDots, glyph.mask, at, box);
            continue;
        }
        restGlyphs.append(glyphs[i]);
        restPositions.append(pen);
    }
    if (restGlyphs.isEmpty())
        return;
    run.setGlyphIndexes(restGlyphs);
    run.setPositions(restPositions);
    painter.drawGlyphRun(QPointF(0, 0), run);
}

QImage CGlyphRaster::LitTextWithExactGlyphs(QSize size, const QRect& box, int flags, const QString& text) const
{
    QImage coverage(size, QImage::Format_Alpha8);
    coverage.fill(0);
    QImage exactDots(size, QImage::Format_Alpha8);
    exactDots.fill(0);
    if (size.isEmpty() || text.isEmpty())
        return exactDots;

    // Lines are broken as drawText breaks them (at line ends, and at words
    // when wrapping) but spaced by the exact font's own line, so that its
    // glyphs are never cut at the top of the box.
    QString laidOut = text;
    laidOut.replace(QLatin1Char('\n'), QChar::LineSeparator);
    QTextLayout layout(laidOut, m_font);
    QTextOption option(Qt::Alignment(flags) & Qt::AlignHorizontal_Mask);
    option.setWrapMode(flags & Qt::TextWordWrap ? QTextOption::WordWrap : QTextOption::ManualWrap);
    layout.setTextOption(option);
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine())
        line.setLineWidth(box.width());
    layout.endLayout();
    const int pitch = ExactPitch();
    const int height = pitch * layout.lineCount();
    int top = box.top();
    if (flags & Qt::AlignBottom)
        top = box.bottom() + 1 - height;
    else if (flags & Qt::AlignVCenter)
        top = box.top() + (box.height() - height) / 2;

    QPainter painter(&coverage);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.setPen(Qt::white);
    painter.setClipRect(box);
    for (int l = 0; l < layout.lineCount(); ++l) {
        const QTextLine line = layout.lineAt(l);
        const qreal shift = top + l * pitch + m_pExact->Ascent() - (line.y() + line.ascent());
        const QStringList characters = CharactersOf(laidOut.mid(line.textStart(), line.textLength()));
        for (const QGlyphRun& run : line.glyphRuns())
            DrawRun(run, characters, QPointF(box.left(), shift), box, exactDots, painter);
    }
    painter.end();

    QImage lit = LitDots(coverage);
    LightMask(lit, exactDots, QPoint(0, 0), lit.rect());
    return lit;
}

void CGlyphRaster::DrawCentred(QImage& surface, const QString& character, COLORREF colour, COLORREF back) const
{
    surface.fill(ToQColor(back));
    SExactGlyph glyph;
    if (ExactGlyph(character, glyph)) {
        // The font's line (ascent + descent) is centred in the box, as for
        // any glyph; the designer's dots are kept whole where they fit.
        const int left = (surface.width() - glyph.nAdvance) / 2 + glyph.ptOffset.x();
        const int baseline = (surface.height() - (m_pExact->Ascent() + m_pExact->Descent())) / 2 + m_pExact->Ascent();
        const QPoint at(KeptInside(left, glyph.mask.width(), surface.width()),
                        KeptInside(baseline + glyph.ptOffset.y(), glyph.mask.height(), surface.height()));
        QImage lit(surface.size(), QImage::Format_Alpha8);
        lit.fill(0);
        LightMask(lit, glyph.mask, at, lit.rect());
        Paint(surface, lit, colour);
        return;
    }
    const QImage coverage = Coverage(surface.size(), surface.rect(), Qt::AlignCenter | Qt::TextSingleLine, character);
    Paint(surface, LitDots(coverage), colour);
}
