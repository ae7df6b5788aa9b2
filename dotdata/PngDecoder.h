#pragma once

#include "dotdata/DecodedPicture.h"

class QIODevice;

// Reads PNG files through Qt's reader, keeping the top-left part inside the
// limit. The file size and the decoded size are capped, so a small file that
// declares a huge picture is refused before any pixel is allocated.
class CPngDecoder
{
public:
    static bool IsPng(const QByteArray& head);
    static bool Decode(QIODevice& device, QSize limit, DecodedPicture& out);
};
