#include "dotdata/ExportRegistry.h"

#include "base/MessageTexts.h"
#include "base/QuotedText.h"
#include "dotdata/ControllerExport.h"
#include "dotdata/DotFile.h"
#include "dotdata/DotListing.h"
#include "dotdata/ImageExport.h"
#include "dotdata/SaveDot.h"

#include <QFileInfo>

namespace {

COutcome FromError(bool written, const QString& error)
{
    return written ? COutcome::Ok() : COutcome::Failed(error);
}

template <CImageExport::Format format>
COutcome WritePictureAs(const SExportSource& source, const QString& path)
{
    QString error;
    const bool written = CImageExport::WriteAs(source.grid, path, format, error);
    return FromError(written, error);
}

template <CControllerExport::Format format>
COutcome WriteControllerAs(const SExportSource& source, const QString& path)
{
    QString error;
    const bool written = CControllerExport::WriteAs(source.grid, source.options, format, path, error);
    return FromError(written, error);
}

COutcome WriteListing(const SExportSource& source, const QString& path)
{
    if (source.grid.IsEmpty())
        return COutcome::Failed(MessageText::English(MessageText::NoDots));
    return CSaveDot::WriteBytes(path, CDotFile::ListingBytes(source.grid, source.text));
}

} // namespace

QStringList SExporter::Extensions() const
{
    QStringList list;
    for (const char* extension : aszExtensions) {
        if (extension)
            list << QString::fromLatin1(extension);
    }
    return list;
}

bool SExporter::HasExtension(const QString& suffix) const
{
    return Extensions().contains(suffix, Qt::CaseInsensitive);
}

QString SExporter::DialogFilter() const
{
    QStringList patterns;
    for (const QString& extension : Extensions())
        patterns << QStringLiteral("*.") + extension;
    return QStringLiteral("%1 (%2)").arg(QLatin1String(szName), patterns.join(QLatin1Char(' ')));
}

const std::vector<SExporter>& CExportRegistry::All()
{
    static const std::vector<SExporter> exporters = {
        {"BMP", SExporter::Picture, {"bmp", nullptr, nullptr, nullptr}, WritePictureAs<CImageExport::Bmp>},
        {"JPG", SExporter::Picture, {"jpg", "jpeg", "jpe", nullptr}, WritePictureAs<CImageExport::Jpeg>},
        {"PNG", SExporter::Picture, {"png", nullptr, nullptr, nullptr}, WritePictureAs<CImageExport::Png>},
        {"TXT", SExporter::Listing, {"txt", nullptr, nullptr, nullptr}, WriteListing},
        {"C array", SExporter::Controller, {"h", "c", nullptr, nullptr}, WriteControllerAs<CControllerExport::CArray>},
        {"Raw bytes", SExporter::Controller, {"bin", nullptr, nullptr, nullptr}, WriteControllerAs<CControllerExport::Raw>},
        {"Intel HEX", SExporter::Controller, {"hex", nullptr, nullptr, nullptr},
         WriteControllerAs<CControllerExport::IntelHex>},
    };
    return exporters;
}

std::vector<const SExporter*> CExportRegistry::Family(SExporter::EFamily family)
{
    std::vector<const SExporter*> found;
    for (const SExporter& exporter : All()) {
        if (exporter.nFamily == family)
            found.push_back(&exporter);
    }
    return found;
}

const SExporter* CExportRegistry::PictureFor(const QString& path)
{
    const QString ending = CImageExport::NameEnding(path);
    // A name without an ending has always been written as a JPEG.
    const QString wanted = ending.isEmpty() ? QStringLiteral("jpg") : ending;
    for (const SExporter* exporter : Family(SExporter::Picture)) {
        if (exporter->HasExtension(wanted))
            return exporter;
    }
    return nullptr;
}

const SExporter& CExportRegistry::ListingExporter()
{
    return *Family(SExporter::Listing).front();
}

COutcome CExportRegistry::WritePicture(const SExportSource& source, const QString& path)
{
    if (source.grid.IsEmpty())
        return COutcome::Failed(MessageText::English(MessageText::NoDots));
    const SExporter* exporter = PictureFor(path);
    if (!exporter) {
        return COutcome::Failed(
            MessageText::English(MessageText::NotAPictureKind, {CQuotedText::Quote(QFileInfo(path).fileName())}));
    }
    return exporter->pfnWrite(source, path);
}

QStringList CExportRegistry::DialogFilters(SExporter::EFamily family)
{
    QStringList filters;
    for (const SExporter* exporter : Family(family))
        filters << exporter->DialogFilter();
    return filters;
}

QString CExportRegistry::ExtensionList(SExporter::EFamily family)
{
    QStringList extensions;
    for (const SExporter* exporter : Family(family))
        extensions << exporter->Extensions();
    return extensions.join(QStringLiteral(", "));
}

std::vector<SExportChoice> CExportRegistry::ExportChoices()
{
    std::vector<SExportChoice> choices;
    for (const SExporter* exporter : Family(SExporter::Controller)) {
        for (const QString& extension : exporter->Extensions())
            choices.push_back({exporter, extension});
    }
    // A picture a controller tool can take without losing a dot.
    const QString lossless = QStringLiteral("png");
    choices.push_back({PictureFor(QStringLiteral("sign.") + lossless), lossless});
    return choices;
}

const SExporter* CExportRegistry::ExportFor(const QString& path)
{
    const QString ending = CImageExport::NameEnding(path);
    for (const SExportChoice& choice : ExportChoices()) {
        if (choice.szExtension == ending)
            return choice.pExporter;
    }
    return nullptr;
}

COutcome CExportRegistry::WriteExport(const SExportSource& source, const QString& path)
{
    const SExporter* exporter = ExportFor(path);
    if (!exporter) {
        QStringList endings;
        for (const SExportChoice& choice : ExportChoices())
            endings << QLatin1Char('.') + choice.szExtension;
        const QString last = endings.takeLast();
        return COutcome::Failed(MessageText::English(
            MessageText::NoExportForm,
            {CQuotedText::Quote(QFileInfo(path).fileName()), endings.join(QStringLiteral(", ")), last}));
    }
    if (exporter->nFamily == SExporter::Picture && source.grid.IsEmpty())
        return COutcome::Failed(MessageText::English(MessageText::NoDots));
    return exporter->pfnWrite(source, path);
}
