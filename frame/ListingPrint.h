#pragma once

#include <QString>

class CListingDocument;
class QPageLayout;
class QPagedPaintDevice;
struct CFrameDialogs;

// File > Print of the dot listing. With a printer: the print dialog, then
// paper, or a PDF file when the dialog's file printer was chosen. Without
// one: a PDF file named in a save dialog. PDF files are made by CDotTextPdf,
// complete before they replace anything. Whatever fails is told in one
// message, and nothing else happens.
class CListingPrint
{
public:
    CListingPrint(const CFrameDialogs& dialogs, const CListingDocument& listing);

    void Run() const;

    // The steps of Run, each telling its own failure.
    bool PrintOnPaper(QPagedPaintDevice& device) const;
    bool PrintToPdf(const QString& path, const QPageLayout* layout, int resolution) const;

    static QString PrinterFailureMessage();

private:
    const CFrameDialogs& m_dialogs;
    const CListingDocument& m_listing;
};
