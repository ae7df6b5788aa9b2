// The BMP decoder on arbitrary bytes, with the canvas limit of the program.
#include "dotdata/BmpDecoder.h"
#include "fuzz/FuzzSupport.h"

#include <QBuffer>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    EnsureApplication();
    QByteArray bytes = InputOf(data, size);
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    DecodedPicture picture;
    if (CBmpDecoder::Decode(buffer, QSize(1024, 768), picture) && !picture.pixels.isNull()) {
        // The decoded corner is never larger than the limit or the picture.
        if (picture.pixels.width() > 1024 || picture.pixels.height() > 768
            || picture.pixels.width() > picture.size.width() || picture.pixels.height() > picture.size.height())
            __builtin_trap();
    }
    return 0;
}
