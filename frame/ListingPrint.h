#pragma once

#include "base/Outcome.h"

#include <QString>

#include <functional>

class CListingDocument;
class QPageLayout;
class QPagedPaintDevice;
struct CFrameDialogs;
struct SSpoolJob;

// File > Print of the dot listing. With a printer: the print dialog, then
// paper, or a PDF file when the dialog's file printer was chosen. Paper on a
// spooler queue gets the same PDF, handed to the spooler; other printers are
// painted page by page. Without
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

    using SpoolFunction = std::function<COutcome(const SSpoolJob&, const QByteArray&)>;
    // Where paper jobs for a spooler queue go (the system's spooler unless
    // replaced, as tests do).
    void SetSpool(SpoolFunction spool) { m_fnSpool = std::move(spool); }

    // The steps of Run, each telling its own failure.
    bool PrintOnPaper(QPagedPaintDevice& device) const;
    bool SpoolOnPaper(const QPageLayout& layout, int resolution, const SSpoolJob& job) const;
    bool PrintToPdf(const QString& path, const QPageLayout* layout, int resolution) const;

    static QString PrinterFailureMessage();
    static QString ManyPagesQuestion(int language, int pages);
    // Whether a job of pages may go ahead: at once up to kAskAbovePages,
    // beyond that only after a yes.
    bool MayPrint(int pages) const;

private:
    const CFrameDialogs& m_dialogs;

    const CListingDocument& m_listing;
    int m_nLanguage;
    SpoolFunction m_fnSpool;
};
