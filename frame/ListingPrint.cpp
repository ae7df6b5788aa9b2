#include "frame/ListingPrint.h"

#include "dotdata/DotTextPdf.h"
#include "dotdata/DotTextPrinter.h"
#include "dotdata/ListingDocument.h"
#include "frame/FrameDialogs.h"

#include <QPrinter>

CListingPrint::CListingPrint(const CFrameDialogs& dialogs, const CListingDocument& listing)
    : m_dialogs(dialogs)
    , m_listing(listing)
{
}

void CListingPrint::Run() const
{
    if (!m_dialogs.hasPrinter()) {
        const QString path = m_dialogs.askPdfFile();
        if (!path.isEmpty())
            PrintToPdf(path, nullptr, 0);
        return;
    }
    QPrinter printer(QPrinter::HighResolution);
    if (!m_dialogs.askPrinter(printer))
        return;
    if (printer.outputFormat() != QPrinter::PdfFormat) {
        printer.setDocName(QStringLiteral("Untitled"));
        PrintOnPaper(printer);
        return;
    }
    // The dialog's file printer, or a dialog that found no printer after all.
    const QString path = printer.outputFileName().isEmpty() ? m_dialogs.askPdfFile() : printer.outputFileName();
    if (path.isEmpty())
        return;
    const QPageLayout layout = printer.pageLayout();
    PrintToPdf(path, &layout, printer.resolution());
}

bool CListingPrint::PrintOnPaper(QPagedPaintDevice& device) const
{
    CDotTextPrinter printer(m_listing.Text(), m_listing.Font(), m_listing.SourceDpi());
    if (printer.Print(device, [&device] { device.newPage(); }) > 0)
        return true;
    m_dialogs.showMessage(PrinterFailureMessage());
    return false;
}

bool CListingPrint::PrintToPdf(const QString& path, const QPageLayout* layout, int resolution) const
{
    CDotTextPdf pdf(m_listing);
    if (layout)
        pdf.SetPage(*layout, resolution);
    QString error;
    if (pdf.Write(path, error))
        return true;
    error[0] = error[0].toUpper();
    m_dialogs.showMessage(error + QLatin1Char('.'));
    return false;
}

QString CListingPrint::PrinterFailureMessage()
{
    return QStringLiteral("The printer could not be started, so nothing was printed.");
}
