#pragma once

#include "base/CanvasText.h"
#include "base/DotGrid.h"
#include "base/ExportOptions.h"
#include "base/Outcome.h"

#include <QString>
#include <QStringList>

#include <array>
#include <vector>

// What an exporter writes from: the dots, the text state the text-mode
// listing names its characters from, and how a controller's bytes are made.
struct SExportSource
{
    const CDotGrid& grid;
    const CCanvasText& text;
    SExportOptions options = {};
};

// One file format the canvas can be written as.
struct SExporter
{
    enum EFamily { Picture, Listing, Controller };

    const char* szName;                        // dialog filter name, e.g. "BMP"
    EFamily nFamily;                           // Save Image offers pictures, Save Dot listings, Export controller forms
    std::array<const char*, 4> aszExtensions;  // lower case, no dot, first is the default; may end in nulls
    COutcome (*pfnWrite)(const SExportSource& source, const QString& path);

    QStringList Extensions() const;
    bool HasExtension(const QString& suffix) const;
    // "BMP (*.bmp)": Qt's file dialogs separate the patterns with blanks.
    QString DialogFilter() const;
};

// One form File > Export offers: an exporter and one of its extensions.
struct SExportChoice
{
    const SExporter* pExporter;
    QString szExtension;
};

// Every format the canvas can be written as. Save Image picks a picture
// format by the file's extension and refuses one it does not know; a name
// without extension is a JPEG. Save Dot writes the listing whatever the
// name. File > Export writes the controller forms and the lossless picture
// (PNG), by extension. Dialog filters and the batch help come from here.
class CExportRegistry
{
public:
    static const std::vector<SExporter>& All();
    // The exporters of a family, in registry order.
    static std::vector<const SExporter*> Family(SExporter::EFamily family);

    // The picture format for a path: by the extension of the file name (any
    // letter case); a name without one is a JPEG. Null for another extension.
    static const SExporter* PictureFor(const QString& path);
    static const SExporter& ListingExporter();

    // Writes the picture the path names, refusing an unknown extension.
    static COutcome WritePicture(const SExportSource& source, const QString& path);
    // The dialog filters of a family, the first being the default.
    static QStringList DialogFilters(SExporter::EFamily family);
    // "bmp, jpg, jpeg, jpe": for help texts.
    static QString ExtensionList(SExporter::EFamily family);

    // File > Export's forms, one per extension: the controller forms, then
    // the lossless picture.
    static std::vector<SExportChoice> ExportChoices();
    // The form of File > Export a path names by its extension (any letter
    // case); null for any other.
    static const SExporter* ExportFor(const QString& path);
    // Writes the form the path names, refusing any other extension.
    static COutcome WriteExport(const SExportSource& source, const QString& path);
};
