#include "TestSupport.h"

#include "dotdata/DotTextPdf.h"
#include "dotdata/DotTextPrinter.h"
#include "dotdata/ListingDocument.h"
#include "dotdata/TextPdfWriter.h"

#include <QDir>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QImage>
#include <QPageSize>
#include <QProcess>
#include <QSaveFile>
#include <QTextDocument>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

namespace {

QFont PaneFont()
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(18);
    return font;
}

// An image-mode listing: one line per block and an empty line after it.
QString Listing(int blocks)
{
    QString text;
    for (int i = 1; i <= blocks; ++i)
        text += QStringLiteral("%1-1-1-R, %1-8-8-O\n\n").arg(i);
    return text;
}

// A4 portrait, no margins of its own: 8 x 11 whole inches to print on.
QPageLayout A4()
{
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF());
}

QStringList Files(const CScratchDir& dir)
{
    return QDir(dir.Path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
}

// The contents streams of a PDF from the plain writer, unpacked.
QList<QByteArray> Contents(const QByteArray& pdf)
{
    QList<QByteArray> contents;
    for (qsizetype at = pdf.indexOf("/Length "); at >= 0; at = pdf.indexOf("/Length ", at + 1)) {
        const qsizetype numberEnd = pdf.indexOf(' ', at + 8);
        const int length = pdf.mid(at + 8, numberEnd - at - 8).toInt();
        EXPECT_TRUE(pdf.mid(numberEnd).startsWith(" /Filter /FlateDecode >>\nstream\n"));
        const qsizetype start = pdf.indexOf("stream\n", at) + 7;
        EXPECT_TRUE(pdf.mid(start + length).startsWith("\nendstream\nendobj\n")) << length;
        QByteArray packed = pdf.mid(start, length);
        packed.prepend(QByteArray("\x00\x01\x00\x00", 4)); // the size qUncompress expects in front
        contents << qUncompress(packed);
    }
    return contents;
}

} // namespace

TEST(PrintDotText, NoPageIsBlankWhereverThePageBreakFalls)
{
    // A 3 x 3 inch page at 100 dpi leaves one square inch for the text, a
    // few lines a page; every count of lines puts the break somewhere else,
    // also right before the listing's closing empty line.
    constexpr int kDpi = 100;
    QImage image(3 * kDpi, 3 * kDpi, QImage::Format_RGB32);
    image.setDotsPerMeterX(qRound(kDpi / 0.0254));
    image.setDotsPerMeterY(qRound(kDpi / 0.0254));
    for (int blocks = 1; blocks <= 12; ++blocks) {
        QTextDocument text(Listing(blocks));
        CDotTextPrinter printer(text, PaneFont(), 96);
        int blankPages = 0;
        const auto endPage = [&] {
            const bool inked = std::any_of(reinterpret_cast<const QRgb*>(image.constBits()),
                                           reinterpret_cast<const QRgb*>(image.constBits()) + image.width() * image.height(),
                                           [](QRgb p) { return p != qRgb(255, 255, 255); });
            blankPages += inked ? 0 : 1;
            std::memset(image.bits(), 0xFF, static_cast<std::size_t>(image.sizeInBytes()));
        };
        std::memset(image.bits(), 0xFF, static_cast<std::size_t>(image.sizeInBytes()));
        const int pages = printer.Print(image, endPage);
        endPage();
        EXPECT_EQ(blankPages, 0) << blocks << " blocks, " << pages << " pages";
        EXPECT_GE(pages, (blocks + 1) / 3) << blocks;
    }
}

