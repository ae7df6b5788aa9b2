#include "frame/ListingPrint.h"

#include "base/MessageTexts.h"
#include "base/TriText.h"
#include "dotdata/DotTextPdf.h"
#include "dotdata/DotTextPrinter.h"
#include "dotdata/ListingDocument.h"
#include "frame/FrameDialogs.h"
#include "frame/PrintSpool.h"

#include <QPrinter>

namespace {

constexpr STriText kManyPages = {
    "The listing fills %1 pages. Print them all?",
    "点阵数据共 %1 页，全部打印吗？",
    "點陣資料共 %1 頁，全部列印嗎？",
};
static_assert(kManyPages.IsComplete());

} // namespace

CListingPrint::CListingPrint(const CFrameDialogs& dialogs, const CListingDocument& listing, int language)
    : m_dialogs(dialogs)
    , m_listing(listing)
    , m_nLanguage(language)
    , m_fnSpool(&CPrintSpool::Submit)
{
}

bool CListingPrint::MayPrint(int pages) const
{
    return pages <= kAskAbovePages || m_dialogs.AskYesNo(ManyPagesQuestion(m_nLanguage, pages));
}

QString CListingPrint::ManyPagesQuestion(int language, int pages)
{
    return kManyPages.Pick(language).arg(pages);
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
        const QString title = QStringLiteral("Untitled");
        printer.setDocName(title);
        if (CPrintSpool::CanSpool(printer))
            SpoolOnPaper(printer.pageLayout(), printer.resolution(), CPrintSpool::JobFor(printer, title));
        else
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
    if (!MayPrint(printer.CountPages(device)))
        return false;
    if (printer.Print(device, [&device] { device.newPage(); }) > 0)
        return true;
    m_dialogs.ShowMessage(PrinterFailureMessage());
    return false;
}

bool CListingPrint::SpoolOnPaper(const QPageLayout& layout, int resolution, const SSpoolJob& job) const
{
    CDotTextPdf pdf(m_listing);
    pdf.SetPage(layout, resolution);
    if (!MayPrint(pdf.CountPages()))
        return false;
    const QByteArray file = pdf.Render();
    const COutcome sent = file.isEmpty() ? COutcome::Failed(QString()) : m_fnSpool(job, file);
    if (sent)
        return true;
    const QString why = sent.Message().isEmpty() ? QString() : QStringLiteral(" (%1)").arg(sent.Message());
    m_dialogs.ShowMessage(PrinterFailureMessage() + why);
    return false;
}

bool CListingPrint::PrintToPdf(const QString& path, const QPageLayout* layout, int resolution) const
{
    CDotTextPdf pdf(m_listing);
    if (layout)
        pdf.SetPage(*layout, resolution);
    if (!MayPrint(pdf.CountPages()))
        return false;
    QString error;
    if (pdf.Write(path, error))
        return true;
    m_dialogs.ShowMessage(MessageText::English(MessageText::NothingPrinted, {error}));
    return false;
}

QString CListingPrint::PrinterFailureMessage()
{
    return MessageText::English(MessageText::PrinterNotStarted);
}
