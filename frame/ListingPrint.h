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
// message, and nothing else happens. A job of more than kAskAbovePages pages
// is printed only after the user says yes.
class CListingPrint
{
public:
    static constexpr int kAskAbovePages = 100;

    // language: the menus' (0 English, 1 Simplified, 2 Traditional Chinese).
    CListingPrint(const CFrameDialogs& dialogs, const CListingDocument& listing, int language = 0);

    void Run() const;

    // The steps of Run, each telling its own failure.
    bool PrintOnPaper(QPagedPaintDevice& device) const;
    bool PrintToPdf(const QString& path, const QPageLayout* layout, int resolution) const;

    static QString PrinterFailureMessage();
    static QString ManyPagesQuestion(int language, int pages);

private:
    const CFrameDialogs& m_dialogs;
    bool MayPrint(int pages) const;

    const CListingDocument& m_listing;
    int m_nLanguage;
};
