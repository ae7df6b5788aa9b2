// The JPEG checks and the clipped decoding behind them on arbitrary bytes.
#include "dotdata/JpegDecoder.h"
#include "fuzz/FuzzSupport.h"

#include <QBuffer>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    EnsureApplication();
    QByteArray bytes = InputOf(data, size);
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    DecodedPicture picture;
    if (CJpegDecoder::Decode(buffer, QSize(1024, 768), picture)) {
        if (picture.pixels.width() > 1024 || picture.pixels.height() > 768)
            __builtin_trap();
    }
    return 0;
}
