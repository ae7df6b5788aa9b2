#pragma once

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// A scratch directory for one test, removed afterwards.
class CScratchDir
{
public:
    QString FilePath(const QString& name) const { return m_dir.filePath(name); }
    QString Path() const { return m_dir.path(); }

private:
    QTemporaryDir m_dir;
};

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
