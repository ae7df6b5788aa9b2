#include "dotdata/DotTextPrinter.h"

#include <QFontMetricsF>
#include <QGlyphRun>
#include <QHash>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPrinter>
#include <QTextDocument>

#include <algorithm>
#include <cmath>

namespace {

constexpr int kFallbackDpi = 96;

} // namespace

QRect CDotTextPrinter::TextRect(int paperWidth, int paperHeight, const QRect& printable, int dpiX, int dpiY)
{
    if (dpiX <= 0 || dpiY <= 0)
        return {};
    const int left = std::max(printable.left(), dpiX);
    const int top = std::max(printable.top(), dpiY);
    const int right = std::min(printable.left() + printable.width(), paperWidth - dpiX);
    const int bottom = std::min(printable.top() + printable.height(), paperHeight - dpiY);
    if (right <= left || bottom <= top)
        return {};
    return QRect(left - printable.left(), top - printable.top(), right - left, bottom - top);
}

QRect CDotTextPrinter::TextRect(const QPaintDevice& device)
{
    const int dpiX = device.logicalDpiX();
    const int dpiY = device.logicalDpiY();
    const QRect whole(0, 0, device.width(), device.height());
    const auto* paged = dynamic_cast<const QPagedPaintDevice*>(&device);
    if (!paged)
        return TextRect(whole.width(), whole.height(), whole, dpiX, dpiY);
    const QPageLayout layout = paged->pageLayout();
    const QRect paper = layout.fullRectPixels(dpiX);
    const QRect printable = layout.paintRectPixels(dpiX);
    return TextRect(paper.width(), paper.height(), QRect(printable.topLeft(), whole.size()), dpiX, dpiY);
}

CDotTextPrinter::CDotTextPrinter(const QString& text, const QFont& font, int sourceDpi)
    : m_szText(text)
    , m_font(font)
    , m_nSourceDpi(sourceDpi > 0 ? sourceDpi : kFallbackDpi)
{
    // Drawn widths are then the sums of the advances measured here.
    m_font.setKerning(false);
    const QFontMetricsF metrics(m_font);
    m_dAscent = metrics.ascent();
    m_dLineHeight = metrics.ascent() + metrics.descent();
    m_adAsciiAdvance.resize(128);
    for (int c = 0; c < 128; ++c)
        m_adAsciiAdvance[static_cast<std::size_t>(c)] = metrics.horizontalAdvance(QChar(c));
    m_rawFont = QRawFont::fromFont(m_font);
    if (!m_rawFont.isValid())
        return;
    QString ascii(128, QChar());
    for (int c = 0; c < 128; ++c)
        ascii[c] = QChar(c);
    const QList<quint32> glyphs = m_rawFont.glyphIndexesForString(ascii);
    // A font without some of these characters leaves every line to drawText.
    if (glyphs.size() == 128 && std::all_of(glyphs.begin() + 32, glyphs.end() - 1, [](quint32 g) { return g != 0; }))
        m_anAsciiGlyph.assign(glyphs.begin(), glyphs.end());
}

CDotTextPrinter::CDotTextPrinter(const QTextDocument& text, const QFont& font, int sourceDpi)
    : CDotTextPrinter(text.toPlainText(), font, sourceDpi)
{
}

qreal CDotTextPrinter::EmPixels() const
{
    return m_font.pixelSize() > 0 ? m_font.pixelSize() : m_font.pointSizeF() * m_nSourceDpi / 72.0;
}

void CDotTextPrinter::UseFixedPitch(qreal advanceEm)
{
    std::fill(m_adAsciiAdvance.begin() + 32, m_adAsciiAdvance.end(), advanceEm * EmPixels());
    m_anAsciiGlyph.clear();
}

int CDotTextPrinter::CountPages(const QPaintDevice& device)
{
    LayOut(device);
    return static_cast<int>(m_anPageStarts.size());
}

QStringList CDotTextPrinter::PageLines(int page) const
{
    QStringList lines;
    const auto count = static_cast<int>(m_anPageFirstLines.size());
    if (page < 0 || page >= count)
        return lines;
    const int first = m_anPageFirstLines[static_cast<std::size_t>(page)];
    const int last = page + 1 < count ? m_anPageFirstLines[static_cast<std::size_t>(page) + 1]
                                      : static_cast<int>(m_aLines.size());
    for (int i = first; i < last; ++i) {
        const SLine& line = m_aLines[static_cast<std::size_t>(i)];
        lines << m_szText.mid(line.nStart, line.nLength);
    }
    return lines;
}

QPointF CDotTextPrinter::FirstBaseline(const QPaintDevice& device) const
{
    const qreal scaleX = qreal(device.logicalDpiX()) / m_nSourceDpi;
    const qreal scaleY = qreal(device.logicalDpiY()) / m_nSourceDpi;
    return QPointF(m_rcText.left() * scaleX, (m_rcText.top() + m_dAscent) * scaleY);
}

qreal CDotTextPrinter::LineSpacing(const QPaintDevice& device) const
{
    return m_dLineHeight * device.logicalDpiY() / m_nSourceDpi;
}

int CDotTextPrinter::Print(QPrinter& printer)
{
    printer.setDocName(QStringLiteral("Untitled"));
    return Print(printer, [&printer] { printer.newPage(); });
}

