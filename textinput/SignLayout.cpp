#include "textinput/SignLayout.h"

#include "base/QtColor.h"
#include "base/TextCharacters.h"

#include <QFontMetricsF>
#include <QGlyphRun>
#include <QPainter>
#include <QTextLayout>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <memory>
#include <utility>

// The text with each line end as one line separator (CR LF is one line
// end), and the colour of each of its UTF-16 units: a character without a
// colour of its own takes the overlay colour.
struct SPreparedText
{
    QString text;
    std::vector<COLORREF> colours;
};

namespace {

constexpr int kPad = 2;              // the lit-dot decision looks two dots to each side
constexpr int kMaxSide = 32000;      // the painter's coordinates stay well inside 16 bits
constexpr qreal kUnbrokenWidth = 1e6; // a line width that never breaks a line
constexpr int kFitCorrections = 4;   // proportional steps of the fit before single ems
constexpr int kFitSteps = 64;        // single ems tried at most either way

SPreparedText Prepare(const CCanvasText& t)
{
    SPreparedText p;
    const QString& in = t.m_szText;
    p.text.reserve(in.size());
    p.colours.reserve(static_cast<std::size_t>(in.size()));
    std::size_t character = 0;
    for (qsizetype i = 0; i < in.size(); ++i, ++character) {
        const COLORREF colour = character < t.m_acrOverlay.size() ? t.m_acrOverlay[character] : t.m_crText;
        const QChar c = in[i];
        if (c == QLatin1Char('\r') && i + 1 < in.size() && in[i + 1] == QLatin1Char('\n'))
            ++i; // one line end, one character
        const bool lineEnd = c == QLatin1Char('\r') || c == QLatin1Char('\n') || c == QChar::ParagraphSeparator;
        p.text.append(lineEnd ? QChar(QChar::LineSeparator) : c);
        p.colours.push_back(colour);
        if (c.isHighSurrogate() && i + 1 < in.size() && in[i + 1].isLowSurrogate()) {
            p.text.append(in[++i]);
            p.colours.push_back(colour);
        }
    }
    return p;
}

// The font of the layout: the rasteriser's, with the extra spacing.
QFont LayoutFont(const CGlyphRaster& raster, int spacing)
{
    QFont font = raster.Font();
    font.setLetterSpacing(QFont::AbsoluteSpacing, spacing);
    return font;
}

// Lines as the platform's wrapped text drawing places them: each the height
// of the font's line below the last, plus its leading rounded up to a whole
// dot, plus the extra line spacing.
void LayOutLines(QTextLayout& layout, qreal lineWidth, bool wrap, int lineSpacing)
{
    QTextOption option(Qt::AlignLeft);
    option.setWrapMode(wrap ? QTextOption::WordWrap : QTextOption::NoWrap);
    layout.setTextOption(option);
    layout.setCacheEnabled(true);
    const qreal leading = QFontMetricsF(layout.font()).leading();
    qreal y = 0;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(lineWidth);
        if (line.lineNumber() > 0)
            y = std::ceil(y + leading) + lineSpacing;
        line.setPosition(QPointF(0, y));
        y += line.height();
    }
    layout.endLayout();
}

// Where a line's glyphs can leave ink, in layout coordinates, with room for
// the lit-dot decision around it.
QRect GlyphArea(const QTextLine& line)
{
    QRectF bounds;
    for (const QGlyphRun& run : line.glyphRuns())
        bounds |= run.boundingRect();
    if (bounds.isEmpty())
        return {};
    return bounds.toAlignedRect().adjusted(-kPad, -kPad, kPad, kPad);
}

// Coverage of the given character ranges of a line inside window.
QImage Coverage(const QTextLine& line, const QRect& window, const std::vector<std::pair<int, int>>& ranges)
{
    QImage map(window.size(), QImage::Format_Alpha8);
    map.fill(0);
    QPainter painter(&map);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.setPen(Qt::white);
    painter.translate(-window.topLeft());
    for (const auto& [from, length] : ranges) {
        for (const QGlyphRun& run : line.glyphRuns(from, length))
            painter.drawGlyphRun(QPointF(0, 0), run);
    }
    return map;
}

