#include "dotdata/DotTextPrinter.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QTextDocument>
#include <QTextOption>

#include <algorithm>

namespace {

// The characters from 'start' that fill a line of 'width' with whole
// entries: a listing line breaks only after the ", " between two entries,
// never inside "3-8-2-R". 0 when not even one entry fits.
int WholeEntriesThatFit(const QString& text, int start, const QFontMetricsF& metrics, qreal width)
{
    int fitting = 0;
    qreal used = 0;
    int from = start;
    while (from < text.size()) {
        const int comma = text.indexOf(QLatin1String(", "), from);
        const int end = comma < 0 ? static_cast<int>(text.size()) : comma + 2;
        // The blank that ends a line takes no room on it.
        const int inked = comma < 0 ? end : comma + 1;
        if (used + metrics.horizontalAdvance(text.mid(from, inked - from)) > width)
            break;
        used += metrics.horizontalAdvance(text.mid(from, end - from));
        fitting = end - start;
        from = end;
    }
    return fitting;
}

} // namespace

QRect CDotTextPrinter::RenderRect(int horzRes, int vertRes, int dpiX, int dpiY)
{
    if (dpiX <= 0 || dpiY <= 0)
        return {};
    const int pageWidth = horzRes / dpiX * dpiX;
    const int pageHeight = vertRes / dpiY * dpiY;
    return QRect(QPoint(dpiX, dpiY), QPoint(pageWidth - dpiX - 1, pageHeight - dpiY - 1));
}

int CDotTextPrinter::PrintPane(const QPlainTextEdit& pane, QPrinter& printer)
{
    return CDotTextPrinter(*pane.document(), pane.font(), pane.logicalDpiY()).Print(printer);
}

CDotTextPrinter::CDotTextPrinter(const QTextDocument& text, const QFont& font, int sourceDpi)
    : m_text(text)
    , m_font(font)
    , m_nSourceDpi(sourceDpi > 0 ? sourceDpi : 96)
{
}

int CDotTextPrinter::Print(QPrinter& printer)
{
    printer.setDocName(QStringLiteral("Untitled"));
    return Print(printer, [&printer] { printer.newPage(); });
}

int CDotTextPrinter::Print(QPaintDevice& device, const std::function<void()>& newPage)
{
    m_anPageStarts.clear();
    QPainter painter;
    if (!painter.begin(&device))
        return 0;
    const QRect deviceRect = RenderRect(device.width(), device.height(), device.logicalDpiX(), device.logicalDpiY());
    // Lay out and draw in the source's pixels, scaled to the device.
    const qreal scaleX = qreal(device.logicalDpiX()) / m_nSourceDpi;
    const qreal scaleY = qreal(device.logicalDpiY()) / m_nSourceDpi;
    painter.scale(scaleX, scaleY);
    const QRectF rect(deviceRect.left() / scaleX, deviceRect.top() / scaleY, deviceRect.width() / scaleX,
                      deviceRect.height() / scaleY);

    const int total = m_text.characterCount() - 1;
    m_block = m_text.begin();
    m_dLineWidth = std::max<qreal>(rect.width(), 1);
    LayOutBlock();
    int from = 0;
    for (;;) {
        m_anPageStarts.push_back(from);
        const int next = PrintPage(painter, rect);
        // Blank lines left over at the end would only make an empty page.
        if (next >= total || next <= from || IsBlankFrom(next))
            break;
        from = next;
        newPage();
    }
    painter.end();
    m_pLayout.reset();
    return static_cast<int>(m_anPageStarts.size());
}

bool CDotTextPrinter::IsBlankFrom(int position) const
{
    const int end = m_text.characterCount() - 1;
    for (int i = position; i < end; ++i) {
        if (!m_text.characterAt(i).isSpace())
            return false;
    }
    return true;
}

// Draws the lines that fit into rect from the current line on. Returns the
// position of the first character that did not fit, or the text's length.
int CDotTextPrinter::PrintPage(QPainter& painter, const QRectF& rect)
{
    qreal y = 0;
    while (m_pLayout) {
        const QTextLine line = m_pLayout->lineAt(m_nLine);
        if (rect.height() <= 0 || y + line.height() > rect.height())
            return m_block.position() + line.textStart();
        line.draw(&painter, QPointF(rect.left(), rect.top() + y - line.y()));
        y += line.height();
        if (!NextLine())
            break;
    }
    return m_text.characterCount() - 1;
}

bool CDotTextPrinter::NextLine()
{
    if (++m_nLine < m_pLayout->lineCount())
        return true;
    m_block = m_block.next();
    LayOutBlock();
    return m_pLayout != nullptr;
}

// Lays out the current paragraph into lines of the text width; an empty
// paragraph is one empty line.
void CDotTextPrinter::LayOutBlock()
{
    m_nLine = 0;
    if (!m_block.isValid()) {
        m_pLayout.reset();
        return;
    }
    m_pLayout = std::make_unique<QTextLayout>(m_block.text(), m_font);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    m_pLayout->setTextOption(option);
    m_pLayout->beginLayout();
    const QString text = m_block.text();
    const QFontMetricsF metrics(m_font);
    qreal y = 0;
    int start = 0;
    for (QTextLine line = m_pLayout->createLine(); line.isValid(); line = m_pLayout->createLine()) {
        const int whole = WholeEntriesThatFit(text, start, metrics, m_dLineWidth);
        // An entry wider than the whole line is wrapped as it comes.
        if (whole > 0)
            line.setNumColumns(whole, m_dLineWidth);
        else
            line.setLineWidth(m_dLineWidth);
        start += line.textLength();
        line.setPosition(QPointF(0, y));
        y += line.height();
    }
    m_pLayout->endLayout();
}
