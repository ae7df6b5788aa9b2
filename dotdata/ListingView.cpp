#include "dotdata/ListingView.h"

#include "base/TriText.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QScrollBar>
#include <QStringView>

#include <algorithm>
#include <cmath>

namespace {

constexpr int kMargin = 4; // pixels between the viewport's edge and the text
constexpr int kMeasureRun = 64;
constexpr int kBarIntervalMs = 40;

constexpr STriText kCopyText{"Cop&y", "复制(&Y)", "複製(&Y)"};
constexpr STriText kSelectAllText{"Select &All", "全选(&A)", "全選(&A)"};

// Entries are separated by ", " and lines; a double click selects one entry.
bool IsEntryChar(QChar c)
{
    return c != QLatin1Char(' ') && c != QLatin1Char(',') && c != QLatin1Char('\n') && c != QLatin1Char('\t');
}

bool IsMoveKey(int key)
{
    switch (key) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        return true;
    default:
        return false;
    }
}

} // namespace

CListingView::CListingView(QWidget* parent)
    : QAbstractScrollArea(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setBackgroundRole(QPalette::Base);
    viewport()->setAutoFillBackground(true);
    viewport()->setCursor(Qt::IBeamCursor);
    m_barTimer.setSingleShot(true);
    m_barTimer.setInterval(kBarIntervalMs);
    connect(&m_barTimer, &QTimer::timeout, this, &CListingView::UpdateScrollBars);
    MeasureFont();
    UpdateScrollBars();
}

void CListingView::Clear()
{
    TakeText();
}

std::vector<QString> CListingView::TakeText()
{
    std::vector<QString> chunks;
    chunks.swap(m_aChunks);
    m_anChunkStart.clear();
    m_nSize = 0;
    m_anLineStart.assign(1, 0);
    m_nLongestLine = 0;
    m_nCaret = 0;
    m_nAnchor = 0;
    m_nWantedColumn = -1;
    UpdateScrollBars();
    verticalScrollBar()->setValue(0);
    horizontalScrollBar()->setValue(0);
    viewport()->update();
    return chunks;
}

void CListingView::SetPlainText(const QString& text)
{
    Clear();
    AppendText(text);
    UpdateScrollBars();
}

void CListingView::AppendText(const QString& text)
{
    if (text.isEmpty())
        return;
    const int lastLine = LineCount() - 1;
    const int base = m_nSize;
    m_aChunks.push_back(text);
    m_anChunkStart.push_back(base);
    m_nSize += static_cast<int>(text.size());
    for (qsizetype at = text.indexOf(QLatin1Char('\n')); at >= 0; at = text.indexOf(QLatin1Char('\n'), at + 1))
        m_anLineStart.push_back(base + static_cast<int>(at) + 1);
    NoteLineLengths(lastLine);
    if (!m_barTimer.isActive())
        m_barTimer.start();
    // Text that lands below the view needs no paint, only the scroll bars.
    if (lastLine <= verticalScrollBar()->value() + VisibleLines())
        viewport()->update();
}

QString CListingView::LineText(int line) const
{
    if (line < 0 || line >= LineCount())
        return QString();
    return Text(LineStart(line), LineLength(line));
}

template <typename Visit>
bool CListingView::VisitText(int position, int length, Visit&& visit) const
{
    const int end = position + length;
    for (std::size_t chunk = ChunkOf(position); chunk < m_aChunks.size() && position < end; ++chunk) {
        const int offset = position - m_anChunkStart[chunk];
        const int take = std::min(end - position, static_cast<int>(m_aChunks[chunk].size()) - offset);
        if (!visit(QStringView(m_aChunks[chunk]).mid(offset, take)))
            return false;
        position += take;
    }
    return true;
}

QString CListingView::Text(int position, int length) const
{
    QString text;
    text.reserve(length);
    VisitText(position, length, [&text](QStringView piece) {
        text.append(piece);
        return true;
    });
    return text;
}

QChar CListingView::CharAt(int position) const
{
    const std::size_t chunk = ChunkOf(position);
    return m_aChunks[chunk][position - m_anChunkStart[chunk]];
}

std::size_t CListingView::ChunkOf(int position) const
{
    const auto after = std::upper_bound(m_anChunkStart.begin(), m_anChunkStart.end(), position);
    return after == m_anChunkStart.begin() ? 0 : static_cast<std::size_t>(after - m_anChunkStart.begin()) - 1;
}

QRect CListingView::CaretRect() const
{
    const int line = CaretLine();
    const double x = XOfColumn(line, m_nCaret - LineStart(line)) - horizontalScrollBar()->value();
    const int y = kMargin + (line - verticalScrollBar()->value()) * m_nLineHeight;
    return QRect(static_cast<int>(std::floor(x)), y, 1, m_nLineHeight);
}