// The runs of equal colour in a line, gathered by colour.
std::vector<std::pair<COLORREF, std::vector<std::pair<int, int>>>> ColourRuns(const QTextLine& line,
                                                                             const std::vector<COLORREF>& colours)
{
    std::vector<std::pair<COLORREF, std::vector<std::pair<int, int>>>> groups;
    const int end = line.textStart() + line.textLength();
    for (int start = line.textStart(); start < end;) {
        const COLORREF colour = colours[static_cast<std::size_t>(start)];
        int stop = start + 1;
        while (stop < end && colours[static_cast<std::size_t>(stop)] == colour)
            ++stop;
        auto group = std::find_if(groups.begin(), groups.end(), [colour](const auto& g) { return g.first == colour; });
        if (group == groups.end())
            group = groups.insert(groups.end(), {colour, {}});
        group->second.emplace_back(start, stop - start);
        start = stop;
    }
    return groups;
}

// The line's dots inside window (RGB32, black where none is lit), each lit
// dot in the colour of the character that covers it most; ink receives the
// lit part in layout coordinates.
QImage DrawLine(const QTextLine& line, const QRect& window, const std::vector<COLORREF>& colours,
                const SGlyphRasterOptions& options, QRect& ink)
{
    const auto groups = ColourRuns(line, colours);
    std::vector<std::pair<int, int>> all;
    for (const auto& group : groups)
        all.insert(all.end(), group.second.begin(), group.second.end());
    const QImage lit = CGlyphRaster::LitDots(Coverage(line, window, all), options);
    std::vector<QImage> coverages;
    if (groups.size() > 1) {
        for (const auto& group : groups)
            coverages.push_back(Coverage(line, window, group.second));
    }

    QImage dots(window.size(), QImage::Format_RGB32);
    dots.fill(Qt::black);
    int left = window.width(), top = window.height(), right = -1, bottom = -1;
    for (int y = 0; y < window.height(); ++y) {
        const uchar* on = lit.constScanLine(y);
        auto* out = reinterpret_cast<QRgb*>(dots.scanLine(y));
        for (int x = 0; x < window.width(); ++x) {
            if (on[x] == 0)
                continue;
            std::size_t owner = 0;
            for (std::size_t g = 1; g < coverages.size(); ++g) {
                if (coverages[g].constScanLine(y)[x] >= coverages[owner].constScanLine(y)[x])
                    owner = g;
            }
            out[x] = ToQRgb(groups[owner].first);
            left = std::min(left, x);
            right = std::max(right, x);
            top = std::min(top, y);
            bottom = std::max(bottom, y);
        }
    }
    ink = right < 0 ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom)).translated(window.topLeft());
    return dots;
}

// The text laid out in a font: its lines and where their glyphs lie.
struct SBlock
{
    std::unique_ptr<QTextLayout> layout;
    std::vector<QRect> areas;
    long long nAreaDots = 0;
    bool bDrawable = true; // every line can be drawn whole
};

SBlock LayOutBlock(const SPreparedText& prepared, const CGlyphRaster& raster, int spacing, qreal lineWidth, bool wrap,
                   int lineSpacing)
{
    SBlock block;
    block.layout = std::make_unique<QTextLayout>(prepared.text, LayoutFont(raster, spacing));
    LayOutLines(*block.layout, lineWidth, wrap, lineSpacing);
    for (int i = 0; i < block.layout->lineCount(); ++i) {
        const QRect area = GlyphArea(block.layout->lineAt(i));
        block.areas.push_back(area);
        block.nAreaDots += static_cast<long long>(area.width()) * area.height();
        block.bDrawable = block.bDrawable && area.width() <= kMaxSide && area.height() <= kMaxSide;
    }
    block.bDrawable = block.bDrawable && block.nAreaDots <= CSignLayout::kMaxDrawnDots;
    return block;
}

// Where an aligned extent starts on a panel of the given size: the leftover
// (negative when it does not fit) split with the smaller half first.
int AlignedStart(int align, int extent, int size)
{
    const int leftover = size - extent;
    switch (align) {
    case SSignLayoutOptions::AlignCentre:
        return leftover >= 0 ? leftover / 2 : -((-leftover + 1) / 2);
    case SSignLayoutOptions::AlignEnd:
        return leftover;
    default:
        return 0;
    }
}

