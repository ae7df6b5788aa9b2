#include "TestSupport.h"

#include "dotdata/DotTextPrinter.h"

#include <QImage>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QPrinter>
#include <QRegularExpression>
#include <QTextBlock>
#include <QTextDocument>

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

namespace {

constexpr int kDpi = 100;

QFont PaneFont(int pixels = 18)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(pixels);
    return font;
}

QString LongListing(int lines)
{
    QString text;
    for (int i = 1; i <= lines; ++i)
        text += QStringLiteral("%1-1-1-R, %1-1-2-G, %1-8-8-B\n\n").arg(i);
    return text;
}

// A page of widthIn x heightIn inches at kDpi.
QImage Paper(double widthIn, double heightIn)
{
    QImage image(int(widthIn * kDpi), int(heightIn * kDpi), QImage::Format_RGB32);
    image.setDotsPerMeterX(qRound(kDpi / 0.0254));
    image.setDotsPerMeterY(qRound(kDpi / 0.0254));
    return image;
}

// Prints onto images of widthIn x heightIn inches at kDpi, one per page.
std::vector<QImage> PrintOnImages(CDotTextPrinter& printer, double widthIn, double heightIn)
{
    QImage image = Paper(widthIn, heightIn);
    const auto clear = [&image] { std::memset(image.bits(), 0xFF, static_cast<std::size_t>(image.sizeInBytes())); };
    clear();
    std::vector<QImage> pages;
    const int count = printer.Print(image, [&] { pages.push_back(image.copy()), clear(); });
    pages.push_back(image.copy());
    EXPECT_EQ(pages.size(), static_cast<std::size_t>(count));
    return pages;
}

QRect InkOf(const QImage& page)
{
    QRect ink;
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x)
            if (page.pixel(x, y) != qRgb(255, 255, 255))
                ink |= QRect(x, y, 1, 1);
    return ink;
}

// Prints text to a PDF file; returns the number of pages in the file.
int PdfPagesOf(const QString& text)
{
    CScratchDir dir;
    QTextDocument document(text);
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.FilePath(QStringLiteral("dots.pdf")));
    const int count = CDotTextPrinter(document, PaneFont(), 96).Print(printer);
    EXPECT_EQ(printer.docName(), QStringLiteral("Untitled"));
    const QString pdf = QString::fromLatin1(ReadAll(printer.outputFileName()));
    EXPECT_EQ(pdf.count(QRegularExpression(QStringLiteral("/Type\\s*/Page[^s]"))), count);
    return count;
}

} // namespace

TEST(PrintDotText, TextRunsOneInchFromThePaperEdgesAcrossThePrintableWidth)
{
    // Letter at 600 dpi (5100 x 6600) with quarter-inch printer margins:
    // the text keeps one inch from the paper's edges, so it starts 450
    // pixels into the printable area and is 6.5 by 9 inches.
    EXPECT_EQ(CDotTextPrinter::TextRect(5100, 6600, QRect(150, 150, 4800, 6300), 600, 600), QRect(450, 450, 3900, 5400));
    // A4 (4961 x 7016): the fraction of an inch is used too.
    EXPECT_EQ(CDotTextPrinter::TextRect(4961, 7016, QRect(0, 0, 4961, 7016), 600, 600), QRect(600, 600, 3761, 5816));
    // Printer margins wider than an inch are kept.
    EXPECT_EQ(CDotTextPrinter::TextRect(5100, 6600, QRect(900, 150, 3300, 6300), 600, 600), QRect(0, 450, 3300, 5400));
    EXPECT_TRUE(CDotTextPrinter::TextRect(1100, 1100, QRect(0, 0, 1100, 1100), 600, 600).isEmpty());
    EXPECT_TRUE(CDotTextPrinter::TextRect(4800, 6600, QRect(0, 0, 4800, 6600), 0, 600).isEmpty());
}

