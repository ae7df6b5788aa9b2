#pragma once

#include <QString>

// Where a save may write. Saves go through QSaveFile, which writes a new file
// beside the old one and renames it into place: over a FIFO, a device node or
// a socket that would put a regular file where the system had something else.
// Such targets are refused. Symbolic links are followed (QSaveFile replaces
// the file a link points to, not the link), and a folder is refused as well.
class CSaveTarget
{
public:
    // Empty when path may be written: nothing is there yet, or a regular
    // file. Otherwise a short sentence naming the path, quoted.
    static QString Refusal(const QString& path);
};
