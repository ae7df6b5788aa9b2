#pragma once

#include <QFont>
#include <QRect>
#include <QTextBlock>
#include <QTextLayout>

#include <functional>
#include <memory>
#include <vector>

class QPainter;
class QPaintDevice;
class QPlainTextEdit;
class QPrinter;
class QTextDocument;

// Prints the dot text pane's text. The page is counted in whole inches of
// the printable area (any fraction of an inch is dropped) and the text runs
// inside a one-inch margin on every side. Each page continues at the first
// character that did not fit on the page before; a page that takes no
// character at all ends the job, so a line that can never fit cannot make it
// print forever, and blank lines left at the end start no page of their own.
// At least one page is printed, also for an empty text.
class CDotTextPrinter
{
public:
    // The text rectangle in device pixels for a printable area of
    // horzRes x vertRes pixels at dpiX x dpiY.
    static QRect RenderRect(int horzRes, int vertRes, int dpiX, int dpiY);

    // Prints the pane's whole text in the pane's font.
    static int PrintPane(const QPlainTextEdit& pane, QPrinter& printer);

    // text is laid out in font, whose sizes are meant for a screen of
    // sourceDpi dots per inch; on paper it keeps its size in inches.
    CDotTextPrinter(const QTextDocument& text, const QFont& font, int sourceDpi);

    // Prints as the document "Untitled". Returns the number of pages.
    int Print(QPrinter& printer);
    // Prints on any device; newPage is called between two pages.
    int Print(QPaintDevice& device, const std::function<void()>& newPage);

    // The character position each printed page started at.
    const std::vector<int>& PageStarts() const { return m_anPageStarts; }

private:
    int PrintPage(QPainter& painter, const QRectF& rect);
    bool NextLine();
    bool IsBlankFrom(int position) const;
    void LayOutBlock();

    const QTextDocument& m_text;
    QFont m_font;
    int m_nSourceDpi;
    std::vector<int> m_anPageStarts;

    // Walk through the text, line by line.
    QTextBlock m_block;
    std::unique_ptr<QTextLayout> m_pLayout;
    int m_nLine = 0;
    qreal m_dLineWidth = 0;
};