TEST(PrintDotText, PagesContinueWhereThePreviousStoppedInsideTheMargins)
{
    QTextDocument text(LongListing(80) + QString(400, QLatin1Char('W')));
    CDotTextPrinter printer(text, PaneFont(), 96);
    const std::vector<QImage> pages = PrintOnImages(printer, 8.7, 11.4);
    ASSERT_GT(pages.size(), 2u);
    EXPECT_EQ(printer.CountPages(Paper(8.7, 11.4)), static_cast<int>(pages.size()));
    for (const QImage& page : pages) {
        const QRect ink = InkOf(page);
        EXPECT_GE(ink.left(), kDpi);
        EXPECT_LE(ink.left(), kDpi + 5);
        EXPECT_GE(ink.top(), kDpi);
        EXPECT_LE(ink.top(), kDpi + 25);
        EXPECT_LT(ink.right(), 7.7 * kDpi);
        EXPECT_LT(ink.bottom(), 10.4 * kDpi);
    }
    // The long last line is wrapped at the margin, not cut off, and uses
    // the width past the last whole inch.
    EXPECT_GT(InkOf(pages.back()).right(), 7.2 * kDpi);

    const std::vector<int>& starts = printer.PageStarts();
    const auto lineOf = [&text](int position) { return text.findBlock(position).blockNumber(); };
    EXPECT_EQ(starts.front(), 0);
    EXPECT_EQ(text.findBlock(starts[1]).position(), starts[1]); // a whole line that did not fit
    EXPECT_GT(lineOf(starts[1]), 30);
    EXPECT_EQ(lineOf(starts[2]) - lineOf(starts[1]), lineOf(starts[1]));
}

TEST(PrintDotText, PdfHasAPagePerPageAndAtLeastOne)
{
    EXPECT_GT(PdfPagesOf(LongListing(200)), 3);
    EXPECT_EQ(PdfPagesOf(QString()), 1);
}

TEST(PrintDotText, PageThatTakesNoTextEndsTheJob)
{
    QTextDocument text(LongListing(5));
    CDotTextPrinter tall(text, PaneFont(200), 96); // lines of two inches, half an inch of room
    EXPECT_EQ(PrintOnImages(tall, 3, 2.5).size(), 1u);
    EXPECT_EQ(tall.PageStarts(), std::vector<int>{0});

    CDotTextPrinter normal(text, PaneFont(), 96); // less than two inches: no room at all
    EXPECT_EQ(PrintOnImages(normal, 1.9, 1.9).size(), 1u);
}

// Measured as a fixed-pitch font (as the PDF's Courier prints it), every
// character advances the same 0.6 em: 10.8 pixels at 18 pixels, so a line
// of 110 pixels takes 10 of them, narrow "i" and wide "W" alike. The pane's
// own proportional widths would put 9 digits or 20 "i" on it.
TEST(PrintDotText, AFixedPitchTakesTheSameWidthForEveryCharacter)
{
    const QImage page = Paper(3.1, 3.0); // an inch of margin all round
    ASSERT_EQ(CDotTextPrinter::TextRect(page).width(), 110);
    for (const QChar c : {QLatin1Char('i'), QLatin1Char('0'), QLatin1Char('W')}) {
        CDotTextPrinter printer(QString(25, c), PaneFont(), kDpi);
        printer.UseFixedPitch(0.6);
        EXPECT_DOUBLE_EQ(printer.EmPixels(), 18.0);
        ASSERT_EQ(printer.CountPages(page), 1);
        const QStringList expected = {QString(10, c), QString(10, c), QString(5, c)};
        EXPECT_EQ(printer.PageLines(0), expected) << QString(c).toStdString();
    }
}

