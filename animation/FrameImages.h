#pragma once

#include <QString>

class CFrameList;

// Writes every frame as a picture of its own, numbered from 1: BMP (exactly
// as Save Image writes one) or PNG, chosen by the extension; any other
// extension is refused. "%d" in the name is replaced by the frame number;
// without it the number goes before the extension, zero-padded to the
// width of the frame count ("sign.png" gives sign-001.png ... sign-120.png).
class CFrameImages
{
public:
    static bool IsPicturePath(const QString& path);
    static QString FramePath(const QString& path, int number, int count);
    // Stops at the first file that cannot be written; the error names it.
    // written counts the files written.
    static bool Write(const CFrameList& frames, const QString& path, int& written, QString& error);
};