TEST(DotTextPdf, TheFileHoldsTheListingOnItsPages)
{
    CScratchDir dir;
    QTextDocument text(Listing(120));
    CDotTextPdf pdf(text, PaneFont(), 96);
    pdf.SetPage(A4(), 1200);
    const QString path = dir.FilePath(QStringLiteral("dots.pdf"));
    QString error;
    ASSERT_TRUE(pdf.Write(path, error)) << error.toStdString();
    EXPECT_TRUE(error.isEmpty());

    const QString read = PdfText(path);
    EXPECT_TRUE(read.contains(QStringLiteral("1-1-1-R, 1-8-8-O")));
    EXPECT_TRUE(read.contains(QStringLiteral("120-1-1-R, 120-8-8-O")));
    // 240 lines of about 0.2 inch on 9 inches of text a page.
    EXPECT_GT(pdf.PageCount(), 4);
    EXPECT_EQ(PdfPageCount(path), pdf.PageCount());
    EXPECT_EQ(Files(dir), QStringList{QStringLiteral("dots.pdf")});
}

TEST(DotTextPdf, AFullDiskLeavesTheOldFileByteForByte)
{
    CScratchDir dir;
    QTextDocument text(Listing(40));
    CDotTextPdf pdf(text, PaneFont(), 96);
    pdf.SetPage(A4(), 1200);
    const QByteArray whole = pdf.Render();
    ASSERT_TRUE(CDotTextPdf::IsWholePdf(whole));

    const QString path = dir.FilePath(QStringLiteral("dots.pdf"));
    const QByteArray old = "%PDF-1.4 printed before\n%%EOF\n";
    ASSERT_TRUE(WriteAll(path, old));
    for (const qint64 room : {qint64(0), qint64(1), whole.size() / 2, whole.size() - 1}) {
        CFillingSaveFile file(path, room);
        QString error;
        EXPECT_FALSE(pdf.Write(file, error)) << room;
        EXPECT_TRUE(error.contains(QStringLiteral("could not be written"))) << error.toStdString();
        EXPECT_EQ(ReadAll(path), old) << room;
        EXPECT_EQ(Files(dir), QStringList{QStringLiteral("dots.pdf")}) << room;
    }
    CFillingSaveFile roomy(path, whole.size());
    QString error;
    EXPECT_TRUE(pdf.Write(roomy, error)) << error.toStdString();
    EXPECT_EQ(ReadAll(path).size(), whole.size());
    EXPECT_TRUE(CDotTextPdf::IsWholePdf(ReadAll(path)));
}

