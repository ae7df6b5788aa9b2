#include "TestSupport.h"

#include "dotdata/DotTextPrinter.h"

#include <QImage>
#include <QPrinter>
#include <QRegularExpression>
#include <QTextBlock>
#include <QTextDocument>

#include <gtest/gtest.h>

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
