#pragma once

// Builders for picture files used by the picture tests: BMP files of every
// depth written field by field, independent of the code under test, and JPEG
// files from Qt's writer.

#include "dotdata/PictureDecoder.h"

#include <QBuffer>
#include <QByteArray>
#include <QImageWriter>
#include <QImage>
#include <QtEndian>

#include <cstdint>
#include <functional>
#include <vector>

namespace testpic {

struct BmpFields
{
    int width = 1;
    int height = 1; // negative: rows stored top-down
    int bitCount = 24;
    std::uint32_t compression = 0;
    std::vector<QRgb> palette;          // for 1, 4 and 8 bits
    std::vector<std::uint32_t> masks;   // red, green, blue for bit fields
    std::function<std::uint32_t(int x, int y)> valueAt; // raw pixel, y from the top
};

inline void Put16(QByteArray& b, int at, std::uint16_t v) { qToLittleEndian(v, b.data() + at); }
inline void Put32(QByteArray& b, int at, std::uint32_t v) { qToLittleEndian(v, b.data() + at); }

inline QByteArray MakeBmp(const BmpFields& s)
{
    const int h = s.height < 0 ? -s.height : s.height;
    const int stride = (s.width * s.bitCount + 31) / 32 * 4;
    const int extra = static_cast<int>(s.palette.size() * 4 + s.masks.size() * 4);
    const int offset = 54 + extra;
    QByteArray b(offset + stride * h, '\0');
    b[0] = 'B';
    b[1] = 'M';
    Put32(b, 2, static_cast<std::uint32_t>(b.size()));
    Put32(b, 10, static_cast<std::uint32_t>(offset));
    Put32(b, 14, 40);
    Put32(b, 18, static_cast<std::uint32_t>(s.width));
    Put32(b, 22, static_cast<std::uint32_t>(s.height));
    Put16(b, 26, 1);
    Put16(b, 28, static_cast<std::uint16_t>(s.bitCount));
    Put32(b, 30, s.compression);
    Put32(b, 46, static_cast<std::uint32_t>(s.palette.size()));
    int at = 54;
    for (std::uint32_t m : s.masks) {
        Put32(b, at, m);
        at += 4;
    }
    for (QRgb c : s.palette) {
        b[at] = static_cast<char>(qBlue(c));
        b[at + 1] = static_cast<char>(qGreen(c));
        b[at + 2] = static_cast<char>(qRed(c));
        at += 4;
    }
    for (int y = 0; y < h; ++y) {
        const int fileRow = s.height > 0 ? h - 1 - y : y;
        auto* row = reinterpret_cast<std::uint8_t*>(b.data() + offset + fileRow * stride);
        for (int x = 0; x < s.width; ++x) {
            const std::uint32_t v = s.valueAt(x, y);
            if (s.bitCount >= 8) {
                for (int k = 0; k < s.bitCount / 8; ++k)
                    row[x * s.bitCount / 8 + k] = static_cast<std::uint8_t>(v >> (8 * k));
            } else {
                const int perByte = 8 / s.bitCount;
                const int shift = 8 - s.bitCount * (x % perByte + 1);
                row[x / perByte] = static_cast<std::uint8_t>(row[x / perByte] | (v << shift));
            }
        }
    }
    return b;
}

// An RLE8 BMP (bottom-up) of palette indices indexAt(x, y), y from the top:
// each row as runs of equal indices of at most 255, ended by an end-of-line
// escape, the file by an end-of-bitmap escape. Rows are encoded one at a time.
inline QByteArray MakeRle8Bmp(int w, int h, const std::vector<QRgb>& palette,
                              const std::function<std::uint8_t(int, int)>& indexAt)
{
    QByteArray data;
    for (int y = h - 1; y >= 0; --y) {
        for (int x = 0; x < w;) {
            const std::uint8_t v = indexAt(x, y);
            int run = 1;
            while (x + run < w && run < 255 && indexAt(x + run, y) == v)
                ++run;
            data.append(static_cast<char>(run)).append(static_cast<char>(v));
            x += run;
        }
        data.append(2, '\0');
    }
    data.append('\0').append('\1');
    BmpFields s;
    s.width = w;
    s.height = h;
    s.bitCount = 8;
    s.compression = 1;
    s.palette = palette;
    s.valueAt = [](int, int) { return 0u; };
    BmpFields header = s;
    header.height = 1;
    header.width = 1;
    QByteArray b = MakeBmp(header);
    const int offset = 54 + static_cast<int>(palette.size()) * 4;
    b.truncate(offset);
    Put32(b, 18, static_cast<std::uint32_t>(w));
    Put32(b, 22, static_cast<std::uint32_t>(h));
    Put32(b, 34, static_cast<std::uint32_t>(data.size()));
    b.append(data);
    Put32(b, 2, static_cast<std::uint32_t>(b.size()));
    return b;
}

// A 24-bit BMP of the colours colorAt(x, y), y from the top.
inline QByteArray MakeBmp24(int w, int h, const std::function<QRgb(int, int)>& colorAt)
{
    BmpFields s;
    s.width = w;
    s.height = h;
    s.valueAt = [&](int x, int y) { return colorAt(x, y) & 0xFFFFFFu; };
    return MakeBmp(s);
}

inline QImage MakeImage(int w, int h, const std::function<QRgb(int, int)>& colorAt)
{
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.setPixel(x, y, colorAt(x, y));
    return image;
}

inline QByteArray MakePng(const QImage& image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

inline QByteArray MakeJpeg(const QImage& image, bool progressive = false, int quality = 90)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setQuality(quality);
    writer.setProgressiveScanWrite(progressive);
    writer.write(image);
    return bytes;
}

// Replaces the size in the frame header of a JPEG file.
inline QByteArray WithJpegSize(QByteArray jpeg, int width, int height)
{
    for (int i = 2; i + 9 < jpeg.size(); ++i) {
        const auto m = static_cast<unsigned char>(jpeg[i + 1]);
        if (static_cast<unsigned char>(jpeg[i]) == 0xFF && (m == 0xC0 || m == 0xC2)) {
            qToBigEndian(static_cast<quint16>(height), jpeg.data() + i + 5);
            qToBigEndian(static_cast<quint16>(width), jpeg.data() + i + 7);
            break;
        }
    }
    return jpeg;
}

// Decodes bytes as a picture file, the top-left limit kept.
inline DecodedPicture Decode(const QByteArray& bytes, QSize limit = QSize(1024, 768))
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    DecodedPicture out;
    CPictureDecoder::Decode(buffer, limit, out);
    return out;
}

// The decoded pixel as 0xRRGGBB.
inline QRgb PixelAt(const DecodedPicture& p, int x, int y)
{
    const uchar* bgr = p.pixels.constScanLine(y) + 3 * x;
    return qRgb(bgr[2], bgr[1], bgr[0]) & 0xFFFFFF;
}

} // namespace testpic