bool SingleColour(const std::vector<COLORREF>& colours)
{
    return std::all_of(colours.begin(), colours.end(), [&colours](COLORREF c) { return c == colours.front(); });
}

// Where the font's own glyphs lie: its line pitch from line to line when
// the font has its designer's dots (as its wrapped text drawing spaces
// them), else where the layout put them. The shift of each line's baseline.
std::vector<qreal> BaselineShifts(const QTextLayout& layout, const CGlyphRaster& raster, int lineSpacing)
{
    std::vector<qreal> shifts;
    for (int i = 0; i < layout.lineCount(); ++i) {
        const QTextLine line = layout.lineAt(i);
        const qreal baseline = raster.IsExact() ? i * (raster.ExactPitch() + lineSpacing) + raster.ExactAscent()
                                                : line.y() + line.ascent();
        shifts.push_back(baseline - (line.y() + line.ascent()));
    }
    return shifts;
}

// The glyphs of a line, each in the colour of its character, the font's own
// dots where it has them.
std::vector<SLaidGlyph> GlyphsOf(const QTextLine& line, qreal shift, const SPreparedText& prepared,
                                 const CGlyphRaster& raster, CSignLayoutCache& cache)
{
    std::vector<SLaidGlyph> glyphs;
    const QStringList characters = CharactersOf(prepared.text.mid(line.textStart(), line.textLength()));
    const int end = line.textStart() + line.textLength();
    for (int start = line.textStart(); start < end;) {
        const COLORREF colour = prepared.colours[static_cast<std::size_t>(start)];
        int stop = start + 1;
        while (stop < end && prepared.colours[static_cast<std::size_t>(stop)] == colour)
            ++stop;
        for (const QGlyphRun& run : line.glyphRuns(start, stop - start)) {
            const QRawFont raw = run.rawFont();
            const QHash<quint32, char32_t> exact = raster.ExactCharacters(raw, characters);
            const int font = cache.CoverageFont(raw);
            const QList<quint32> indexes = run.glyphIndexes();
            const QList<QPointF> positions = run.positions();
            for (qsizetype i = 0; i < indexes.size() && i < positions.size(); ++i) {
                const QPointF pen = positions[i] + QPointF(0, shift);
                SLaidGlyph g;
                g.raw = raw;
                g.nFont = font;
                g.nIndex = indexes[i];
                g.colour = colour;
                const auto code = exact.constFind(indexes[i]);
                if (code != exact.constEnd() && cache.ExactGlyph(raster, *code, g.dots)) {
                    g.bReady = true;
                    g.ptPen = QPoint(static_cast<int>(std::lround(pen.x())), static_cast<int>(std::lround(pen.y())));
                    g.outline = g.dots.At(g.ptPen);
                } else {
                    const QPointF steps = pen * CSignLayoutCache::kSubDots;
                    const QPoint whole(static_cast<int>(std::lround(steps.x())), static_cast<int>(std::lround(steps.y())));
                    const auto floorDiv = [](int v) { return v >= 0 ? v / CSignLayoutCache::kSubDots
                                                                    : -((-v + CSignLayoutCache::kSubDots - 1) / CSignLayoutCache::kSubDots); };
                    g.ptPen = QPoint(floorDiv(whole.x()), floorDiv(whole.y()));
                    g.ptFraction = whole - g.ptPen * CSignLayoutCache::kSubDots;
                    const QRectF box = raw.boundingRect(indexes[i]);
                    g.outline = box.isEmpty() ? QRect() : box.translated(pen).toAlignedRect().adjusted(-kPad, -kPad, kPad, kPad);
                }
                glyphs.push_back(std::move(g));
            }
        }
        start = stop;
    }
    return glyphs;
}

// The dots of a glyph; false when it is too large to draw whole.
bool DotsOf(SLaidGlyph& g, CSignLayoutCache& cache)
{
    if (g.bReady)
        return true;
    if (g.outline.isEmpty())
        return true; // nothing to draw: g.dots stays empty
    g.bReady = cache.CoverageGlyph(g.nFont, g.raw, g.nIndex, g.ptFraction, g.dots);
    return g.bReady;
}

