#pragma once

#include <QAbstractScrollArea>
#include <QFont>
#include <QString>
#include <QTimer>

#include <memory>
#include <vector>

class QMenu;

// The dot text pane: a read-only view of the dot-data listing.
//
// The listing of a full canvas is some 9.5 million characters. The view
// keeps the chunks it is given as they are, with the start of every line, so
// taking a chunk costs a scan for line breaks and no copy, and a paint draws
// only the lines and columns in view. Lines do not wrap: an entry such as "3-8-2-R"
// never breaks, and the horizontal scroll bar reaches the longest line.
//
// The user selects with the mouse or with Shift and the usual moving keys,
// copies with Ctrl+C or the context menu, and selects everything with
// Ctrl+A. Positions are offsets into the text; line breaks are '\n'.
class CListingView : public QAbstractScrollArea
{
    Q_OBJECT

public:
    explicit CListingView(QWidget* parent = nullptr);

    void Clear();
    // Empties the view like Clear and hands over the text, for a caller that
    // frees it off the interface thread.
    std::vector<QString> TakeText();
    void SetPlainText(const QString& text);
    // Adds text at the end without moving the caret, the selection or the view.
    void AppendText(const QString& text);
    // The whole text in one string.
    QString PlainText() const { return Text(0, m_nSize); }
    int Size() const { return m_nSize; }

    int LineCount() const { return static_cast<int>(m_anLineStart.size()); }
    QString LineText(int line) const;
    // Pixels from one line's top to the next.
    int LineHeight() const { return m_nLineHeight; }

    int CaretPosition() const { return m_nCaret; }
    int CaretLine() const { return LineOf(m_nCaret); }
    // Where the caret is drawn, in viewport coordinates.
    QRect CaretRect() const;
    QString SelectedText() const;
    // Moves the caret to position, keeping the anchor when extending.
    void SetCaret(int position, bool extend = false);

    // The context menu's texts follow the interface language.
    void SetLanguage(int language) { m_nLanguage = language; }
    // Copy and Select All, enabled as they apply now.
    std::unique_ptr<QMenu> MakeContextMenu();

public slots:
    void SelectAll();
    void Copy() const;

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void changeEvent(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    // length characters from position, across chunks.
    QString Text(int position, int length) const;
    // Hands visit the text of that range chunk by chunk while it returns true.
    template <typename Visit>
    bool VisitText(int position, int length, Visit&& visit) const;
    QChar CharAt(int position) const;
    std::size_t ChunkOf(int position) const;
    int LineOf(int position) const;
    int LineStart(int line) const { return m_anLineStart[static_cast<std::size_t>(line)]; }
    int LineEnd(int line) const;
    int LineLength(int line) const { return LineEnd(line) - LineStart(line); }
    bool SpacedEvenly(int line, int columns) const;
    double XOfColumn(int line, int column) const;
    // The same when whether the line is spaced evenly is known already.
    double XOfColumn(int line, int column, bool evenly) const;
    int ColumnAtX(int line, double x) const;
    int PositionAt(const QPoint& point) const;
    int VisibleLines() const;

    void NoteLineLengths(int fromLine);
    void MeasureFont();
    void UpdateScrollBars();
    void EnsureCaretVisible();
    bool MoveByKey(const QKeyEvent& event);
    int WordEdge(int position, int direction) const;
    void PaintLine(QPainter& painter, int line, int y, int selStart, int selEnd) const;

    std::vector<QString> m_aChunks;
    std::vector<int> m_anChunkStart; // position of each chunk's first character
    int m_nSize = 0;
    std::vector<int> m_anLineStart{0};
    int m_nLongestLine = 0; // characters
    int m_nCaret = 0;
    int m_nAnchor = 0;
    int m_nWantedColumn = -1; // kept while moving up and down
    int m_nLanguage = 0;
    // While text streams in, the scroll bars follow a few times a second:
    // redrawing them for every chunk would cost more than taking the chunk.
    QTimer m_barTimer;

    QFont m_paintFont; // the widget's font without kerning, so advances add up
    double m_dCharWidth = 1;
    bool m_bFixedPitch = true; // printable ASCII all advance m_dCharWidth
    int m_nLineHeight = 1;
    int m_nAscent = 0;
};
