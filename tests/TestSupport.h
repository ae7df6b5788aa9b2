#pragma once

#include "base/DotGrid.h"
#include "base/LogFont.h"

#include <QSaveFile>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <algorithm>
#include <initializer_list>
#include <utility>

// A scratch directory for one test, removed afterwards.
class CScratchDir
{
public:
    QString FilePath(const QString& name) const { return m_dir.filePath(name); }
    QString Path() const { return m_dir.path(); }

private:
    QTemporaryDir m_dir;
};

// A save file on a disk that fills up after `room` bytes.
class CFillingSaveFile : public QSaveFile
{
public:
    CFillingSaveFile(const QString& path, qint64 room) : QSaveFile(path), m_nRoom(room) {}

protected:
    qint64 writeData(const char* data, qint64 len) override
    {
        const qint64 n = std::min(len, m_nRoom);
        m_nRoom -= n;
        return n == 0 ? -1 : QSaveFile::writeData(data, n);
    }

private:
    qint64 m_nRoom;
};

// A font of the given face and height, everything else as default.
inline LogFont FontOf(const char* face, int height)
{
    LogFont lf;
    lf.lfFaceName = QString::fromUtf8(face);
    lf.lfHeight = height;
    return lf;
}

// An image-mode canvas of the background colour with the given dots lit,
// each (x, y) counted from the top left.
CDotGrid GridWithDots(int width, int height, std::initializer_list<std::pair<int, int>> dots, COLORREF colour,
                      COLORREF background = 0);

// Makes a FIFO at path, which nothing writes to: reading it would block.
// False when it cannot be made.
bool MakeFifo(const QString& path);

// The whole content of a file as bytes; empty when it cannot be read.
QByteArray ReadAll(const QString& path);
// Writes bytes to a file, replacing it.
bool WriteAll(const QString& path, const QByteArray& bytes);

// The result of running the built pellmark program.
struct SProcessResult
{
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

// Runs the pellmark program beside the test program, without a display.
SProcessResult RunPellmark(const QStringList& arguments);

// What a PDF file says, read back by the poppler tools (pdftotext, pdfinfo):
// its text, empty when it cannot be read, and its number of pages, -1 then.
QString PdfText(const QString& path);
int PdfPageCount(const QString& path);