bool Inside(const QRect& box, const QRect& ink, bool verticalOnly)
{
    if (ink.isEmpty())
        return false;
    const bool vertical = box.top() >= ink.top() && box.bottom() <= ink.bottom();
    return verticalOnly ? vertical : vertical && box.left() >= ink.left() && box.right() <= ink.right();
}

// The lit part of a line put together from glyphs (only its rows when
// verticalOnly). A glyph is drawn only when its box could still widen the
// ink, so the glyphs at the extremes are taken first; a glyph too large to
// draw counts by its outline.
QRect InkOf(std::vector<SLaidGlyph>& glyphs, CSignLayoutCache& cache, bool verticalOnly)
{
    std::vector<std::size_t> order;
    for (std::size_t i = 0; i < glyphs.size(); ++i) {
        if (!glyphs[i].outline.isEmpty())
            order.push_back(i);
    }
    const auto first = [&](std::size_t at, auto before) {
        if (at < order.size())
            std::iter_swap(order.begin() + static_cast<std::ptrdiff_t>(at),
                           std::min_element(order.begin() + static_cast<std::ptrdiff_t>(at), order.end(), before));
    };
    const auto box = [&glyphs](std::size_t i) { return glyphs[i].outline; };
    first(0, [&](std::size_t a, std::size_t b) { return box(a).top() < box(b).top(); });
    first(1, [&](std::size_t a, std::size_t b) { return box(a).bottom() > box(b).bottom(); });
    if (!verticalOnly) {
        first(2, [&](std::size_t a, std::size_t b) { return box(a).left() < box(b).left(); });
        first(3, [&](std::size_t a, std::size_t b) { return box(a).right() > box(b).right(); });
    }
    QRect ink;
    for (const std::size_t i : order) {
        SLaidGlyph& g = glyphs[i];
        if (Inside(g.outline, ink, verticalOnly))
            continue;
        ink |= DotsOf(g, cache) ? g.dots.At(g.ptPen) : g.outline.adjusted(kPad, kPad, -kPad, -kPad);
    }
    return ink;
}

// Lights a glyph's dots, its pen at pen, in its colour on an RGB32 target
// inside clip. Runs of unlit dots are skipped eight at a time: a large
// glyph's mask is mostly unlit.
void PaintGlyph(QImage& target, const QRect& clip, const SGlyphDots& glyph, QPoint pen, COLORREF colour)
{
    const QPoint at = pen + glyph.ptOffset;
    const QRect span = QRect(at, glyph.mask.size()) & clip;
    const QRgb ink = ToQRgb(colour);
    for (int y = span.top(); y <= span.bottom(); ++y) {
        const uchar* in = glyph.mask.constScanLine(y - at.y()) - at.x();
        auto* out = reinterpret_cast<QRgb*>(target.scanLine(y));
        int x = span.left();
        while (x <= span.right()) {
            std::uint64_t eight = 0;
            if (x + 8 <= span.right() + 1) {
                std::memcpy(&eight, in + x, sizeof eight);
                if (eight == 0) {
                    x += 8;
                    continue;
                }
            }
            const int stop = std::min(x + 8, span.right() + 1);
            for (; x < stop; ++x) {
                if (in[x] != 0)
                    out[x] = ink;
            }
        }
    }
}

// The part inside window of a glyph too large to draw whole.
void PaintLargeGlyph(QImage& dots, const QRect& window, const SLaidGlyph& g, const SGlyphRasterOptions& options)
{
    const QRect part = (g.outline & window).adjusted(-kPad, -kPad, kPad, kPad);
    if (part.isEmpty())
        return;
    const QPointF pen = QPointF(g.ptPen) + QPointF(g.ptFraction) / CSignLayoutCache::kSubDots;
    const QImage coverage = CSignLayoutCache::GlyphCoverage(g.raw, g.nIndex, pen, part);
    PaintGlyph(dots, dots.rect(), {CGlyphRaster::LitDots(coverage, options), QPoint()},
               part.topLeft() - window.topLeft(), g.colour);
}

} // namespace

