#include "dotdata/PictureDecoder.h"

#include "dotdata/BmpDecoder.h"
#include "dotdata/JpegDecoder.h"

#include <QIODevice>

bool CPictureDecoder::Decode(QIODevice& device, QSize limit, DecodedPicture& out)
{
    out = DecodedPicture();
    if (!device.isOpen() || device.isSequential() || !limit.isValid() || limit.isEmpty())
        return false;
    const QByteArray head = device.peek(4);
    if (CBmpDecoder::IsBmp(head))
        return CBmpDecoder::Decode(device, limit, out);
    if (CJpegDecoder::IsJpeg(head))
        return CJpegDecoder::Decode(device, limit, out);
    return false;
}
