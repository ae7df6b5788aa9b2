#pragma once

#include "dotdata/DecodedPicture.h"

class QIODevice;

// Decodes a BMP or JPEG picture, recognised by its content, never by a file
// name. Only the top-left part inside the limit is decoded.
class CPictureDecoder
{
public:
    static bool Decode(QIODevice& device, QSize limit, DecodedPicture& out);
};
