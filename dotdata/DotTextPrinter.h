#pragma once

#include <QFont>
#include <QRawFont>
#include <QRect>
#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

class QPaintDevice;
class QPainter;
class QPrinter;
class QTextDocument;

// Prints the dot text pane's text. The text runs one inch from every edge of
// the paper, or at the printer's own margin where that is wider, and uses
// the whole width in between. A listing line breaks only between two entries
// (after ", "), never inside "3-8-2-R"; an entry wider than the whole line
// breaks where it must. Each page continues at the first line that did not
// fit on the page before; a page that takes no line at all ends the job, so
// a line that can never fit cannot make it print forever, and blank lines
// left at the end start no page of their own. At least one page is printed,
// also for an empty text.
//
// Lines are measured by the advances of their characters (kerning off), so
// the whole text is laid out in one quick pass and the pages can be counted
// before anything is printed.
class CDotTextPrinter
{
public:
    // The text rectangle in the printable area's pixels, for paper of
    // paperWidth x paperHeight pixels of which 'printable' can be printed on,
    // at dpiX x dpiY.
    static QRect TextRect(int paperWidth, int paperHeight, const QRect& printable, int dpiX, int dpiY);
    // The same for a device: a printer or PDF writer gives its paper and
    // printable area, any other device is printable to its edges.
    static QRect TextRect(const QPaintDevice& device);

    // text is laid out in font, whose sizes are meant for a screen of
    // sourceDpi dots per inch; on paper it keeps its size in inches.
    CDotTextPrinter(const QString& text, const QFont& font, int sourceDpi);
    CDotTextPrinter(const QTextDocument& text, const QFont& font, int sourceDpi);

    // Measures every printable ASCII character as advanceEm ems of the
    // font, as a fixed-pitch font that draws the lines elsewhere has them.
    void UseFixedPitch(qreal advanceEm);
    // The font's em in source pixels.
    qreal EmPixels() const;

    // The pages printing on device would take, without printing.
    int CountPages(const QPaintDevice& device);
    // After CountPages: the lines of a page, and where the text starts and
    // how far apart its lines are, in device pixels from the printable
    // area's top left (first baseline).
    QStringList PageLines(int page) const;
    QPointF FirstBaseline(const QPaintDevice& device) const;
    qreal LineSpacing(const QPaintDevice& device) const;

    // Prints as the document "Untitled". Returns the number of pages.
    int Print(QPrinter& printer);
    // Prints on any device; newPage is called between two pages.
    int Print(QPaintDevice& device, const std::function<void()>& newPage);

    // The character position each printed or counted page started at.
    const std::vector<int>& PageStarts() const { return m_anPageStarts; }

private:
    struct SLine
    {
        int nStart;
        int nLength;
    };

    // Breaks the text into lines and pages for device; false when the
    // device has no room for text.
    void LayOut(const QPaintDevice& device);
    void BreakParagraph(int start, int end, qreal width);
    qreal Advance(int position, int& length);
    bool IsBlankFrom(int line) const;
    void DrawLine(QPainter& painter, const SLine& line, QPointF origin) const;

    QString m_szText;
    QFont m_font;
    int m_nSourceDpi;
    std::vector<SLine> m_aLines;
    std::vector<int> m_anPageStarts;
    std::vector<int> m_anPageFirstLines; // index into m_aLines, one past the end for an empty page
    std::vector<qreal> m_adAsciiAdvance;
    // ASCII lines are drawn as glyph runs of this font, without shaping.
    QRawFont m_rawFont;
    std::vector<quint32> m_anAsciiGlyph;
    qreal m_dLineHeight = 0;
    qreal m_dAscent = 0;
    QRectF m_rcText; // in source pixels
};