TEST(DotTextPdf, OnlyAWholeFileCounts)
{
    EXPECT_TRUE(CDotTextPdf::IsWholePdf("%PDF-1.4\n...\n%%EOF\n"));
    EXPECT_TRUE(CDotTextPdf::IsWholePdf("%PDF-1.4\n...\n%%EOF"));
    EXPECT_FALSE(CDotTextPdf::IsWholePdf("%PDF-1.4\n...\n%%EO"));
    EXPECT_FALSE(CDotTextPdf::IsWholePdf("PDF-1.4\n%%EOF\n"));
    EXPECT_FALSE(CDotTextPdf::IsWholePdf(QByteArray()));

    // A folder where the file should go: nothing is written, one message.
    CScratchDir dir;
    QTextDocument text(Listing(2));
    QString error;
    EXPECT_FALSE(CDotTextPdf(text, PaneFont(), 96).Write(dir.Path(), error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(error.contains(QLatin1Char('\n')));
}

// Only printable ASCII and line ends go into the file as they are, in the
// PDF's own Courier; anything else (a control character, DEL, any letter
// beyond ASCII) makes the file through the font engine instead.
TEST(TextPdfWriter, WritesOnlyPrintableAsciiAndLineEndsItself)
{
    const struct
    {
        const char16_t* text;
        bool plain;
    } cases[] = {
        {u" 1-1-1-R, ~", true}, {u"a\r\nb\n", true}, {u"", true},
        {u"\x7f", false},       {u"\x1f", false},   {u"\t", false}, {u"\u00e9", false}, {u"点", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CTextPdfWriter::CanWrite(QString::fromUtf16(c.text)), c.plain) << QString::fromUtf16(c.text).toStdString();
}

// Brackets and backslashes are PDF string syntax; each must reach the reader as itself.
TEST(TextPdfWriter, BracketsAndBackslashesArePrintedAsTheyStand)
{
    CScratchDir dir;
    CTextPdfWriter writer(QSizeF(595, 842), QPointF(36, 36), 10, 12);
    const QString line = QStringLiteral("(a) \\b) ((c\\\\");
    writer.AddPage({line, QStringLiteral("next")});
    const QString path = dir.FilePath(QStringLiteral("t.pdf"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(writer.Finish());
    file.close();
    const QStringList read = PdfText(path).split(QLatin1Char('\n'));
    ASSERT_GE(read.size(), 2);
    EXPECT_EQ(read[0], line);
    EXPECT_EQ(read[1], QStringLiteral("next"));
}

// The cross-reference table points at each object it names, and the file's
// end points at the table: a reader finds every object without repairing
// the file.
TEST(TextPdfWriter, EveryObjectIsWhereTheTableSays)
{
    CTextPdfWriter writer(QSizeF(595, 842), QPointF(36, 36), 10, 12);
    writer.AddPage({QStringLiteral("1-1-1-R")});
    writer.AddPage({QStringLiteral("2-1-1-G"), QString()});
    const QByteArray pdf = writer.Finish();
    const qsizetype startxref = pdf.lastIndexOf("startxref\n");
    ASSERT_GT(startxref, 0);
    const qint64 xref = pdf.mid(startxref + 10).split('\n').value(0).toLongLong();
    ASSERT_TRUE(pdf.mid(xref).startsWith("xref\n0 ")) << xref;
    const QList<QByteArray> lines = pdf.mid(xref).split('\n');
    const int count = lines.value(1).split(' ').value(1).toInt();
    EXPECT_EQ(count, 1 + 4 + 2 * 2); // the free entry, four fixed objects, two per page
    EXPECT_EQ(lines.value(2), QByteArray("0000000000 65535 f "));
    for (int object = 1; object < count; ++object) {
        const QByteArray entry = lines.value(2 + object);
        ASSERT_EQ(entry.size(), 19) << object;
        EXPECT_TRUE(entry.endsWith(" 00000 n ")) << object;
        const qint64 at = entry.left(10).toLongLong();
        EXPECT_TRUE(pdf.mid(at).startsWith(QByteArray::number(object) + " 0 obj\n")) << object << " at " << at;
    }
    EXPECT_TRUE(pdf.contains("trailer\n<< /Size " + QByteArray::number(count) + " /Root 1 0 R /Info 4 0 R >>"));
    EXPECT_TRUE(pdf.contains("/Kids [ 6 0 R 8 0 R ] /Count 2")); // each page after its contents
    EXPECT_TRUE(pdf.endsWith("%%EOF\n"));
}

// The page chosen decides how many lines a page holds, in both writers: a
// landscape page holds fewer than the same paper upright.
TEST(DotTextPdf, ThePageChosenIsThePageWritten)
{
    CScratchDir dir;
    for (const QString& extra : {QString(), QStringLiteral("中")}) {
        const QTextDocument text(Listing(150) + extra);
        int pages[2] = {};
        for (const auto orientation : {QPageLayout::Portrait, QPageLayout::Landscape}) {
            CDotTextPdf pdf(text, PaneFont(), 96);
            pdf.SetPage(QPageLayout(QPageSize(QPageSize::Letter), orientation, QMarginsF()), 300);
            const QString path = dir.FilePath(QStringLiteral("p%1.pdf").arg(orientation));
            QString error;
            ASSERT_TRUE(pdf.Write(path, error)) << error.toStdString();
            EXPECT_EQ(PdfPageCount(path), pdf.PageCount());
            pages[orientation] = pdf.PageCount();
        }
        EXPECT_GT(pages[QPageLayout::Landscape], pages[QPageLayout::Portrait]) << extra.toStdString();
    }
}

// A listing the plain writer cannot take is drawn in the listing's own font.
TEST(DotTextPdf, AListingWithChineseIsDrawnInTheListingsFont)
{
    CScratchDir dir;
    const QTextDocument text(QStringLiteral("中, White\n1-1-1-W\n"));
    QFont font(QStringLiteral("DejaVu Sans Mono"));
    font.setPixelSize(18);
    CDotTextPdf pdf(text, font, 96);
    pdf.SetPage(A4(), 300);
    const QString path = dir.FilePath(QStringLiteral("zh.pdf"));
    QString error;
    ASSERT_TRUE(pdf.Write(path, error)) << error.toStdString();
    QProcess fonts;
    fonts.start(QStringLiteral("pdffonts"), {path});
    ASSERT_TRUE(fonts.waitForFinished(60000));
    const QString listed = QString::fromUtf8(fonts.readAllStandardOutput());
    EXPECT_TRUE(listed.contains(QStringLiteral("DejaVuSansMono"))) << listed.toStdString();
}

// A page's text is one block: the font and leading, the first baseline
// measured up from the paper's bottom, each line a string and each further
// line a step down, an empty line only the step. The numbers keep two decimals.
TEST(TextPdfWriter, APageIsTheTextOperatorsOfItsLines)
{
    CTextPdfWriter writer(QSizeF(595.5, 842.25), QPointF(36.125, 40.5), 10.5, 12.75);
    writer.AddPage({QStringLiteral("1-1-1-R, 1-1-2-G"), QString(), QStringLiteral("2-8-8-W")});
    writer.AddPage({QString()});
    const QByteArray pdf = writer.Finish();
    EXPECT_TRUE(pdf.startsWith("%PDF-1.4\n%\xE2\xE3\xCF\xD3\n3 0 obj\n<< /Type /Font /Subtype /Type1 /BaseFont /Courier "
                               "/Encoding /WinAnsiEncoding >>\nendobj\n4 0 obj\n<< /Title (Untitled) >>\nendobj\n5 0 obj\n"));
    EXPECT_TRUE(pdf.contains("1 0 obj\n<< /Type /Catalog /Pages 2 0 R >>\nendobj\n"));
    EXPECT_TRUE(pdf.contains("6 0 obj\n<< /Type /Page /Parent 2 0 R /MediaBox [0 0 595.50 842.25] /Resources << /Font "
                             "<< /F1 3 0 R >> >> /Contents 5 0 R >>\nendobj\n"));
    EXPECT_TRUE(pdf.contains("2 0 obj\n<< /Type /Pages /Kids [ 6 0 R 8 0 R ] /Count 2 >>\nendobj\n"));
    EXPECT_TRUE(pdf.contains("xref\n0 9\n0000000000 65535 f \n"));

    const QList<QByteArray> contents = Contents(pdf);
    ASSERT_EQ(contents.size(), 2);
    EXPECT_EQ(contents[0], QByteArray("BT\n/F1 10.50 Tf\n12.75 TL\n36.13 801.75 Td\n(1-1-1-R, 1-1-2-G) Tj\nT*\nT*\n"
                                      "(2-8-8-W) Tj\nET\n"));
    EXPECT_EQ(contents[1], QByteArray("BT\n/F1 10.50 Tf\n12.75 TL\n36.13 801.75 Td\nET\n"));
}

// A listing of plain text goes on the page chosen: the paper's size, the
// first line's start at the printable area's corner and its baseline the
// font's ascent below it, the listing font at its size on screen in points.
TEST(DotTextPdf, ThePlainListingSitsInsideTheMarginsAtItsScreenSize)
{
    const QTextDocument text(QStringLiteral("1-1-1-R\n"));
    for (const int dpi : {96, 72}) {
        CDotTextPdf pdf(text, PaneFont(), dpi);
        pdf.SetPage(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape, QMarginsF(108, 144, 0, 0),
                                QPageLayout::Point),
                    300);
        const QByteArray bytes = pdf.Render();
        EXPECT_EQ(pdf.PageCount(), 1);
        EXPECT_TRUE(bytes.contains("/MediaBox [0 0 842.00 595.00]")) << dpi;
        const QList<QByteArray> contents = Contents(bytes);
        ASSERT_EQ(contents.size(), 1) << dpi;
        const QList<QByteArray> lines = contents[0].split('\n');
        ASSERT_GE(lines.size(), 5);
        // 18 pixels at 96 dots an inch are 13.5 points, at 72 dots 18 points.
        const double points = dpi == 96 ? 13.5 : 18.0;
        EXPECT_EQ(lines[1], "/F1 " + QByteArray::number(points, 'f', 2) + " Tf") << dpi;
        const QList<QByteArray> start = lines[3].split(' ');
        ASSERT_EQ(start.size(), 3) << lines[3].constData();
        EXPECT_EQ(start[0], "108.00");
        // The font's own measures, in points: its ascent below the top, its line spacing apart.
        const QFontMetricsF metrics(PaneFont());
        EXPECT_NEAR(start[1].toDouble(), 595 - 144 - metrics.ascent() * 72 / dpi, 0.02) << dpi;
        EXPECT_EQ(lines[2].split(' ').value(1), "TL");
        EXPECT_NEAR(lines[2].split(' ')[0].toDouble(), metrics.lineSpacing() * 72 / dpi, 0.02) << dpi;
        EXPECT_EQ(lines[4], "(1-1-1-R) Tj");
    }
}

// The pages are laid out on the pixels of the resolution asked for, so they
// break where a printer of that resolution breaks them. A4 is 842 points
// tall, 1,123 pixels at 96 dots an inch; a bottom margin of 79 points is 105
// pixels, and the text starts an inch (96 pixels) down: 922 pixels of text,
// 44 lines of the pane font's 20.95. On the finer grid of 1,200 dots an inch
// the same page holds 921.28 of the screen's pixels: 43 lines.
TEST(DotTextPdf, PagesBreakOnThePixelsOfTheResolutionChosen)
{
    const QFontMetricsF metrics(PaneFont());
    const qreal lineHeight = metrics.ascent() + metrics.descent();
    ASSERT_GT(lineHeight, 922.0 / 45);
    ASSERT_LE(lineHeight, 922.0 / 44);
    ASSERT_GT(lineHeight, 921.28 / 44);
    const QPageLayout layout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 79),
                             QPageLayout::Point);
    for (const int lines : {44, 45}) {
        QStringList text;
        for (int i = 1; i <= lines; ++i)
            text << QStringLiteral("%1-1-1-R").arg(i);
        CDotTextPdf pdf(text.join(QLatin1Char('\n')), PaneFont(), 96);
        pdf.SetPage(layout, 96);
        const int pages = lines == 44 ? 1 : 2;
        EXPECT_EQ(pdf.CountPages(), pages) << lines;
        const QList<QByteArray> contents = Contents(pdf.Render());
        ASSERT_EQ(contents.size(), pages) << lines;
        EXPECT_EQ(contents[0].count(" Tj"), 44) << lines;
    }
}

// A listing document brings the listing's font, fixed pitch and 18 pixels
// from ascent to descent, and the screen's resolution to its PDF.
TEST(DotTextPdf, AListingDocumentBringsItsFontAndResolution)
{
    const CListingDocument listing(QStringLiteral("1-1-1-R\n"));
    const QFont& font = listing.Font();
    EXPECT_EQ(font.family(), QFontDatabase::systemFont(QFontDatabase::FixedFont).family());
    EXPECT_TRUE(QFontInfo(font).fixedPitch());
    ASSERT_GT(font.pixelSize(), 0);
    // The em is the whole pixel size whose ascent + descent comes nearest 18.
    QFont probe = font;
    probe.setPixelSize(100);
    const qreal perPixel = QFontMetricsF(probe).height() / 100;
    EXPECT_NEAR(font.pixelSize() * perPixel, 18, perPixel / 2) << font.pixelSize();
    EXPECT_EQ(listing.SourceDpi(), 96); // the offscreen screen's
    CDotTextPdf pdf(listing);
    pdf.SetPage(A4(), 300);
    const QList<QByteArray> contents = Contents(pdf.Render());
    ASSERT_EQ(contents.size(), 1);
    EXPECT_TRUE(contents[0].contains("/F1 " + QByteArray::number(font.pixelSize() * 0.75, 'f', 2) + " Tf\n"))
        << contents[0].constData();
}
