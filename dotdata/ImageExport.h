#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

class QIODevice;

class CDotGrid;

// The picture writers of Save Image: the grid one pixel per dot, as BMP, PNG
// or JPEG (at quality 100, full-resolution colour). CExportRegistry picks the
// format by the ending of the file name: ".bmp" gives BMP, ".png" PNG,
// ".jpg", ".jpeg", ".jpe" or no ending JPEG; any other ending asks for a
// format that is not written and is refused. Letter case does not matter. Files are written through QSaveFile, so a failed write never
// leaves a half-written file and an existing file stays untouched.
class CImageExport
{
public:
    enum Format { Bmp, Png, Jpeg, Unknown };

    // The ending of the path's file name, lower case, without the dot; empty
    // when the name has none (a leading or trailing dot names none either).
    static QString NameEnding(const QString& path);
    // The 54-byte file and information header for a W x H 24-bit grid. The
    // resolution fields carry W and H: readers of these files rely on it.
    static QByteArray BmpHeader(int width, int height);
    // False with a readable reason when the grid is empty, the name asks for
    // a format that is not written, or the write fails.
    static bool Write(const CDotGrid& grid, const QString& path, QString& error);
    // Writes the grid in the given format (not Unknown), whatever the name.
    static bool WriteAs(const CDotGrid& grid, const QString& path, Format format, QString& error);

private:
    static bool Encode(const CDotGrid& grid, Format format, QByteArray& bytes, QString& error);
    // The BMP pixel rows, each padded to a multiple of 4 bytes.
    static bool WriteBmpRows(const CDotGrid& grid, QIODevice& device);
    static bool WriteFile(const QString& path, QString& error, const std::function<bool(QIODevice&)>& write);
};
