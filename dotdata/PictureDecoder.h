#pragma once

#include "dotdata/DecodedPicture.h"

class QIODevice;
class QString;

// Decodes a BMP, PNG or JPEG picture, recognised by its content, never by a file
// name. Only the top-left part inside the limit is decoded.
class CPictureDecoder
{
public:
    // Far beyond any real picture: BMP rows outside the canvas are skipped,
    // not read, and JPEG files have a smaller cap of their own.
    static constexpr qint64 kMaxFileBytes = qint64{1} << 30;

    static bool Decode(QIODevice& device, QSize limit, DecodedPicture& out);
    // The same on a file, opened only when it is a regular file of at most
    // kMaxFileBytes (never blocking on a FIFO); when false, why is a short
    // sentence naming the file and what is wrong with it.
    static bool DecodeFile(const QString& path, QSize limit, DecodedPicture& out, QString& why);
    // Whether the file starts as a BMP, PNG or JPEG picture does (a regular file
    // only; nothing else is read).
    static bool IsPictureFile(const QString& path);
};
