#include "frame/PrintSpool.h"

#include <QPrintEngine>
#include <QPrinter>
#include <QTemporaryFile>

#ifdef PELLMARK_HAVE_CUPS
#include <cups/cups.h>
#endif

namespace {

// Qt's CUPS print engine keeps the options of its dialog's printer pages
// under this property, as option names and values in turn. Other engines
// have no such property and give an empty list.
constexpr auto kCupsOptionsProperty = QPrintEngine::PrintEnginePropertyKey(0xfe00);

#ifdef PELLMARK_HAVE_CUPS
// The options of one job, freed with it.
class CSpoolOptions
{
public:
    CSpoolOptions() = default;
    CSpoolOptions(const CSpoolOptions&) = delete;
    CSpoolOptions& operator=(const CSpoolOptions&) = delete;
    ~CSpoolOptions() { cupsFreeOptions(m_nCount, m_pOptions); }

    // A later value of a name replaces the earlier one.
    void Add(const QString& name, const QString& value)
    {
        m_nCount = cupsAddOption(name.toUtf8().constData(), value.toUtf8().constData(), m_nCount, &m_pOptions);
    }
    int Count() const { return m_nCount; }
    cups_option_t* Options() const { return m_pOptions; }

private:
    int m_nCount = 0;
    cups_option_t* m_pOptions = nullptr;
};
#endif

} // namespace

QString CPrintSpool::Sides(QPrinter::DuplexMode duplex, QPageLayout::Orientation orientation)
{
    switch (duplex) {
    case QPrinter::DuplexNone:
        break;
    case QPrinter::DuplexLongSide:
        return QStringLiteral("two-sided-long-edge");
    case QPrinter::DuplexShortSide:
        return QStringLiteral("two-sided-short-edge");
    case QPrinter::DuplexAuto:
        // Pages turn about their long edge as read: the paper's long edge
        // upright, its short edge on landscape pages.
        return orientation == QPageLayout::Portrait ? QStringLiteral("two-sided-long-edge")
                                                    : QStringLiteral("two-sided-short-edge");
    }
    return QStringLiteral("one-sided");
}

bool CPrintSpool::CanSpool(const QPrinter& printer)
{
#ifdef PELLMARK_HAVE_CUPS
    return printer.outputFormat() == QPrinter::NativeFormat && !printer.printerName().isEmpty();
#else
    (void)printer;
    return false;
#endif
}

SSpoolJob CPrintSpool::JobFor(const QPrinter& printer, const QString& title)
{
    SSpoolJob job{printer.printerName(), title, {}};
    // The paper the file's pages were made for.
    job.aszOptions << QStringLiteral("media") << printer.pageLayout().pageSize().key();
    if (printer.copyCount() > 1) {
        job.aszOptions << QStringLiteral("copies") << QString::number(printer.copyCount());
        job.aszOptions << QStringLiteral("collate")
                       << (printer.collateCopies() ? QStringLiteral("true") : QStringLiteral("false"));
    }
    job.aszOptions << QStringLiteral("sides") << Sides(printer.duplex(), printer.pageLayout().orientation());
    QPrintEngine* engine = printer.printEngine();
    const QStringList dialogOptions = engine ? engine->property(kCupsOptionsProperty).toStringList() : QStringList();
    // A list of pairs only: anything else is not what this property holds.
    if (dialogOptions.size() % 2 == 0)
        job.aszOptions += dialogOptions;
    return job;
}

COutcome CPrintSpool::Submit(const SSpoolJob& job, const QByteArray& pdf)
{
#ifdef PELLMARK_HAVE_CUPS
    QTemporaryFile file;
    if (!file.open() || file.write(pdf) != pdf.size() || !file.flush())
        return COutcome::Failed(file.errorString());
    CSpoolOptions options;
    for (qsizetype i = 0; i + 1 < job.aszOptions.size(); i += 2)
        options.Add(job.aszOptions[i], job.aszOptions[i + 1]);
    const int id = cupsPrintFile(job.szPrinter.toUtf8().constData(), QFile::encodeName(file.fileName()).constData(),
                                 job.szTitle.toUtf8().constData(), options.Count(), options.Options());
    if (id > 0)
        return COutcome::Ok();
    return COutcome::Failed(QString::fromUtf8(cupsLastErrorString()));
#else
    (void)job;
    (void)pdf;
    return COutcome::Failed(QStringLiteral("printing through the spooler is not built in"));
#endif
}
