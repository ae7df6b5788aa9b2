#pragma once

#include <QByteArray>
#include <QString>

class CDotGrid;

// The picture writers of Save Image: the grid one pixel per dot, as a BMP or
// as a JPEG at quality 100 (CExportRegistry picks one by the file's
// extension). Files are written through QSaveFile, so a failed write never
// leaves a half-written file and an existing file stays untouched.
class CImageExport
{
public:
    static bool IsBmpPath(const QString& path);
    // The 54-byte file and information header for a W x H 24-bit grid. The
    // resolution fields carry W and H: readers of these files rely on it.
    static QByteArray BmpHeader(int width, int height);
    // The format the registry gives the path. False with a readable reason
    // when the grid is empty, the extension is not a picture format's, or
    // the write fails.
    static bool Write(const CDotGrid& grid, const QString& path, QString& error);
    static bool WriteBmp(const CDotGrid& grid, const QString& path, QString& error);
    static bool WriteJpeg(const CDotGrid& grid, const QString& path, QString& error);
};