int CDotTextPrinter::Print(QPaintDevice& device, const std::function<void()>& newPage)
{
    LayOut(device);
    QPainter painter;
    if (!painter.begin(&device)) {
        m_anPageStarts.clear();
        return 0;
    }
    // Drawn in the source's pixels, scaled to the device.
    painter.scale(qreal(device.logicalDpiX()) / m_nSourceDpi, qreal(device.logicalDpiY()) / m_nSourceDpi);
    painter.setFont(m_font);
    painter.setPen(Qt::black);
    const std::size_t pages = m_anPageFirstLines.size();
    for (std::size_t page = 0; page < pages; ++page) {
        if (page > 0)
            newPage();
        const int first = m_anPageFirstLines[page];
        const int last = page + 1 < pages ? m_anPageFirstLines[page + 1] : static_cast<int>(m_aLines.size());
        qreal baseline = m_rcText.top() + m_dAscent;
        for (int i = first; i < last; ++i, baseline += m_dLineHeight)
            DrawLine(painter, m_aLines[static_cast<std::size_t>(i)], QPointF(m_rcText.left(), baseline));
    }
    painter.end();
    return static_cast<int>(pages);
}

// A line of printable ASCII is one glyph run placed by the advances the
// line was broken with; anything else goes through the text shaper.
void CDotTextPrinter::DrawLine(QPainter& painter, const SLine& line, QPointF origin) const
{
    if (line.nLength <= 0)
        return;
    const QChar* text = m_szText.constData() + line.nStart;
    const bool ascii = !m_anAsciiGlyph.empty()
        && std::all_of(text, text + line.nLength, [](QChar c) { return c.unicode() >= 32 && c.unicode() < 127; });
    if (!ascii) {
        painter.drawText(origin, QString(text, line.nLength));
        return;
    }
    QList<quint32> glyphs;
    QList<QPointF> positions;
    glyphs.reserve(line.nLength);
    positions.reserve(line.nLength);
    qreal x = 0;
    for (int i = 0; i < line.nLength; ++i) {
        const std::size_t c = text[i].unicode();
        if (c != ' ') {
            glyphs << m_anAsciiGlyph[c];
            positions << QPointF(x, 0);
        }
        x += m_adAsciiAdvance[c];
    }
    QGlyphRun run;
    run.setRawFont(m_rawFont);
    run.setGlyphIndexes(glyphs);
    run.setPositions(positions);
    painter.drawGlyphRun(origin, run);
}

void CDotTextPrinter::LayOut(const QPaintDevice& device)
{
    const QRect deviceRect = TextRect(device);
    const qreal scaleX = qreal(device.logicalDpiX()) / m_nSourceDpi;
    const qreal scaleY = qreal(device.logicalDpiY()) / m_nSourceDpi;
    m_rcText = QRectF(deviceRect.left() / scaleX, deviceRect.top() / scaleY, deviceRect.width() / scaleX,
                      deviceRect.height() / scaleY);
    m_aLines.clear();
    const qreal width = std::max<qreal>(m_rcText.width(), 1);
    for (int start = 0;;) {
        const int end = m_szText.indexOf(QLatin1Char('\n'), start);
        BreakParagraph(start, end < 0 ? static_cast<int>(m_szText.size()) : end, width);
        if (end < 0)
            break;
        start = end + 1;
    }

    m_anPageStarts.clear();
    m_anPageFirstLines.clear();
    const int perPage = m_dLineHeight > 0 ? static_cast<int>(std::floor(m_rcText.height() / m_dLineHeight)) : 0;
    const int lines = static_cast<int>(m_aLines.size());
    // A page that takes no line ends the job after one empty page.
    if (perPage <= 0) {
        m_anPageStarts.push_back(0);
        m_anPageFirstLines.push_back(lines);
        return;
    }
    for (int first = 0;; first += perPage) {
        m_anPageStarts.push_back(m_aLines[static_cast<std::size_t>(first)].nStart);
        m_anPageFirstLines.push_back(first);
        // Blank lines left over at the end would only make an empty page.
        if (first + perPage >= lines || IsBlankFrom(first + perPage))
            break;
    }
}

// Greedy breaking of [start, end): as many whole entries as fit; an entry
// wider than the whole line is broken at the last character that fits. The
// blank after a line's last comma takes no room on it. An empty paragraph
// is one empty line.
void CDotTextPrinter::BreakParagraph(int start, int end, qreal width)
{
    if (start >= end) {
        m_aLines.push_back({start, 0});
        return;
    }
    int lineStart = start;
    int lastBreak = -1; // position after the last ", " on this line
    qreal used = 0;
    for (int i = start; i < end;) {
        int length = 1;
        const qreal advance = Advance(i, length);
        const bool blankAfterComma = m_szText.at(i) == QLatin1Char(' ') && i > lineStart
            && m_szText.at(i - 1) == QLatin1Char(',');
        if (used + advance > width && !blankAfterComma && i > lineStart) {
            const int breakAt = lastBreak > lineStart ? lastBreak : i;
            m_aLines.push_back({lineStart, breakAt - lineStart});
            lineStart = breakAt;
            lastBreak = -1;
            used = 0;
            i = breakAt;
            continue;
        }
        used += advance;
        i += length;
        if (blankAfterComma)
            lastBreak = i;
    }
    m_aLines.push_back({lineStart, end - lineStart});
}

qreal CDotTextPrinter::Advance(int position, int& length)
{
    const QChar c = m_szText.at(position);
    if (c.unicode() < 128)
        return m_adAsciiAdvance[c.unicode()];
    length = c.isHighSurrogate() && position + 1 < m_szText.size() ? 2 : 1;
    return QFontMetricsF(m_font).horizontalAdvance(m_szText.mid(position, length));
}

bool CDotTextPrinter::IsBlankFrom(int line) const
{
    const int from = m_aLines[static_cast<std::size_t>(line)].nStart;
    for (int i = from; i < m_szText.size(); ++i) {
        if (!m_szText.at(i).isSpace())
            return false;
    }
    return true;
}