void CSignLayout::LayOutExact(const CGlyphRaster& raster, const CCanvasText& text, const SPreparedText& prepared)
{
    // The font's designer drew these dots: the rasteriser's wrapped text
    // drawing keeps them whole, spaced by the font's own line.
    const QRect panel(0, 0, m_nWidth, m_nHeight);
    m_clip = panel & QRect(QPoint(text.m_nTextX, text.m_nTextY), panel.bottomRight());
    if (m_clip.isEmpty())
        return;
    QString lines = prepared.text;
    lines.replace(QChar(QChar::LineSeparator), QLatin1Char('\n'));
    const QImage lit = raster.LitText(panel.size(), m_clip, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, lines);
    SLine line;
    line.area = panel;
    line.dots = QImage(panel.size(), QImage::Format_RGB32);
    line.dots.fill(Qt::black);
    CGlyphRaster::Paint(line.dots, lit, prepared.colours.front());
    for (int y = 0; y < lit.height(); ++y)
        for (int x = 0; x < lit.width(); ++x)
            if (lit.constScanLine(y)[x] != 0)
                line.ink |= QRect(x, y, 1, 1);
    m_inkRect = line.ink;
    m_lines.push_back(std::move(line));
}

CSignLayout::CSignLayout(const CCanvasText& text, int width, int height, const SGlyphRasterOptions& options,
                         CSignLayoutCache* cache)
    : m_nWidth(std::max(width, 0))
    , m_nHeight(std::max(height, 0))
{
    const SSignLayoutOptions& o = text.m_layout;
    const SPreparedText prepared = Prepare(text);
    m_nEm = text.m_lfText.EmPixels();
    if (m_nWidth == 0 || m_nHeight == 0 || prepared.text.isEmpty())
        return;
    CSignLayoutCache ownCache;
    CSignLayoutCache& kept = cache ? *cache : ownCache;
    kept.UseOptions(options);
    LogFont font = text.m_lfText;
    if (o.bFitHeight) {
        m_nEm = FitEm(text, prepared, kept);
        font.lfHeight = -m_nEm;
    }
    const CGlyphRaster& raster = kept.Raster(font);
    const bool plain = o == SSignLayoutOptions();
    if (plain && raster.IsExact() && SingleColour(prepared.colours))
        LayOutExact(raster, text, prepared);
    else if (plain && !raster.IsExact())
        LayOutWholeLines(text, prepared, raster, kept);
    else
        LayOutGlyphs(text, prepared, raster, kept);
}

CSignLayout::~CSignLayout() = default;

void CSignLayout::LayOutWholeLines(const CCanvasText& text, const SPreparedText& prepared, const CGlyphRaster& raster,
                                   CSignLayoutCache& cache)
{
    const qreal lineWidth = std::max(m_nWidth - text.m_nTextX, 0);
    if (lineWidth <= 0)
        return; // no room right of X: nothing shows
    const SBlock block = LayOutBlock(prepared, raster, 0, lineWidth, true, 0);
    const SGlyphRasterOptions& options = cache.Options();

    // Whole lines, each as the last layout drew it where that line is the
    // same (typing redraws only the lines it changed).
    const QString font = raster.Font().key();
    std::vector<SDrawnLine> drawn;
    for (std::size_t i = 0; i < block.areas.size(); ++i) {
        SLine line;
        line.area = block.areas[i];
        line.ink = line.area.adjusted(kPad, kPad, -kPad, -kPad);
        if (block.bDrawable && !line.area.isEmpty()) {
            const QTextLine textLine = block.layout->lineAt(static_cast<int>(i));
            const QPoint at(0, static_cast<int>(std::lround(textLine.y())));
            const auto from = prepared.colours.begin() + textLine.textStart();
            SDrawnLine kept{font, prepared.text.mid(textLine.textStart(), textLine.textLength()),
                            std::vector<COLORREF>(from, from + textLine.textLength()), line.area.translated(-at),
                            QImage(), QRect()};
            if (const SDrawnLine* before = cache.Line(kept.szFont, kept.szText, kept.acrText, kept.area)) {
                line.dots = before->dots;
                line.ink = before->ink.translated(at);
            } else {
                line.dots = DrawLine(textLine, line.area, prepared.colours, options, line.ink);
            }
            kept.dots = line.dots;
            kept.ink = line.ink.translated(-at);
            drawn.push_back(std::move(kept));
        }
        m_lines.push_back(std::move(line));
    }
    cache.KeepLines(std::move(drawn));
    Place(text);

    // Text too large to draw whole: only what lands on the panel.
    if (block.bDrawable)
        return;
    for (std::size_t i = 0; i < m_lines.size(); ++i) {
        SLine& line = m_lines[i];
        const QRect window = line.area & m_clip.translated(-line.shift).adjusted(-kPad, -kPad, kPad, kPad);
        if (window.isEmpty())
            continue;
        QRect drawnInk;
        line.dots = DrawLine(block.layout->lineAt(static_cast<int>(i)), window, prepared.colours, options, drawnInk);
        line.area = window;
    }
}

