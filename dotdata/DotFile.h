#pragma once

#include "dotdata/DotListing.h"

#include <QByteArray>
#include <QString>

class QSaveFile;

// A dot-data listing as a file: the pane's text in UTF-8 with every
// paragraph break written as CR LF, nothing added before or after.
class CDotFile
{
public:
    static QByteArray Bytes(const QString& paneText);
    // The same bytes for the listing of grid and text, made chunk by chunk:
    // the listing is never held whole as text, which for a full canvas
    // would take some 60 MB of new memory on the way to 9.5 MB of file.
    static QByteArray ListingBytes(const CDotGrid& grid, const CCanvasText& text,
                                   int chunkChars = CDotListing::kDefaultChunkChars);

    // Writes bytes to path, replacing the file only once everything has been
    // written: a failed write leaves an existing file as it was. A target
    // that is not a regular file is refused (see CSaveTarget).
    static bool Write(const QString& path, const QByteArray& bytes);
    // The same on a save file the caller has named (and may have extended).
    // Every write and the flush are checked before committing: a short write
    // would otherwise still be committed as a complete file.
    static bool Write(QSaveFile& file, const QByteArray& bytes);
};
