#include "textinput/SignLayout.h"

#include "base/QtColor.h"

#include <QFontMetricsF>
#include <QGlyphRun>
#include <QPainter>
#include <QTextLayout>

#include <algorithm>
#include <cmath>
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
constexpr int kFitProbeEm = 200;     // large enough that hinting plays no part
constexpr int kFitTriesAbove = 2;    // ems tried around the outline estimate
constexpr int kFitTriesBelow = 8;

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

SBlock LayOutBlock(const SPreparedText& prepared, const QFont& font, qreal lineWidth, bool wrap, int lineSpacing)
{
    SBlock block;
    block.layout = std::make_unique<QTextLayout>(prepared.text, font);
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

// Rows from the topmost to the bottommost ink of the block, measured on its
// dots when they can be drawn, else on the glyph outlines.
int InkHeight(const SBlock& block, const SPreparedText& prepared, const SGlyphRasterOptions& options)
{
    QRect ink;
    for (std::size_t i = 0; i < block.areas.size(); ++i) {
        if (block.areas[i].isEmpty())
            continue;
        QRect lineInk = block.areas[i].adjusted(kPad, kPad, -kPad, -kPad);
        if (block.bDrawable)
            DrawLine(block.layout->lineAt(static_cast<int>(i)), block.areas[i], prepared.colours, options, lineInk);
        ink |= lineInk;
    }
    return ink.height();
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

CSignLayout::CSignLayout(const CCanvasText& text, int width, int height, const SGlyphRasterOptions& options)
    : m_nWidth(std::max(width, 0))
    , m_nHeight(std::max(height, 0))
{
    const SSignLayoutOptions& o = text.m_layout;
    const SPreparedText prepared = Prepare(text);
    m_nEm = text.m_lfText.EmPixels();
    if (m_nWidth == 0 || m_nHeight == 0 || prepared.text.isEmpty())
        return;
    LogFont font = text.m_lfText;
    if (o.bFitHeight) {
        m_nEm = FitEm(text, options);
        font.lfHeight = -m_nEm;
    }
    const CGlyphRaster raster(font, options);
    if (raster.IsExact() && o == SSignLayoutOptions() && SingleColour(prepared.colours)) {
        LayOutExact(raster, text, prepared);
        return;
    }

    const bool wrap = !o.BreaksOnlyAtLineBreaks();
    const qreal lineWidth = wrap ? std::max(m_nWidth - text.m_nTextX, 0) : kUnbrokenWidth;
    if (wrap && lineWidth <= 0)
        return; // no room right of X: nothing shows
    const SBlock block = LayOutBlock(prepared, LayoutFont(raster, o.nSpacing), lineWidth, wrap, o.nLineSpacing);

    // Whole lines first, so that alignment is measured on the lit dots.
    for (std::size_t i = 0; i < block.areas.size(); ++i) {
        SLine line;
        line.area = block.areas[i];
        line.ink = line.area.adjusted(kPad, kPad, -kPad, -kPad);
        if (block.bDrawable && !line.area.isEmpty())
            line.dots = DrawLine(block.layout->lineAt(static_cast<int>(i)), line.area, prepared.colours, options, line.ink);
        m_lines.push_back(std::move(line));
    }
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

int CSignLayout::FitEm(const CCanvasText& text, const SGlyphRasterOptions& options) const
{
    // The ink height grows in step with the em: an estimate from the
    // outlines at a large size, then the largest em near it whose dots fit.
    const SPreparedText prepared = Prepare(text);
    const int spacing = text.m_layout.nSpacing;
    const int lineSpacing = text.m_layout.nLineSpacing;
    const auto inkHeightAt = [&](int em) {
        LogFont font = text.m_lfText;
        font.lfHeight = -em;
        const CGlyphRaster raster(font, options);
        const SBlock block = LayOutBlock(prepared, LayoutFont(raster, spacing), kUnbrokenWidth, false, lineSpacing);
        return InkHeight(block, prepared, options);
    };
    const int probe = inkHeightAt(kFitProbeEm);
    if (probe <= 0)
        return std::max(text.m_lfText.EmPixels(), 1);
    const int estimate = std::max(1, static_cast<int>(static_cast<long long>(m_nHeight) * kFitProbeEm / probe));
    int em = estimate + kFitTriesAbove;
    for (; em > std::max(1, estimate - kFitTriesBelow); --em) {
        if (inkHeightAt(em) <= m_nHeight)
            break;
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
