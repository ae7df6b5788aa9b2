// Printing the listing of a fully lit 1024 x 768 canvas (image mode): the
// time from the start of the job to the finished PDF file on A4 at 1200 dpi
// (what Print makes for a printer or a file), and the number of pages; then
// the same pages drawn glyph by glyph through Qt's PDF engine, for comparison.
// With a printer queue (CUPS), paper both ways: the program's PDF handed to
// the spooler, and the pages painted through Qt's print engine.
#include "base/CanvasText.h"
#include "base/DotGrid.h"
#include "base/DotPalette.h"
#include "dotdata/DotListing.h"
#include "dotdata/DotTextPdf.h"
#include "dotdata/DotTextPrinter.h"
#include "dotdata/ListingDocument.h"
#include "frame/PrintSpool.h"

#include <QApplication>
#include <QBuffer>
#include <QElapsedTimer>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>

#include <cstdio>

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    CDotGrid grid;
    grid.Create(kMaxCanvasWidth, kMaxCanvasHeight, ImageMode);
    for (int row = 0; row < grid.Height(); ++row)
        for (int column = 0; column < grid.Width(); ++column)
            grid.SetDot(column, row, DotPalette[static_cast<std::size_t>((row + column) % kPaletteSize)]);
    const CCanvasText text;
    QElapsedTimer clock;
    clock.start();
    const CListingDocument listing(CDotListing::Whole(grid, text));
    const double listed = clock.nsecsElapsed() / 1e9;

    const QPageLayout a4(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(6, 6, 6, 6), QPageLayout::Millimeter);
    clock.restart();
    CDotTextPdf pdf(listing);
    pdf.SetPage(a4, 1200);
    const QByteArray file = pdf.Render();
    const double made = clock.nsecsElapsed() / 1e9;
    std::printf("listing of a fully lit 1024 x 768 canvas: %d characters, made in %.2f s\n",
                static_cast<int>(listing.Text().size()), listed);
    std::printf("print to PDF on A4 at 1200 dpi: %d pages in %.2f s (goal: at most 2 s), %.1f MB\n", pdf.PageCount(),
                made, file.size() / 1e6);
    std::fflush(stdout);

    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setResolution(1200);
    writer.setPageLayout(a4);
    clock.restart();
    CDotTextPrinter printer(listing.Text(), listing.Font(), listing.SourceDpi());
    const int pages = printer.Print(writer, [&writer] { writer.newPage(); });
    const double printed = clock.nsecsElapsed() / 1e9;
    std::printf("drawn glyph by glyph through Qt's PDF engine: %d pages in %.2f s, %.1f MB\n", pages, printed,
                bytes.size() / 1e6);
    std::fflush(stdout);

    const QList<QPrinterInfo> queues = QPrinterInfo::availablePrinters();
    if (queues.isEmpty()) {
        std::printf("no printer queue: paper is not measured\n");
        return 0;
    }
    QPrinter paper(queues.first(), QPrinter::HighResolution);
    paper.setPageLayout(a4);
    clock.restart();
    CDotTextPdf spooled(listing);
    spooled.SetPage(paper.pageLayout(), paper.resolution());
    const COutcome sent = CPrintSpool::Submit(CPrintSpool::JobFor(paper, QStringLiteral("bench")), spooled.Render());
    std::printf("paper on \"%s\", the PDF handed to the spooler: %d pages in %.2f s (goal: at most 2 s)%s\n",
                qPrintable(paper.printerName()), spooled.PageCount(), clock.nsecsElapsed() / 1e9,
                sent ? "" : qPrintable(QStringLiteral(", failed: ") + sent.Message()));
    std::fflush(stdout);
    clock.restart();
    CDotTextPrinter painter(listing.Text(), listing.Font(), listing.SourceDpi());
    const int painted = painter.Print(paper);
    std::printf("paper painted through Qt's print engine: %d pages in %.2f s\n", painted, clock.nsecsElapsed() / 1e9);
    return 0;
}
