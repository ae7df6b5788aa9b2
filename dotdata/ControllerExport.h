#pragma once

#include "base/ExportOptions.h"

#include <QByteArray>
#include <QString>

class CDotGrid;

// Controller exports as files: a C array (.c, .h), raw bytes (.bin) or
// Intel HEX (.hex), chosen by the extension in any letter case; and the
// raw and hex forms read back onto a canvas.
class CControllerExport
{
public:
    enum Format { None, CArray, Raw, IntelHex };

    static Format FormatOf(const QString& path);

    // The whole file for the grid; name is the C array's (only C uses it).
    // False with a reason when the options do not fit the canvas.
    static bool Render(const CDotGrid& grid, const SExportOptions& options, Format format, const QString& name,
                       QByteArray& content, QString& error);
    // Writes the file through a save file: a failed write leaves an existing
    // file as it was. An extension that names no controller format is refused.
    static bool Write(const CDotGrid& grid, const SExportOptions& options, const QString& path, QString& error);
    // The same in the given format, whatever the name. A target that is not
    // a regular file (a FIFO, a device, a folder) is refused and left alone.
    static bool WriteAs(const CDotGrid& grid, const SExportOptions& options, Format format, const QString& path,
                        QString& error);

    // Reads a .bin or .hex export made for a canvas of the grid's size with
    // these options and redraws the grid's dots from it (mono dots in
    // monoColorIndex). Only a regular file is read, no larger than such an
    // export can be; a raw file must hold exactly the bytes the canvas takes.
    // False with a reason, the grid unchanged, otherwise. name, when given,
    // is the file's name as the user gave it, which path only reaches (a
    // stand-in such as /proc/self/fd/N): its extension says the form, and
    // messages name it.
    static bool Read(const QString& path, const SExportOptions& options, int monoColorIndex, CDotGrid& grid,
                     QString& error, const QString& name = QString());
};
