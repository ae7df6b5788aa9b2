#pragma once

#include <QByteArray>
#include <QString>

// A file name given on the command line as the bytes the file system holds.
// Qt's file classes take names as text and turn bytes that are not UTF-8
// into replacement characters, so such a name would open nothing and save
// under another name. This class gives the program's file functions a path
// in text that reaches the same file:
// - for reading, the file itself, held open, through /proc/self/fd;
// - for writing, a stand-in file beside the target (its folder held open),
//   which Commit() renames onto the target: onto the file a symbolic link
//   points to, in that file's mode, never onto what is not a regular file.
// A name that is valid UTF-8 is used as it is.
class CByteFileName
{
public:
    explicit CByteFileName(QByteArray name);
    ~CByteFileName();
    CByteFileName(const CByteFileName&) = delete;
    CByteFileName& operator=(const CByteFileName&) = delete;

    static bool IsUtf8(const QByteArray& bytes);

    // The name for messages (bytes that are not UTF-8 shown as U+FFFD).
    QString Display() const { return QString::fromUtf8(m_abName); }
    // A path to read the file through; the name as text when it cannot be opened.
    QString ReadPath();
    // A path to write the new file into; empty with error set when the
    // target may not be replaced or its folder cannot be reached.
    QString WritePath(QString& error);
    // Puts what was written to WritePath() in place; false with error set.
    bool Commit(QString& error);

private:
    QByteArray m_abName;
    int m_nFd = -1;         // the file (reading) or its folder (writing)
    QByteArray m_abLeaf;    // the target's name inside that folder
    QByteArray m_abStandIn; // the stand-in's name inside that folder
};