QString CListingView::SelectedText() const
{
    const int from = std::min(m_nCaret, m_nAnchor);
    return Text(from, std::max(m_nCaret, m_nAnchor) - from);
}

void CListingView::SetCaret(int position, bool extend)
{
    m_nCaret = std::clamp(position, 0, m_nSize);
    if (!extend)
        m_nAnchor = m_nCaret;
    EnsureCaretVisible();
    viewport()->update();
}

void CListingView::SelectAll()
{
    m_nAnchor = 0;
    m_nCaret = m_nSize;
    viewport()->update();
}

void CListingView::Copy() const
{
    if (m_nCaret == m_nAnchor)
        return;
    if (QClipboard* clipboard = QGuiApplication::clipboard())
        clipboard->setText(SelectedText());
}

bool CListingView::event(QEvent* event)
{
    // The pane's own keys win over the window's shortcuts (Edit > Copy and
    // Select All act on the canvas) while the pane has the focus; moving keys
    // with Ctrl or Alt stay the window's (Ctrl+PgDown steps to the next frame).
    if (event->type() == QEvent::ShortcutOverride) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool plainMove = IsMoveKey(key->key()) &&
                               !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
        if (key->matches(QKeySequence::Copy) || key->matches(QKeySequence::SelectAll) || plainMove) {
            event->accept();
            return true;
        }
    }
    return QAbstractScrollArea::event(event);
}

void CListingView::paintEvent(QPaintEvent*)
{
    QPainter painter(viewport());
    painter.setFont(m_paintFont);
    const int first = verticalScrollBar()->value();
    // One line more than fits whole: the partly shown line at the bottom.
    const int last = std::min(LineCount() - 1, first + VisibleLines());
    const int selStart = std::min(m_nCaret, m_nAnchor);
    const int selEnd = std::max(m_nCaret, m_nAnchor);
    for (int line = first; line <= last; ++line)
        PaintLine(painter, line, kMargin + (line - first) * m_nLineHeight, selStart, selEnd);
    if (hasFocus())
        painter.fillRect(CaretRect(), palette().color(QPalette::Text));
}

void CListingView::PaintLine(QPainter& painter, int line, int y, int selStart, int selEnd) const
{
    const int start = LineStart(line);
    const int length = LineLength(line);
    const int offset = horizontalScrollBar()->value();
    const QPalette::ColorGroup group = isEnabled() ? QPalette::Active : QPalette::Disabled;

    // Only the columns in view are drawn: a line of a full canvas is some
    // 770 characters, of which a hundred show.
    const bool evenly = SpacedEvenly(line, length);
    int from = 0;
    int to = length;
    if (evenly) {
        from = std::clamp(static_cast<int>((offset - kMargin) / m_dCharWidth), 0, length);
        to = std::clamp(static_cast<int>((offset + viewport()->width() - kMargin) / m_dCharWidth) + 2, from, length);
    }
    const QPointF origin(XOfColumn(line, from, evenly) - offset, y + m_nAscent);
    const QString shown = Text(start + from, to - from);
    painter.setPen(palette().color(group, QPalette::Text));
    painter.drawText(origin, shown);

    if (selEnd <= start || selStart > start + length || selStart == selEnd)
        return;
    const int selFrom = std::max(selStart, start) - start;
    const int selTo = std::min(selEnd, start + length) - start;
    const double left = XOfColumn(line, selFrom, evenly) - offset;
    // A selected line break shows as a little room after the line's end.
    const double right = XOfColumn(line, selTo, evenly) - offset + (selEnd > start + length ? m_dCharWidth / 2 : 0);
    const QRectF band(left, y, right - left, m_nLineHeight);
    painter.fillRect(band, palette().color(group, QPalette::Highlight));
    painter.save();
    painter.setClipRect(band);
    painter.setPen(palette().color(group, QPalette::HighlightedText));
    painter.drawText(origin, shown);
    painter.restore();
}

void CListingView::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollBars();
}

void CListingView::scrollContentsBy(int, int)
{
    viewport()->update();
}

void CListingView::keyPressEvent(QKeyEvent* event)
{
    if (event->matches(QKeySequence::Copy)) {
        Copy();
        return;
    }
    if (event->matches(QKeySequence::SelectAll)) {
        SelectAll();
        return;
    }
    if (!MoveByKey(*event))
        QAbstractScrollArea::keyPressEvent(event);
}