TEST(PrintDotText, LinesBreakOnlyBetweenEntries)
{
    // A full block line of 64 entries, too wide for the page, in the
    // proportional and in a fixed-pitch font: every printed line holds whole
    // entries, never "3-8-2-" at the end of one and "R" at the start of the next.
    QStringList entries;
    for (int i = 0; i < 64; ++i)
        entries << QStringLiteral("1234-%1-%2-%3").arg(i / 8 + 1).arg(i % 8 + 1).arg(QLatin1Char("RGBYPWO"[i % 7]));
    const QString line = entries.join(QStringLiteral(", "));
    QFont fixed(QStringLiteral("DejaVu Sans Mono"));
    fixed.setPixelSize(18);
    for (const QFont& font : {PaneFont(), fixed}) {
        CScratchDir dir;
        QTextDocument document(line + QStringLiteral("\n\n") + line);
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(dir.FilePath(QStringLiteral("dots.pdf")));
        ASSERT_GE(CDotTextPrinter(document, font, 96).Print(printer), 1);
        const QStringList printed = PdfText(printer.outputFileName()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        const QRegularExpression whole(QStringLiteral("^(\\d+-\\d-\\d-[RGBYPWO])(, \\d+-\\d-\\d-[RGBYPWO])*,?$"));
        int lines = 0;
        for (QString text : printed) {
            text = text.remove(QLatin1Char('\f')).trimmed(); // a form feed starts each new page
            if (text.isEmpty())
                continue;
            ++lines;
            EXPECT_TRUE(whole.match(text).hasMatch()) << font.family().toStdString() << ": '" << text.toStdString() << "'";
        }
        EXPECT_GE(lines, 4) << font.family().toStdString(); // each listing line wraps at least once
    }
}

// Paper exactly two inches across or down leaves no room; one pixel more
// leaves a pixel; a device without a resolution on either axis has none.
TEST(PrintDotText, TheTextRectangleEndsOneInchFromEachEdgeOnBothAxes)
{
    const struct
    {
        int paperWidth, paperHeight, dpiX, dpiY;
        QRect expected;
    } cases[] = {
        {200, 300, 100, 100, QRect()},
        {201, 300, 100, 100, QRect(100, 100, 1, 100)},
        {300, 200, 100, 100, QRect()},
        {300, 201, 100, 100, QRect(100, 100, 100, 1)},
        {300, 500, 100, 200, QRect(100, 200, 100, 100)},
        {500, 300, 200, 100, QRect(200, 100, 100, 100)},
        {300, 300, 100, 0, QRect()},
        {300, 300, -100, 100, QRect()},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CDotTextPrinter::TextRect(c.paperWidth, c.paperHeight, QRect(0, 0, c.paperWidth, c.paperHeight), c.dpiX,
                                            c.dpiY),
                  c.expected)
            << c.paperWidth << " x " << c.paperHeight << " at " << c.dpiX << " x " << c.dpiY;
    // Printer margins inside the inch on the top and left only: the
    // rectangle is in the printable area's pixels.
    EXPECT_EQ(CDotTextPrinter::TextRect(500, 600, QRect(30, 40, 470, 560), 100, 100), QRect(70, 60, 300, 400));
    // A printable area narrower than the inch on the right and bottom.
    EXPECT_EQ(CDotTextPrinter::TextRect(500, 600, QRect(0, 0, 350, 420), 100, 100), QRect(100, 100, 250, 320));
}

// A PDF writer's page and margins decide the rectangle; an image is all printable.
TEST(PrintDotText, ADevicesPaperAndMarginsGiveTheTextRectangle)
{
    const QImage image = Paper(3.5, 4.5);
    EXPECT_EQ(CDotTextPrinter::TextRect(image), QRect(100, 100, 150, 250));
    CScratchDir dir;
    QPdfWriter pdf(dir.FilePath(QStringLiteral("r.pdf")));
    pdf.setResolution(72);
    pdf.setPageLayout(QPageLayout(QPageSize(QSizeF(300, 400), QPageSize::Point), QPageLayout::Portrait,
                                  QMarginsF(36, 18, 90, 108)));
    // The text keeps 72 points from each edge or the wider margin: from
    // (72, 72) to (300 - 90, 400 - 108), counted from the margins' corner.
    EXPECT_EQ(CDotTextPrinter::TextRect(pdf), QRect(72 - 36, 72 - 18, 210 - 72, 292 - 72));
    // Without margins the inch from each edge of the paper bounds the text.
    pdf.setPageLayout(QPageLayout(QPageSize(QSizeF(300, 400), QPageSize::Point), QPageLayout::Portrait,
                                  QMarginsF(0, 0, 0, 0)));
    EXPECT_EQ(CDotTextPrinter::TextRect(pdf), QRect(72, 72, 300 - 144, 400 - 144));
}

// Sizes are in the source's pixels, kept in inches on the device: the first
// baseline is an inch in plus the ascent, lines the font's height apart, on
// each axis at its own resolution.
TEST(PrintDotText, TheFirstBaselineAndLineSpacingScaleWithEachAxis)
{
    QImage page(400, 800, QImage::Format_RGB32);
    page.setDotsPerMeterX(qRound(100 / 0.0254));
    page.setDotsPerMeterY(qRound(200 / 0.0254));
    QFont font = PaneFont();
    font.setKerning(false);
    const QFontMetricsF metrics(font);
    CDotTextPrinter printer(QStringLiteral("1-1-1-R"), PaneFont(), 96);
    ASSERT_EQ(printer.CountPages(page), 1);
    const QPointF baseline = printer.FirstBaseline(page);
    EXPECT_NEAR(baseline.x(), 100, 1e-6);
    EXPECT_NEAR(baseline.y(), 200 + metrics.ascent() * 200 / 96, 1e-6);
    EXPECT_NEAR(printer.LineSpacing(page), (metrics.ascent() + metrics.descent()) * 200 / 96, 1e-6);

    // A font sized in points is that many 72nds of an inch of the source
    // screen; a source without a resolution is taken as 96 dpi.
    QFont points(QStringLiteral("DejaVu Sans"));
    points.setPointSizeF(13.5);
    EXPECT_DOUBLE_EQ(CDotTextPrinter(QString(), points, 96).EmPixels(), 18.0);
    EXPECT_DOUBLE_EQ(CDotTextPrinter(QString(), points, 144).EmPixels(), 27.0);
    EXPECT_DOUBLE_EQ(CDotTextPrinter(QString(), points, 0).EmPixels(), 18.0);
    EXPECT_DOUBLE_EQ(CDotTextPrinter(QString(), points, -5).EmPixels(), 18.0);
    EXPECT_DOUBLE_EQ(CDotTextPrinter(QString(), points, 1).EmPixels(), 13.5 / 72);
    EXPECT_NEAR(CDotTextPrinter(QStringLiteral("1"), PaneFont(), 0).LineSpacing(page), printer.LineSpacing(page), 1e-9);
}

// Ten characters of 10.8 pixels fit in 110, eleven do not. A line breaks
// after the blank of ", ", which takes no room at a line's end; an entry
// longer than a line breaks where it must; every paragraph and empty line
// is a line.
TEST(PrintDotText, LinesTakeWhatFitsAndBreakAfterTheBlankOfACommaAndBlank)
{
    const QImage page = Paper(3.1, 3.0);
    const struct
    {
        const char* text;
        QStringList lines;
    } cases[] = {
        {"1234567890", {"1234567890"}},
        {"12345678901", {"1234567890", "1"}},
        {"1-1-1-R, 1-1-2-G", {"1-1-1-R, ", "1-1-2-G"}},
        {"12-1-1-R, 3", {"12-1-1-R, ", "3"}},
        {"123-1-1-R, 4", {"123-1-1-R, ", "4"}},
        {"1,2 3, 1234567890123", {"1,2 3, ", "1234567890", "123"}},
        {"a, b, c, d, e, f", {"a, b, c, ", "d, e, f"}},
        {"1\n\n2", {"1", "", "2"}},
        {"", {""}},
        {"\n", {"", ""}},
    };
    for (const auto& c : cases) {
        CDotTextPrinter printer(QString::fromLatin1(c.text), PaneFont(), kDpi);
        printer.UseFixedPitch(0.6);
        ASSERT_EQ(printer.CountPages(page), 1) << c.text;
        EXPECT_EQ(printer.PageLines(0), c.lines) << c.text;
        EXPECT_TRUE(printer.PageLines(-1).isEmpty());
        EXPECT_TRUE(printer.PageLines(1).isEmpty());
    }
    // Characters beyond ASCII are measured as they are: a pair of
    // surrogates is one character, never split between two lines.
    QString wide;
    for (int i = 0; i < 25; ++i)
        wide += QString::fromUcs4(U"\U00020000");
    CDotTextPrinter printer(wide, PaneFont(), kDpi);
    ASSERT_EQ(printer.CountPages(page), 1);
    const QStringList lines = printer.PageLines(0);
    EXPECT_GT(lines.size(), 1);
    EXPECT_EQ(lines.join(QString()), wide);
    for (const QString& line : lines)
        EXPECT_EQ(line.size() % 2, 0) << line.size();
}

// A page holds as many whole lines as its height takes; the next page
// starts at the next line; blank lines past a full page start no page, but
// a line with text after them does.
TEST(PrintDotText, PagesHoldTheWholeLinesThatFitAndNoBlankTail)
{
    QFont font = PaneFont();
    font.setKerning(false);
    const QFontMetricsF metrics(font);
    const qreal lineHeight = metrics.ascent() + metrics.descent();
    const QImage page = Paper(3.0, 3.0); // an inch square of text at kDpi: the source is kDpi too
    const int perPage = static_cast<int>(std::floor(100 / lineHeight));
    ASSERT_GE(perPage, 3);
    const auto numbered = [](int from, int count) {
        QStringList lines;
        for (int i = from; i < from + count; ++i)
            lines << QString::number(i);
        return lines;
    };
    const struct
    {
        QString text;
        int pages;
    } cases[] = {
        {numbered(1, perPage).join(QLatin1Char('\n')), 1},
        {numbered(1, perPage + 1).join(QLatin1Char('\n')), 2},
        {numbered(1, perPage - 1).join(QLatin1Char('\n')), 1},
        {numbered(1, 2 * perPage).join(QLatin1Char('\n')), 2},
        {numbered(1, 2 * perPage + 1).join(QLatin1Char('\n')), 3},
        {numbered(1, perPage).join(QLatin1Char('\n')) + QStringLiteral("\n \n\t\n  "), 1},
        {numbered(1, perPage).join(QLatin1Char('\n')) + QStringLiteral("\n \n\n  x"), 2},
    };
    for (const auto& c : cases) {
        CDotTextPrinter printer(c.text, PaneFont(), kDpi);
        EXPECT_EQ(printer.CountPages(page), c.pages) << c.text.toStdString();
        ASSERT_EQ(printer.PageStarts().size(), static_cast<std::size_t>(c.pages));
        // The last page also holds the blank lines after it.
        const QStringList all = c.text.split(QLatin1Char('\n'));
        for (int p = 0; p < c.pages; ++p) {
            EXPECT_EQ(printer.PageLines(p), all.mid(p * perPage, p + 1 == c.pages ? -1 : perPage)) << p;
            const qsizetype before = p == 0 ? -1 : all.mid(0, p * perPage).join(QLatin1Char('\n')).size();
            EXPECT_EQ(printer.PageStarts()[static_cast<std::size_t>(p)], static_cast<int>(before) + 1) << p;
        }
    }
}

// A device that cannot be painted on prints nothing and counts no page.
TEST(PrintDotText, ADeviceThatCannotBePaintedPrintsNothing)
{
    CDotTextPrinter printer(LongListing(3), PaneFont(), kDpi);
    QImage none;
    int newPages = 0;
    EXPECT_EQ(printer.Print(none, [&newPages] { ++newPages; }), 0);
    EXPECT_EQ(newPages, 0);
    EXPECT_TRUE(printer.PageStarts().empty());
}

// Each line is drawn a line's height below the one before, starting at the
// first baseline, glyph by glyph at the measured advances: a line of
// digits reaches as far as their advances add up; a line beyond ASCII goes
// through the shaper and is drawn too.
TEST(PrintDotText, LinesAreDrawnWhereTheyWereLaidOut)
{
    QFont font = PaneFont();
    font.setKerning(false);
    const QFontMetricsF metrics(font);
    const qreal lineHeight = metrics.ascent() + metrics.descent();
    // The second and third are drawn by the shaper, without kerning.
    for (const QString& second :
         {QStringLiteral("8 8 8 8 8 8 8 8"), QStringLiteral("点点点点 8 8 8"), QStringLiteral("AVAVAVAV点8")}) {
        CDotTextPrinter printer(QStringLiteral("8\n\n") + second + QStringLiteral("\n8"), PaneFont(), kDpi);
        const std::vector<QImage> pages = PrintOnImages(printer, 4.0, 3.0);
        ASSERT_EQ(pages.size(), 1u);
        const QImage& page = pages[0];
        // The ink of each line: its rows start below the line's top.
        const auto inkIn = [&page](qreal top, qreal bottom) {
            QRect ink;
            for (int y = static_cast<int>(std::ceil(top)); y < static_cast<int>(bottom) && y < page.height(); ++y)
                for (int x = 0; x < page.width(); ++x)
                    if (page.pixel(x, y) != qRgb(255, 255, 255))
                        ink |= QRect(x, y, 1, 1);
            return ink;
        };
        const QRect first = inkIn(kDpi, kDpi + lineHeight);
        const QRect empty = inkIn(kDpi + lineHeight, kDpi + 2 * lineHeight);
        const QRect third = inkIn(kDpi + 2 * lineHeight, kDpi + 3 * lineHeight);
        const QRect fourth = inkIn(kDpi + 3 * lineHeight, kDpi + 4 * lineHeight);
        EXPECT_FALSE(first.isEmpty());
        EXPECT_TRUE(empty.isEmpty()) << second.toStdString();
        EXPECT_FALSE(third.isEmpty());
        EXPECT_EQ(fourth.left(), first.left());
        EXPECT_EQ(fourth.width(), first.width());
        EXPECT_NEAR(fourth.top() - first.top(), 3 * lineHeight, 1.0);
        EXPECT_EQ(first.bottom() - first.top(), fourth.bottom() - fourth.top());
        EXPECT_GE(first.left(), kDpi);
        EXPECT_LE(first.left(), kDpi + 3);
        EXPECT_TRUE(inkIn(0, kDpi).isEmpty());
        const qreal reach = kDpi + metrics.horizontalAdvance(second) - metrics.horizontalAdvance(QStringLiteral("8")) + first.right() - kDpi;
        EXPECT_NEAR(third.right(), reach, 2.0) << second.toStdString();
    }
}

// On a device whose axes differ in resolution, each axis keeps inches of
// its own: the text starts an inch in on both and is as wide as its
// advances at the horizontal resolution.
TEST(PrintDotText, EachAxisIsPrintedAtItsOwnResolution)
{
    QImage page(400, 800, QImage::Format_RGB32);
    page.setDotsPerMeterX(qRound(100 / 0.0254));
    page.setDotsPerMeterY(qRound(200 / 0.0254));
    page.fill(Qt::white);
    const QString line = QStringLiteral("8888888888");
    CDotTextPrinter printer(line, PaneFont(), 96);
    ASSERT_EQ(printer.Print(page, [] {}), 1);
    const QRect ink = InkOf(page);
    QFont font = PaneFont();
    font.setKerning(false);
    const QFontMetricsF metrics(font);
    EXPECT_NEAR(ink.left(), 100, 3);
    EXPECT_GE(ink.top(), 200);
    EXPECT_LE(ink.bottom(), 200 + (metrics.ascent() + metrics.descent()) * 200 / 96);
    EXPECT_NEAR(ink.width(), metrics.horizontalAdvance(line) * 100 / 96, 4);
    EXPECT_GT(ink.height(), metrics.capHeight() * 200 / 96 - 4);

    // Four inches of paper less two of margin leave two inches for lines.
    CDotTextPrinter tall(QStringLiteral("8\n").repeated(40), PaneFont(), 96);
    ASSERT_GT(tall.CountPages(page), 1);
    EXPECT_EQ(tall.PageLines(0).size(), static_cast<int>(std::floor(2 * 96 / (metrics.ascent() + metrics.descent()))));
}

// Measured as fixed pitch, a line is still drawn by the font's own shaper:
// a run of narrow letters keeps its narrow ink.
TEST(PrintDotText, AFixedPitchMeasureLeavesTheDrawingToTheFont)
{
    QFont font = PaneFont();
    font.setKerning(false);
    const QFontMetricsF metrics(font);
    const QString line = QStringLiteral("iiiiiiiiii");
    CDotTextPrinter printer(line, PaneFont(), kDpi);
    printer.UseFixedPitch(0.6);
    const std::vector<QImage> pages = PrintOnImages(printer, 4.0, 3.0);
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_NEAR(InkOf(pages[0]).width(), metrics.horizontalAdvance(line) - metrics.horizontalAdvance(QStringLiteral("i")) + 3, 4);
    QFont tiny(QStringLiteral("DejaVu Sans"));
    tiny.setPixelSize(1);
    EXPECT_DOUBLE_EQ(CDotTextPrinter(QString(), tiny, 96).EmPixels(), 1.0);
}

// A page with room for a single line takes one line a page.
TEST(PrintDotText, APageWithRoomForOneLineTakesOneLineAPage)
{
    QFont font = PaneFont(60);
    font.setKerning(false);
    const QFontMetricsF metrics(font);
    ASSERT_EQ(static_cast<int>(std::floor(100 / (metrics.ascent() + metrics.descent()))), 1);
    CDotTextPrinter printer(QStringLiteral("1\n2\n3"), PaneFont(60), kDpi);
    EXPECT_EQ(PrintOnImages(printer, 3.0, 3.0).size(), 3u);
    EXPECT_EQ(printer.PageLines(2), QStringList{QStringLiteral("3")});
}

// A line filled to exactly its width still takes the last character.
TEST(PrintDotText, ACharacterEndingExactlyAtTheMarginFits)
{
    const QImage page = Paper(3.0, 3.0); // 100 pixels across
    for (const auto& [text, lines] : {std::pair{"1234567890", QStringList{"1234567890"}},
                                      std::pair{"12345678901", QStringList{"1234567890", "1"}}}) {
        CDotTextPrinter printer(QString::fromLatin1(text), PaneFont(16), kDpi);
        printer.UseFixedPitch(0.625); // 10 pixels a character, exactly
        ASSERT_EQ(printer.CountPages(page), 1);
        EXPECT_EQ(printer.PageLines(0), lines) << text;
    }
}
