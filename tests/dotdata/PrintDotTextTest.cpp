#include "TestSupport.h"

#include "dotdata/DotTextPrinter.h"

#include <QFont>
#include <QImage>
#include <QPrinter>
#include <QRegularExpression>
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

// Pages printed onto images of widthIn x heightIn inches at kDpi.
struct SImagePages
{
    SImagePages(double widthIn, double heightIn)
        : m_image(int(widthIn * kDpi), int(heightIn * kDpi), QImage::Format_RGB32)
    {
        m_image.setDotsPerMeterX(qRound(kDpi / 0.0254));
        m_image.setDotsPerMeterY(qRound(kDpi / 0.0254));
        Clear();
    }

    int Print(CDotTextPrinter& printer)
    {
        const int count = printer.Print(m_image, [this] {
            m_pages.push_back(m_image.copy());
            Clear();
        });
        m_pages.push_back(m_image.copy());
        return count;
    }

    // The painted (non-white) area of a page.
    static QRect InkOf(const QImage& page)
    {
        QRect ink;
        for (int y = 0; y < page.height(); ++y)
            for (int x = 0; x < page.width(); ++x)
                if (page.pixel(x, y) != qRgb(255, 255, 255))
                    ink |= QRect(x, y, 1, 1);
        return ink;
    }

    void Clear() { std::memset(m_image.bits(), 0xFF, static_cast<std::size_t>(m_image.sizeInBytes())); }

    QImage m_image;
    std::vector<QImage> m_pages;
};

int PdfPageCount(const QString& path)
{
    const QString pdf = QString::fromLatin1(ReadAll(path));
    return static_cast<int>(pdf.count(QRegularExpression(QStringLiteral("/Type\\s*/Page[^s]"))));
}

} // namespace

TEST(PrintDotText, PageIsCountedInWholeInchesWithOneInchMargins)
{
    // 4800 pixels at 600 per inch: 8 inches, text from 1 to 7 inches
    // (1440 to 10080 twips). 4900 pixels still make 8 inches.
    const QRect eight = CDotTextPrinter::RenderRect(4800, 6600, 600, 600);
    EXPECT_EQ(eight, QRect(600, 600, 3600, 5400));
    EXPECT_EQ(eight.right() + 1, 10080 * 600 / 1440);
    EXPECT_EQ(CDotTextPrinter::RenderRect(4900, 6650, 600, 600), eight);
    EXPECT_TRUE(CDotTextPrinter::RenderRect(1100, 1100, 600, 600).isEmpty());
    EXPECT_TRUE(CDotTextPrinter::RenderRect(4800, 6600, 0, 600).isEmpty());
}

TEST(PrintDotText, TextStartsOneInchInAndStaysInsideTheMargins)
{
    QTextDocument text;
    text.setPlainText(LongListing(60) + QString(400, QLatin1Char('W')));
    CDotTextPrinter printer(text, PaneFont(), 96);
    SImagePages pages(8.7, 11.4); // 8 x 11 whole inches
    const int count = pages.Print(printer);
    ASSERT_GT(count, 1);
    ASSERT_EQ(pages.m_pages.size(), static_cast<std::size_t>(count));

    for (const QImage& page : pages.m_pages) {
        const QRect ink = SImagePages::InkOf(page);
        ASSERT_FALSE(ink.isEmpty());
        EXPECT_GE(ink.left(), kDpi);
        EXPECT_LE(ink.left(), kDpi + 5);
        EXPECT_GE(ink.top(), kDpi);
        EXPECT_LE(ink.top(), kDpi + 25);
        EXPECT_LT(ink.right(), 7 * kDpi);
        EXPECT_LT(ink.bottom(), 10 * kDpi);
    }
    // The long last line is wrapped to the text width, not cut off.
    EXPECT_GT(SImagePages::InkOf(pages.m_pages.back()).right(), 6 * kDpi);
}

TEST(PrintDotText, PagesContinueWhereThePreviousStopped)
{
    QTextDocument text;
    text.setPlainText(LongListing(80));
    CDotTextPrinter printer(text, PaneFont(), 96);
    SImagePages pages(8.5, 11);
    const int count = pages.Print(printer);
    const std::vector<int>& starts = printer.PageStarts();
    ASSERT_EQ(starts.size(), static_cast<std::size_t>(count));
    ASSERT_GT(count, 2);
    EXPECT_EQ(starts.front(), 0);
    for (std::size_t i = 1; i < starts.size(); ++i) {
        EXPECT_GT(starts[i], starts[i - 1]);
        // Every page begins at the start of a line.
        EXPECT_EQ(text.findBlock(starts[i]).position(), starts[i]);
    }
    // Equal pages, as the lines are all of one height.
    const auto lineOf = [&text](int position) { return text.findBlock(position).blockNumber(); };
    EXPECT_EQ(lineOf(starts[2]) - lineOf(starts[1]), lineOf(starts[1]) - lineOf(starts[0]));
}

TEST(PrintDotText, LongListingPrintsToPdfPageByPage)
{
    CScratchDir dir;
    QTextDocument text;
    text.setPlainText(LongListing(200));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.FilePath(QStringLiteral("dots.pdf")));

    CDotTextPrinter dotPrinter(text, PaneFont(), 96);
    const int count = dotPrinter.Print(printer);
    EXPECT_GT(count, 3);
    EXPECT_EQ(PdfPageCount(printer.outputFileName()), count);
    EXPECT_EQ(printer.docName(), QStringLiteral("Untitled"));
}

TEST(PrintDotText, EmptyTextPrintsOneBlankPage)
{
    CScratchDir dir;
    QTextDocument text;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.FilePath(QStringLiteral("empty.pdf")));
    CDotTextPrinter dotPrinter(text, PaneFont(), 96);
    EXPECT_EQ(dotPrinter.Print(printer), 1);
    EXPECT_EQ(PdfPageCount(printer.outputFileName()), 1);

    SImagePages pages(8.5, 11);
    EXPECT_EQ(pages.Print(dotPrinter), 1);
    EXPECT_TRUE(SImagePages::InkOf(pages.m_pages.front()).isEmpty());
}

TEST(PrintDotText, PageThatTakesNoTextEndsTheJob)
{
    QTextDocument text;
    text.setPlainText(LongListing(5));
    // Half an inch of text height for lines of two inches.
    CDotTextPrinter tall(text, PaneFont(200), 96);
    SImagePages small(3, 2.5);
    EXPECT_EQ(small.Print(tall), 1);
    EXPECT_EQ(tall.PageStarts(), std::vector<int>{0});

    // Less than two inches: no room inside the margins at all.
    CDotTextPrinter normal(text, PaneFont(), 96);
    SImagePages tiny(1.9, 1.9);
    EXPECT_EQ(tiny.Print(normal), 1);
}
