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
#include <QPlainTextEdit>
#include <QPrinter>
#include <QSaveFile>
#include <QTextDocument>

CDotTextPdf::CDotTextPdf(const QPlainTextEdit& pane)
    : CDotTextPdf(*pane.document(), pane.font(), pane.logicalDpiY())
{
}

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
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setResolution(m_nResolution);
    writer.setPageLayout(m_layout);
    return CDotTextPrinter(m_szText, m_font, m_nSourceDpi).CountPages(writer);
}

// Printable ASCII, which every listing of a picture is, is written by the
// fast writer in the PDF's Courier at the same size and line spacing.
QByteArray CDotTextPdf::RenderPlain() const
{
    QBuffer scratch;
    scratch.open(QIODevice::WriteOnly);
    QPdfWriter metrics(&scratch);
    metrics.setResolution(m_nResolution);
    metrics.setPageLayout(m_layout);
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
        QBuffer buffer(&bytes);
        if (!buffer.open(QIODevice::WriteOnly))
            return {};
        QPdfWriter writer(&buffer);
        writer.setTitle(QStringLiteral("Untitled"));
        writer.setResolution(m_nResolution);
        writer.setPageLayout(m_layout);
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
