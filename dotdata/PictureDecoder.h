#pragma once

#include "dotdata/DecodedPicture.h"

class QIODevice;

// Decodes a BMP or JPEG picture, recognised by its content, never by a file
// name. Only the top-left part inside the limit is decoded.
class CPictureDecoder
{
public:
    // Far beyond any real picture: BMP rows outside the canvas are skipped,
    // not read, and JPEG files have a smaller cap of their own.
    static constexpr qint64 kMaxFileBytes = qint64{1} << 30;

    static bool Decode(QIODevice& device, QSize limit, DecodedPicture& out);
};
