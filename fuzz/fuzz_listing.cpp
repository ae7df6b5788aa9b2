// The dot-listing reader on arbitrary bytes. The first two bytes choose the
// canvas size, so small and full canvases are both explored.
#include "dotdata/DotListingReader.h"
#include "fuzz/FuzzSupport.h"

#include <QBuffer>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 2)
        return 0;
    EnsureApplication();
    const int width = 8 * (1 + data[0] % 128);
    const int height = 8 * (1 + data[1] % 96);
    QByteArray bytes = BytesOf(data + 2, size - 2);
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    CDotListingReader reader;
    if (reader.Read(buffer, width, height)) {
        for (const CDotListingReader::SDot& dot : reader.Dots()) {
            if (dot.x < 0 || dot.x >= width || dot.y < 0 || dot.y >= height || dot.colorIndex < 0
                || dot.colorIndex >= 7)
                __builtin_trap();
        }
    } else if (reader.Error().size() > 400) {
        __builtin_trap(); // bad input is quoted short
    }
    return 0;
}