bool CListingView::MoveByKey(const QKeyEvent& event)
{
    const int key = event.key();
    if (!IsMoveKey(key) || (event.modifiers() & Qt::AltModifier))
        return false;
    const bool extend = event.modifiers() & Qt::ShiftModifier;
    const bool control = event.modifiers() & Qt::ControlModifier;
    const int line = CaretLine();
    if (key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_PageUp || key == Qt::Key_PageDown) {
        const bool page = key == Qt::Key_PageUp || key == Qt::Key_PageDown;
        const int lines = (page ? VisibleLines() : 1) * (key == Qt::Key_Up || key == Qt::Key_PageUp ? -1 : 1);
        const int toLine = std::clamp(line + lines, 0, LineCount() - 1);
        if (m_nWantedColumn < 0)
            m_nWantedColumn = m_nCaret - LineStart(line);
        if (page)
            verticalScrollBar()->setValue(verticalScrollBar()->value() + lines);
        SetCaret(LineStart(toLine) + std::min(m_nWantedColumn, LineLength(toLine)), extend);
        return true;
    }
    m_nWantedColumn = -1;
    switch (key) {
    case Qt::Key_Left:
        SetCaret(control ? WordEdge(m_nCaret, -1) : m_nCaret - 1, extend);
        break;
    case Qt::Key_Right:
        SetCaret(control ? WordEdge(m_nCaret, 1) : m_nCaret + 1, extend);
        break;
    case Qt::Key_Home:
        SetCaret(control ? 0 : LineStart(line), extend);
        break;
    default: // Qt::Key_End
        SetCaret(control ? m_nSize : LineEnd(line), extend);
        break;
    }
    return true;
}

// The start of the next entry (direction 1) or of this or the previous one (-1).
int CListingView::WordEdge(int position, int direction) const
{
    if (direction > 0) {
        while (position < m_nSize && IsEntryChar(CharAt(position)))
            ++position;
        while (position < m_nSize && !IsEntryChar(CharAt(position)))
            ++position;
        return position;
    }
    while (position > 0 && !IsEntryChar(CharAt(position - 1)))
        --position;
    while (position > 0 && IsEntryChar(CharAt(position - 1)))
        --position;
    return position;
}

void CListingView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    m_nWantedColumn = -1;
    SetCaret(PositionAt(event->position().toPoint()), event->modifiers() & Qt::ShiftModifier);
}

void CListingView::mouseMoveEvent(QMouseEvent* event)
{
    if (event->buttons() & Qt::LeftButton)
        SetCaret(PositionAt(event->position().toPoint()), true);
}

// A selection made with the mouse is also the X11 primary selection, which
// a middle click pastes elsewhere.
void CListingView::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (clipboard && clipboard->supportsSelection() && m_nCaret != m_nAnchor)
        clipboard->setText(SelectedText(), QClipboard::Selection);
}

void CListingView::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const int position = PositionAt(event->position().toPoint());
    int start = position;
    while (start > 0 && IsEntryChar(CharAt(start - 1)))
        --start;
    int end = position;
    while (end < m_nSize && IsEntryChar(CharAt(end)))
        ++end;
    m_nAnchor = start;
    SetCaret(end, true);
}

std::unique_ptr<QMenu> CListingView::MakeContextMenu()
{
    auto menu = std::make_unique<QMenu>(this);
    QAction* copy = menu->addAction(kCopyText.Pick(m_nLanguage), this, &CListingView::Copy);
    copy->setShortcut(QKeySequence::Copy);
    copy->setEnabled(m_nCaret != m_nAnchor);
    QAction* all = menu->addAction(kSelectAllText.Pick(m_nLanguage), this, &CListingView::SelectAll);
    all->setShortcut(QKeySequence::SelectAll);
    all->setEnabled(m_nSize > 0);
    return menu;
}

void CListingView::contextMenuEvent(QContextMenuEvent* event)
{
    MakeContextMenu()->exec(event->globalPos());
}

void CListingView::changeEvent(QEvent* event)
{
    QAbstractScrollArea::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        MeasureFont();
    // The pane is enabled again when a listing is complete: its bars are then exact.
    if (event->type() == QEvent::FontChange || event->type() == QEvent::EnabledChange)
        UpdateScrollBars();
    if (event->type() == QEvent::FontChange || event->type() == QEvent::EnabledChange ||
        event->type() == QEvent::PaletteChange)
        viewport()->update();
}

void CListingView::focusInEvent(QFocusEvent* event)
{
    QAbstractScrollArea::focusInEvent(event);
    viewport()->update();
}

void CListingView::focusOutEvent(QFocusEvent* event)
{
    QAbstractScrollArea::focusOutEvent(event);
    viewport()->update();
}

