#include "textinput/GlyphRaster.h"

#include "base/QtColor.h"

#include <QPainter>

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

} // namespace

CGlyphRaster::CGlyphRaster(const LogFont& font, const SGlyphRasterOptions& options)
    : m_font(font.ToQFont())
    , m_options(options)
{
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

void CGlyphRaster::DrawCentred(QImage& surface, const QString& character, COLORREF colour, COLORREF back) const
{
    surface.fill(ToQColor(back));
    const QImage coverage = Coverage(surface.size(), surface.rect(), Qt::AlignCenter | Qt::TextSingleLine, character);
    Paint(surface, LitDots(coverage), colour);
}
