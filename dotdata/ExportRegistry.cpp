#include "dotdata/ExportRegistry.h"

#include "dotdata/DotFile.h"
#include "dotdata/DotListing.h"
#include "dotdata/ImageExport.h"
#include "dotdata/SaveDot.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace {

QString Tr(const char* text)
{
    return QCoreApplication::translate("CExportRegistry", text);
}

COutcome FromError(bool written, const QString& error)
{
    return written ? COutcome::Ok() : COutcome::Failed(error);
}

COutcome WriteBmp(const SExportSource& source, const QString& path)
{
    QString error;
    const bool written = CImageExport::WriteBmp(source.grid, path, error);
    return FromError(written, error);
}

COutcome WriteJpeg(const SExportSource& source, const QString& path)
{
    QString error;
    const bool written = CImageExport::WriteJpeg(source.grid, path, error);
    return FromError(written, error);
}

COutcome WriteListing(const SExportSource& source, const QString& path)
{
    if (source.grid.IsEmpty())
        return COutcome::Failed(Tr("The canvas has no dots."));
    if (CDotFile::Write(path, CDotFile::Bytes(CDotListing::Whole(source.grid, source.text))))
        return COutcome::Ok();
    return COutcome::Failed(CSaveDot::FailureMessage(path));
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
        {"BMP", SExporter::Picture, {"bmp", nullptr, nullptr, nullptr}, WriteBmp},
        {"JPG", SExporter::Picture, {"jpg", "jpeg", "jpe", nullptr}, WriteJpeg},
        {"TXT", SExporter::Listing, {"txt", nullptr, nullptr, nullptr}, WriteListing},
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
    const QString suffix = QFileInfo(path).suffix();
    // A name without extension has always been written as a JPEG.
    const QString wanted = suffix.isEmpty() ? QStringLiteral("jpg") : suffix;
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
        return COutcome::Failed(Tr("The canvas has no dots."));
    const SExporter* exporter = PictureFor(path);
    if (!exporter)
        return COutcome::Failed(Tr("Pictures can be saved as %1 only.").arg(ExtensionList(SExporter::Picture)));
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
