#include "dotdata/DotTextPdf.h"

#include "base/MessageTexts.h"
#include "base/SaveTarget.h"
#include "dotdata/DotFile.h"
#include "dotdata/DotTextPrinter.h"
#include "dotdata/ListingDocument.h"
#include "dotdata/TextPdfWriter.h"

#include <QBuffer>
#include <QDir>
#include <QPdfWriter>
#include <QPrinter>
#include <QSaveFile>
#include <QTextDocument>

namespace {

// A PDF writer on the document's pages, into bytes (or a scratch buffer when
// only its measures are wanted): counting, measuring and printing all lay the
// text out on the same device.
struct SPageDevice
{
    SPageDevice(const QPageLayout& layout, int resolution, QByteArray* bytes = nullptr)
        : buffer(bytes)
        , bOpen(buffer.open(QIODevice::WriteOnly))
    {
        writer.setResolution(resolution);
        writer.setPageLayout(layout);
    }

    QBuffer buffer;
    bool bOpen;
    QPdfWriter writer{&buffer};
};

} // namespace

CDotTextPdf::CDotTextPdf(const CListingDocument& listing)
    : CDotTextPdf(listing.Text(), listing.Font(), listing.SourceDpi())
{
}

CDotTextPdf::CDotTextPdf(const QTextDocument& text, const QFont& font, int sourceDpi)
    : CDotTextPdf(text.toPlainText(), font, sourceDpi)
{
}

CDotTextPdf::CDotTextPdf(const QString& text, const QFont& font, int sourceDpi)
    : m_szText(text)
    , m_font(font)
    , m_nSourceDpi(sourceDpi)
{
    // The page the default printer offers, at the resolution of a printout.
    const QPrinter printer(QPrinter::HighResolution);
    m_layout = printer.pageLayout();
    m_nResolution = printer.resolution();
}

void CDotTextPdf::SetPage(const QPageLayout& layout, int resolution)
{
    m_layout = layout;
    m_nResolution = resolution;
}

int CDotTextPdf::CountPages() const
{
    SPageDevice device(m_layout, m_nResolution);
    return CDotTextPrinter(m_szText, m_font, m_nSourceDpi).CountPages(device.writer);
}

// Printable ASCII, which every listing of a picture is, is written by the
// fast writer in the PDF's Courier at the same size and line spacing.
QByteArray CDotTextPdf::RenderPlain() const
{
    SPageDevice device(m_layout, m_nResolution);
    QPdfWriter& metrics = device.writer;
    CDotTextPrinter printer(m_szText, m_font, m_nSourceDpi);
    printer.UseFixedPitch(CTextPdfWriter::kAdvanceEm);
    m_nPages = printer.CountPages(metrics);
    // Device pixels from the printable area to points from the paper's corner.
    const qreal toPoints = 72.0 / metrics.logicalDpiY();
    const QPointF printable = m_layout.paintRectPoints().topLeft();
    CTextPdfWriter writer(m_layout.fullRectPoints().size(), printable + printer.FirstBaseline(metrics) * toPoints,
                          printer.EmPixels() * 72.0 / m_nSourceDpi, printer.LineSpacing(metrics) * toPoints);
    for (int page = 0; page < m_nPages; ++page)
        writer.AddPage(printer.PageLines(page));
    return writer.Finish();
}

QByteArray CDotTextPdf::Render() const
{
    if (CTextPdfWriter::CanWrite(m_szText)) {
        const QByteArray bytes = RenderPlain();
        return m_nPages > 0 && IsWholePdf(bytes) ? bytes : QByteArray();
    }
    QByteArray bytes;
    {
        SPageDevice device(m_layout, m_nResolution, &bytes);
        if (!device.bOpen)
            return {};
        QPdfWriter& writer = device.writer;
        writer.setTitle(QStringLiteral("Untitled"));
        CDotTextPrinter printer(m_szText, m_font, m_nSourceDpi);
        m_nPages = printer.Print(writer, [&writer] { writer.newPage(); });
    }
    if (m_nPages <= 0 || !IsWholePdf(bytes))
        return {};
    return bytes;
}

bool CDotTextPdf::Write(const QString& path, QString& error) const
{
    QSaveFile file(path);
    return Write(file, error);
}

bool CDotTextPdf::Write(QSaveFile& file, QString& error) const
{
    const QString name = QDir::toNativeSeparators(file.fileName());
    error = CSaveTarget::Refusal(file.fileName());
    if (!error.isEmpty())
        return false;
    const QByteArray bytes = Render();
    if (bytes.isEmpty()) {
        error = MessageText::English(MessageText::PdfNotMade, {name});
        return false;
    }
    if (!CDotFile::Write(file, bytes)) {
        error = MessageText::English(MessageText::PdfNotWritten, {name});
        return false;
    }
    return true;
}

bool CDotTextPdf::IsWholePdf(const QByteArray& bytes)
{
    return bytes.startsWith("%PDF-") && bytes.trimmed().endsWith("%%EOF");
}
