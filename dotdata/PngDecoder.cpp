#include "dotdata/PngDecoder.h"

#include <QIODevice>
#include <QImageReader>

namespace {

// Far beyond any picture that fits a canvas; larger files are not read at all.
constexpr qint64 kMaxFileBytes = qint64{64} * 1024 * 1024;
// The whole picture is decoded before it is cut to the canvas: 32 MB holds
// a 2,896 x 2,896 picture at four bytes a pixel.
constexpr int kAllocationLimitMB = 32;
constexpr qint64 kMaxDecodedBytes = qint64{kAllocationLimitMB} * 1024 * 1024;

} // namespace

bool CPngDecoder::IsPng(const QByteArray& head)
{
    return head.startsWith("\x89PNG");
}

bool CPngDecoder::Decode(QIODevice& device, QSize limit, DecodedPicture& out)
{
    out = DecodedPicture();
    if (device.size() > kMaxFileBytes)
        return false;
    QImageReader reader(&device, "png");
    reader.setAllocationLimit(kAllocationLimitMB);
    reader.setAutoTransform(false);
    const QSize size = reader.size();
    if (!size.isValid() || size.isEmpty() || qint64{size.width()} * size.height() * 4 > kMaxDecodedBytes)
        return false;
    const QSize keep = size.boundedTo(limit);
    const QImage image = reader.read();
    if (image.isNull() || image.size() != size)
        return false;
    // Transparent pixels count as the colour they carry, as in a BMP.
    out.pixels = image.copy(QRect(QPoint(0, 0), keep)).convertToFormat(QImage::Format_BGR888);
    if (out.pixels.isNull())
        return false;
    out.size = size;
    return true;
}
