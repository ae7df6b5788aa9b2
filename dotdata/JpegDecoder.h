#pragma once

#include "dotdata/DecodedPicture.h"

class QIODevice;

// Reads JPEG files through Qt's reader, decoding only the top-left part inside
// the limit. Before decoding, the markers are checked: files without an end
// marker after the first scan, or with too little data for their declared
// size, are truncated; files whose decoding would have to hold every
// coefficient of the image in memory (progressive or multi-scan files) are
// refused when that memory would be absurd.
class CJpegDecoder
{
public:
    static bool IsJpeg(const QByteArray& head);
    static bool Decode(QIODevice& device, QSize limit, DecodedPicture& out);
};