void CSignLayout::LayOutGlyphs(const CCanvasText& text, const SPreparedText& prepared, const CGlyphRaster& raster,
                               CSignLayoutCache& cache)
{
    const SSignLayoutOptions& o = text.m_layout;
    const bool wrap = !o.BreaksOnlyAtLineBreaks();
    const qreal lineWidth = wrap ? std::max(m_nWidth - text.m_nTextX, 0) : kUnbrokenWidth;
    if (wrap && lineWidth <= 0)
        return; // no room right of X: nothing shows
    const SBlock block = LayOutBlock(prepared, raster, o.nSpacing, lineWidth, wrap, o.nLineSpacing);
    const std::vector<qreal> shifts = BaselineShifts(*block.layout, raster, o.nLineSpacing);

    // The ink of every line first, so that alignment is measured on the lit
    // dots, then only the glyphs that land on the panel are drawn.
    for (int i = 0; i < block.layout->lineCount(); ++i) {
        SLine line;
        line.glyphs = GlyphsOf(block.layout->lineAt(i), shifts[static_cast<std::size_t>(i)], prepared, raster, cache);
        line.ink = InkOf(line.glyphs, cache, false);
        m_lines.push_back(std::move(line));
    }
    Place(text);
    for (SLine& line : m_lines) {
        const QRect visible = m_clip.translated(-line.shift);
        std::vector<SLaidGlyph> shown;
        std::vector<SLaidGlyph> large; // too large to keep whole: the part on the panel, drawn now
        for (SLaidGlyph& g : line.glyphs) {
            if (!g.outline.intersects(visible))
                continue;
            if (!DotsOf(g, cache)) {
                line.area |= g.outline & visible;
                large.push_back(std::move(g));
            } else if (!g.dots.mask.isNull()) {
                shown.push_back(std::move(g));
            }
        }
        line.glyphs = std::move(shown);
        if (large.empty())
            continue;
        line.dots = QImage(line.area.size(), QImage::Format_RGB32);
        line.dots.fill(Qt::black);
        for (const SLaidGlyph& g : large)
            PaintLargeGlyph(line.dots, line.area, g, cache.Options());
    }
}

void CSignLayout::Place(const CCanvasText& text)
{
    const SSignLayoutOptions& o = text.m_layout;
    const bool alignH = o.nAlignH != SSignLayoutOptions::Unaligned;
    const int alignV = o.nAlignV != SSignLayoutOptions::Unaligned ? o.nAlignV
                     : o.bFitHeight                               ? int(SSignLayoutOptions::AlignStart)
                                                                  : int(SSignLayoutOptions::Unaligned);
    QRect blockInk;
    for (const SLine& line : m_lines)
        blockInk |= line.ink;
    const int dy = alignV == SSignLayoutOptions::Unaligned
        ? text.m_nTextY
        : AlignedStart(alignV, blockInk.height(), m_nHeight) - blockInk.top() + text.m_nTextY;

    const QRect panel(0, 0, m_nWidth, m_nHeight);
    // Text placed by its line box alone is cut at X/Y, as it always was.
    m_clip = !alignH && alignV == SSignLayoutOptions::Unaligned
        ? panel & QRect(QPoint(text.m_nTextX, text.m_nTextY), panel.bottomRight())
        : panel;
    m_inkRect = QRect();
    for (SLine& line : m_lines) {
        const int dx = alignH && !line.ink.isEmpty()
            ? AlignedStart(o.nAlignH, line.ink.width(), m_nWidth) - line.ink.left() + text.m_nTextX
            : text.m_nTextX;
        line.shift = QPoint(dx, dy);
        m_inkRect |= line.ink.translated(line.shift);
    }
}