int CListingView::LineOf(int position) const
{
    const auto after = std::upper_bound(m_anLineStart.begin(), m_anLineStart.end(), position);
    return static_cast<int>(after - m_anLineStart.begin()) - 1;
}

int CListingView::LineEnd(int line) const
{
    return line + 1 < LineCount() ? LineStart(line + 1) - 1 : m_nSize;
}

// Whether the first columns of line are printable ASCII in a font that
// gives them all one advance, so a column's place is a multiplication.
bool CListingView::SpacedEvenly(int line, int columns) const
{
    if (!m_bFixedPitch)
        return false;
    return VisitText(LineStart(line), columns, [](QStringView piece) {
        return std::all_of(piece.begin(), piece.end(), [](QChar c) { return c.unicode() >= 0x20 && c.unicode() <= 0x7E; });
    });
}

double CListingView::XOfColumn(int line, int column) const
{
    return XOfColumn(line, column, SpacedEvenly(line, column));
}

double CListingView::XOfColumn(int line, int column, bool evenly) const
{
    if (evenly)
        return kMargin + column * m_dCharWidth;
    return kMargin + QFontMetricsF(m_paintFont).horizontalAdvance(Text(LineStart(line), column));
}

int CListingView::ColumnAtX(int line, double x) const
{
    const int length = LineLength(line);
    if (SpacedEvenly(line, length))
        return std::clamp(static_cast<int>(std::lround((x - kMargin) / m_dCharWidth)), 0, length);
    // Lines with other characters are short headers: measure them.
    for (int column = 0; column < length; ++column) {
        if (x < (XOfColumn(line, column, false) + XOfColumn(line, column + 1, false)) / 2)
            return column;
    }
    return length;
}

int CListingView::PositionAt(const QPoint& point) const
{
    const int row = point.y() < kMargin ? -1 : (point.y() - kMargin) / m_nLineHeight;
    const int line = std::clamp(verticalScrollBar()->value() + row, 0, LineCount() - 1);
    return LineStart(line) + ColumnAtX(line, point.x() + horizontalScrollBar()->value());
}

int CListingView::VisibleLines() const
{
    return std::max(1, (viewport()->height() - kMargin) / m_nLineHeight);
}

void CListingView::NoteLineLengths(int fromLine)
{
    for (int line = fromLine; line < LineCount(); ++line)
        m_nLongestLine = std::max(m_nLongestLine, LineLength(line));
}

void CListingView::MeasureFont()
{
    m_paintFont = font();
    m_paintFont.setKerning(false);
    const QFontMetricsF metrics(m_paintFont);
    const QFontMetrics whole(m_paintFont);
    m_nLineHeight = std::max(1, whole.height());
    m_nAscent = whole.ascent();
    const auto advance = [&metrics](char c) {
        return metrics.horizontalAdvance(QString(kMeasureRun, QLatin1Char(c))) / kMeasureRun;
    };
    m_dCharWidth = std::max(1.0, advance('0'));
    m_bFixedPitch = true;
    for (char c = 0x20; c < 0x7F; ++c)
        m_bFixedPitch = m_bFixedPitch && std::abs(advance(c) - m_dCharWidth) < 1e-3;
}

void CListingView::UpdateScrollBars()
{
    m_barTimer.stop();
    const int visible = VisibleLines();
    verticalScrollBar()->setRange(0, std::max(0, LineCount() - visible));
    verticalScrollBar()->setPageStep(visible);
    verticalScrollBar()->setSingleStep(1);
    const int width = 2 * kMargin + static_cast<int>(std::ceil(m_nLongestLine * m_dCharWidth)) + 1;
    horizontalScrollBar()->setRange(0, std::max(0, width - viewport()->width()));
    horizontalScrollBar()->setPageStep(viewport()->width());
    horizontalScrollBar()->setSingleStep(std::max(1, static_cast<int>(2 * m_dCharWidth)));
}

void CListingView::EnsureCaretVisible()
{
    const int line = CaretLine();
    QScrollBar* vertical = verticalScrollBar();
    if (line < vertical->value())
        vertical->setValue(line);
    else if (line >= vertical->value() + VisibleLines())
        vertical->setValue(line - VisibleLines() + 1);

    QScrollBar* horizontal = horizontalScrollBar();
    const double x = XOfColumn(line, m_nCaret - LineStart(line));
    if (x < horizontal->value() + kMargin)
        horizontal->setValue(static_cast<int>(x) - kMargin);
    else if (x > horizontal->value() + viewport()->width() - kMargin)
        horizontal->setValue(static_cast<int>(std::ceil(x)) - viewport()->width() + kMargin);
}
