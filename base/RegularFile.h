#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

// Opens files named by the user for reading, but only regular files: a FIFO
// would block the open or the read forever, a device such as /dev/zero never
// ends, and a folder has nothing to read. Files larger than a cap fitted to
// their use are refused before anything is read. Symbolic links are followed;
// what they point to is checked.
class CRegularFile
{
public:
    enum Status {
        Ok,
        CannotOpen, // missing, unreadable
        NotRegular, // FIFO, device, socket or folder
        TooLarge,   // more bytes than the cap
        ReadFailed,
    };

    // Opens path into file (random access, read-only) when it is a regular
    // file of at most maxBytes.
    static Status Open(const QString& path, qint64 maxBytes, QFile& file);
    // The whole content of such a file.
    static Status ReadAll(const QString& path, qint64 maxBytes, QByteArray& bytes);

    // A short sentence for the user, naming the file quoted.
    static QString Describe(Status status, const QString& path, qint64 maxBytes);
};