int CSignLayout::FitEm(const CCanvasText& text, const SPreparedText& prepared, CSignLayoutCache& cache) const
{
    const int maxEm = 4 * m_nHeight + 64;
    const auto inkHeightAt = [&](int em) {
        LogFont font = text.m_lfText;
        font.lfHeight = -em;
        const CGlyphRaster& raster = cache.Raster(font);
        const SBlock block = LayOutBlock(prepared, raster, text.m_layout.nSpacing, kUnbrokenWidth, false,
                                         text.m_layout.nLineSpacing);
        const std::vector<qreal> shifts = BaselineShifts(*block.layout, raster, text.m_layout.nLineSpacing);
        QRect ink;
        for (int i = 0; i < block.layout->lineCount(); ++i) {
            std::vector<SLaidGlyph> glyphs =
                GlyphsOf(block.layout->lineAt(i), shifts[static_cast<std::size_t>(i)], prepared, raster, cache);
            ink |= InkOf(glyphs, cache, true);
        }
        return ink.height();
    };
    // The ink height grows nearly in step with the em: from the size asked
    // for, a few proportional steps, then single ems to the largest whose ink
    // fits the rows. The same text always takes the same steps, so the
    // overlay and its burn-in fit alike.
    int em = std::clamp(text.m_lfText.EmPixels(), 1, maxEm);
    int height = inkHeightAt(em);
    if (height <= 0 && em < m_nHeight) {
        // Too small to leave any ink: start again from the rows' height.
        em = std::clamp(m_nHeight, 1, maxEm);
        height = inkHeightAt(em);
    }
    if (height <= 0)
        return std::max(text.m_lfText.EmPixels(), 1);
    for (int i = 0; i < kFitCorrections && height != m_nHeight; ++i) {
        const int next = std::clamp(static_cast<int>(static_cast<long long>(em) * m_nHeight / height), 1, maxEm);
        if (next == em)
            break;
        em = next;
        height = std::max(inkHeightAt(em), 1);
    }
    for (int i = 0; i < kFitSteps && height > m_nHeight && em > 1; ++i)
        height = inkHeightAt(--em);
    for (int i = 0; i < kFitSteps && height <= m_nHeight && em < maxEm; ++i) {
        const int above = inkHeightAt(em + 1);
        if (above > m_nHeight)
            break;
        ++em;
        height = above;
    }
    return em;
}

int CSignLayout::OverflowWidth() const
{
    if (m_inkRect.isEmpty())
        return 0;
    return std::max(0, -m_inkRect.left()) + std::max(0, m_inkRect.right() + 1 - m_nWidth);
}

int CSignLayout::OverflowHeight() const
{
    if (m_inkRect.isEmpty())
        return 0;
    return std::max(0, -m_inkRect.top()) + std::max(0, m_inkRect.bottom() + 1 - m_nHeight);
}

QImage CSignLayout::Render() const
{
    if (m_nWidth == 0 || m_nHeight == 0)
        return {};
    QImage image(m_nWidth, m_nHeight, QImage::Format_RGB32);
    image.fill(Qt::black);
    Paint(image);
    return image;
}

void CSignLayout::Paint(QImage& target) const
{
    const QRect clip = m_clip & target.rect();
    for (const SLine& line : m_lines) {
        for (const SLaidGlyph& g : line.glyphs)
            PaintGlyph(target, clip, g.dots, g.ptPen + line.shift, g.colour);
        if (line.dots.isNull())
            continue;
        const QPoint at = line.area.topLeft() + line.shift;
        const QRect span = clip & QRect(at, line.dots.size());
        for (int y = span.top(); y <= span.bottom(); ++y) {
            const auto* in = reinterpret_cast<const QRgb*>(line.dots.constScanLine(y - at.y()));
            auto* out = reinterpret_cast<QRgb*>(target.scanLine(y));
            for (int x = span.left(); x <= span.right(); ++x) {
                const QRgb dot = in[x - at.x()];
                if ((dot & 0x00FFFFFFu) != 0)
                    out[x] = dot;
            }
        }
    }
}
