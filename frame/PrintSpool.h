#pragma once

#include "base/Outcome.h"

#include <QByteArray>
#include <QPageLayout>
#include <QPrinter>
#include <QString>
#include <QStringList>

// A print job for the system's spooler: a finished PDF for a printer queue,
// with the choices of the print dialog as spooler options.
struct SSpoolJob
{
    QString szPrinter;
    QString szTitle;
    // Option names and values in turn: paper, copies, collation and sides, then the
    // options of the dialog's printer pages (page ranges, pages per sheet...).
    QStringList aszOptions;
};

// Hands finished PDF files to CUPS. A long listing printed this way is
// written by the program's own PDF writer in a fraction of the time Qt's
// print engine takes to paint the same pages one glyph run at a time.
class CPrintSpool
{
public:
    // Whether the printer is a spooler queue a PDF can be sent to: the
    // program was built with CUPS and the dialog chose a printer, not a file.
    static bool CanSpool(const QPrinter& printer);
    // The spooler's name for how the dialog's duplex choice prints.
    static QString Sides(QPrinter::DuplexMode duplex, QPageLayout::Orientation orientation);
    // The job the print dialog set up on printer.
    static SSpoolJob JobFor(const QPrinter& printer, const QString& title);
    // Sends the PDF; the failure says what the spooler said.
    static COutcome Submit(const SSpoolJob& job, const QByteArray& pdf);
};
