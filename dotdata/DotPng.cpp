#include "dotdata/DotPng.h"

#include "base/DotGrid.h"
#include "dotdata/PngChunks.h"

#include <QBuffer>
#include <QImage>
#include <QImageReader>
#include <QtEndian>

#include <zlib.h>

#include <cstring>
#include <limits>
#include <vector>

namespace {

constexpr std::uint8_t kFilterSub = 1;
constexpr int kBitDepth = 8;
constexpr int kColorTypeRgb = 2;

QByteArray HeaderData(std::uint32_t width, std::uint32_t height)
{
    QByteArray data(13, '\0');
    qToBigEndian(width, data.data());
    qToBigEndian(height, data.data() + 4);
    data[8] = kBitDepth;
    data[9] = kColorTypeRgb;
    return data; // deflate compression, adaptive filtering, no interlace: all 0
}

// One display row as a filtered PNG scanline: the filter byte, then each
// byte minus the same byte of the dot to its left, in red-green-blue order.
void FilterRow(const std::uint8_t* bgr, int width, std::uint8_t* out)
{
    out[0] = kFilterSub;
    std::uint8_t left[3] = {0, 0, 0};
    for (int x = 0; x < width; ++x) {
        const std::uint8_t rgb[3] = {bgr[3 * x + 2], bgr[3 * x + 1], bgr[3 * x]};
        for (int k = 0; k < 3; ++k) {
            out[1 + 3 * x + k] = static_cast<std::uint8_t>(rgb[k] - left[k]);
            left[k] = rgb[k];
        }
    }
}

// The zlib stream of all rows; null when zlib fails or memory runs out.
QByteArray CompressRows(const CDotGrid& grid, int width, int height)
{
    const std::size_t rowBytes = 1 + 3u * static_cast<std::size_t>(width);
    const std::size_t rawBytes = rowBytes * static_cast<std::size_t>(height);
    z_stream stream {};
    if (deflateInit2(&stream, Z_BEST_SPEED, Z_DEFLATED, 15, 8, Z_RLE) != Z_OK)
        return {};
    const uLong bound = deflateBound(&stream, static_cast<uLong>(rawBytes));
    if (bound > static_cast<uLong>(std::numeric_limits<qsizetype>::max() / 2)) {
        deflateEnd(&stream);
        return {};
    }
    QByteArray out(static_cast<qsizetype>(bound), Qt::Uninitialized);
    std::vector<std::uint8_t> row(rowBytes, 0);
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = static_cast<uInt>(bound);
    int status = Z_OK;
    for (int y = 0; y < height && status == Z_OK; ++y) {
        if (!grid.IsEmpty())
            FilterRow(grid.DisplayRowBits(y), width, row.data());
        stream.next_in = row.data();
        stream.avail_in = static_cast<uInt>(rowBytes);
        status = deflate(&stream, y + 1 == height ? Z_FINISH : Z_NO_FLUSH);
    }
    const uLong written = stream.total_out;
    deflateEnd(&stream);
    if (status != Z_STREAM_END)
        return {};
    out.truncate(static_cast<qsizetype>(written));
    return out;
}

} // namespace

QByteArray CDotPng::Encode(const CDotGrid& grid, const QByteArray& extraChunk)
{
    const int width = grid.IsEmpty() ? 1 : grid.Width();
    const int height = grid.IsEmpty() ? 1 : grid.Height();
    const QByteArray pixels = CompressRows(grid, width, height);
    if (pixels.isNull())
        return {};
    const QByteArray header = HeaderData(static_cast<std::uint32_t>(width), static_cast<std::uint32_t>(height));
    QByteArray png;
    png.reserve(CPngChunks::kSignatureSize + 3 * 12 + header.size() + extraChunk.size() + pixels.size());
    png.append(CPngChunks::kSignature, CPngChunks::kSignatureSize);
    png.append(CPngChunks::MakeChunk("IHDR", header));
    png.append(extraChunk);
    png.append(CPngChunks::MakeChunk("IDAT", pixels));
    png.append(CPngChunks::MakeChunk("IEND", QByteArray()));
    return png;
}

bool CDotPng::Decode(const QByteArray& png, int width, int height, int mode, CDotGrid& grid)
{
    CPngChunks chunks;
    // The header is checked first so that a picture of another size is never
    // decompressed.
    if (chunks.Parse(png) != CPngChunks::Ok || chunks.Width() != width || chunks.Height() != height)
        return false;
    QBuffer buffer;
    buffer.setData(png);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "png");
    QImage picture;
    if (!reader.read(&picture) || picture.width() != width || picture.height() != height)
        return false;
    const QImage rgb = picture.convertToFormat(QImage::Format_RGB888);
    CDotGrid read;
    if (rgb.isNull() || !read.Create(width, height, mode))
        return false;
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* src = rgb.constScanLine(y);
        std::uint8_t* dst = read.DisplayRowBits(y);
        for (int i = 0; i < 3 * width; i += 3) {
            dst[i] = src[i + 2];
            dst[i + 1] = src[i + 1];
            dst[i + 2] = src[i];
        }
    }
    grid = std::move(read);
    return true;
}
