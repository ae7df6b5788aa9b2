#include "dotdata/BmpDecoder.h"

#include <QIODevice>
#include <QColor>

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

namespace {

constexpr qint64 kFileHeaderSize = 14;
constexpr quint32 kCoreHeaderSize = 12;
constexpr quint32 kInfoHeaderSize = 40;
constexpr quint32 kMaskedHeaderSize = 52; // info header followed by three masks
constexpr quint32 kMaxHeaderSize = 1024;

enum : quint32 {
    kBiRgb = 0,
    kBiRle8 = 1,
    kBiRle4 = 2,
    kBiBitfields = 3,
    kBiAlphaBitfields = 6,
};

// Run-length data is read through a buffer of this size.
constexpr qint64 kStreamChunk = 64 * 1024;

quint32 U16(const uchar* p) { return quint32(p[0]) | quint32(p[1]) << 8; }
quint32 U32(const uchar* p) { return U16(p) | U16(p + 2) << 16; }
qint32 S32(const uchar* p) { return static_cast<qint32>(U32(p)); }

// One colour channel described by a bit mask.
struct Channel
{
    quint32 mask = 0;
    int shift = 0;
    quint64 max = 0;

    explicit Channel(quint32 m = 0) : mask(m)
    {
        if (!mask)
            return;
        while (!((mask >> shift) & 1u))
            ++shift;
        max = mask >> shift;
    }
    uchar Extract(quint32 v) const
    {
        if (!max)
            return 0;
        const quint64 x = (v & mask) >> shift;
        return static_cast<uchar>((x * 255 + max / 2) / max);
    }
};

using Bgr = std::array<uchar, 3>;

struct BmpLayout
{
    qint64 width = 0;
    qint64 height = 0;
    bool bottomUp = true;
    int bitCount = 0;
    quint32 compression = kBiRgb;
    qint64 dataOffset = 0;
    qint64 stride = 0;
    std::array<Channel, 3> channels; // blue, green, red
    std::vector<Bgr> palette;
};

bool ReadAt(QIODevice& device, qint64 pos, void* buffer, qint64 n)
{
    return device.seek(pos) && device.read(static_cast<char*>(buffer), n) == n;
}

bool IsSupportedDepth(int bitCount, quint32 compression)
{
    switch (compression) {
    case kBiRgb:
        return bitCount == 1 || bitCount == 4 || bitCount == 8 || bitCount == 16 || bitCount == 24
            || bitCount == 32;
    case kBiBitfields:
    case kBiAlphaBitfields:
        return bitCount == 16 || bitCount == 32;
    case kBiRle8:
        return bitCount == 8;
    case kBiRle4:
        return bitCount == 4;
    default:
        return false;
    }
}

void SetDefaultMasks(BmpLayout& l)
{
    if (l.bitCount == 16)
        l.channels = {Channel(0x001F), Channel(0x03E0), Channel(0x7C00)};
    else
        l.channels = {Channel(0x0000FF), Channel(0x00FF00), Channel(0xFF0000)};
}

bool ReadMasks(QIODevice& device, const uchar* header, quint32 headerSize, BmpLayout& l)
{
    std::array<uchar, 12> masks{};
    if (headerSize >= kMaskedHeaderSize)
        std::copy(header + kInfoHeaderSize, header + kMaskedHeaderSize, masks.begin());
    else if (!ReadAt(device, kFileHeaderSize + headerSize, masks.data(), 12))
        return false;
    l.channels = {Channel(U32(&masks[8])), Channel(U32(&masks[4])), Channel(U32(&masks[0]))};
    return l.channels[0].mask || l.channels[1].mask || l.channels[2].mask;
}

bool ReadPalette(QIODevice& device, quint32 headerSize, quint32 colorsUsed, BmpLayout& l)
{
    const quint32 maxColors = 1u << l.bitCount;
    const quint32 count = (colorsUsed == 0 || colorsUsed > maxColors) ? maxColors : colorsUsed;
    const int entrySize = headerSize == kCoreHeaderSize ? 3 : 4;
    std::vector<uchar> raw(static_cast<std::size_t>(count) * entrySize);
    if (!ReadAt(device, kFileHeaderSize + headerSize, raw.data(), static_cast<qint64>(raw.size())))
        return false;
    // Indices past the table read as black rather than out of bounds.
    l.palette.assign(maxColors, Bgr{0, 0, 0});
    for (quint32 i = 0; i < count; ++i) {
        const uchar* e = raw.data() + static_cast<std::size_t>(i) * entrySize;
        l.palette[i] = {e[0], e[1], e[2]};
    }
    return true;
}

// The size, depth and compression fields of either header form; false when
// the plane count is not 1. The old 12-byte form has unsigned 16-bit sizes.
bool ReadInfoFields(const std::vector<uchar>& header, BmpLayout& l, qint64& rawHeight, quint32& colorsUsed)
{
    if (header.size() == kCoreHeaderSize) {
        l.width = U16(&header[4]);
        rawHeight = U16(&header[6]);
        l.bitCount = static_cast<int>(U16(&header[10]));
        return U16(&header[8]) == 1;
    }
    l.width = S32(&header[4]);
    rawHeight = S32(&header[8]);
    l.bitCount = static_cast<int>(U16(&header[14]));
    l.compression = U32(&header[16]);
    colorsUsed = U32(&header[32]);
    return U16(&header[12]) == 1;
}

bool ParseHeaders(QIODevice& device, BmpLayout& l)
{
    uchar file[kFileHeaderSize];
    uchar sizeField[4];
    if (!ReadAt(device, 0, file, kFileHeaderSize) || file[0] != 'B' || file[1] != 'M')
        return false;
    if (!ReadAt(device, kFileHeaderSize, sizeField, 4))
        return false;
    const quint32 headerSize = U32(sizeField);
    if (headerSize != kCoreHeaderSize && (headerSize < kInfoHeaderSize || headerSize > kMaxHeaderSize))
        return false;
    std::vector<uchar> header(headerSize);
    if (!ReadAt(device, kFileHeaderSize, header.data(), headerSize))
        return false;

    quint32 colorsUsed = 0;
    qint64 rawHeight = 0;
    if (!ReadInfoFields(header, l, rawHeight, colorsUsed))
        return false;
    l.bottomUp = rawHeight > 0;
    l.height = rawHeight < 0 ? -rawHeight : rawHeight;
    if (l.width <= 0 || l.height <= 0 || l.height > INT32_MAX || !IsSupportedDepth(l.bitCount, l.compression))
        return false;

    l.dataOffset = U32(&file[10]);
    if (l.dataOffset < kFileHeaderSize + headerSize)
        return false;
    l.stride = (l.width * l.bitCount + 31) / 32 * 4;

    if (l.bitCount <= 8)
        return ReadPalette(device, headerSize, colorsUsed, l);
    if (l.compression == kBiBitfields || l.compression == kBiAlphaBitfields)
        return ReadMasks(device, header.data(), headerSize, l);
    SetDefaultMasks(l);
    return true;
}

// Every declared row must be in the file, the last one at least up to its
// final pixel: a shorter file is truncated and unreadable. Sizes of 2^31 - 1
// squared overflow 64 bits, so every step is checked.
bool HasAllRows(const QIODevice& device, const BmpLayout& l)
{
    const qint64 lastRowBytes = (l.width * l.bitCount + 7) / 8;
    qint64 end = 0;
    return !__builtin_mul_overflow(l.stride, l.height - 1, &end) && !__builtin_add_overflow(end, l.dataOffset, &end)
        && !__builtin_add_overflow(end, lastRowBytes, &end) && end <= device.size();
}

void ConvertRow(const BmpLayout& l, const uchar* src, uchar* dst, int count)
{
    switch (l.bitCount) {
    case 24:
        std::copy(src, src + 3 * count, dst);
        return;
    case 16:
    case 32: {
        const int bytes = l.bitCount / 8;
        for (int x = 0; x < count; ++x, src += bytes, dst += 3) {
            const quint32 v = bytes == 2 ? U16(src) : U32(src);
            dst[0] = l.channels[0].Extract(v);
            dst[1] = l.channels[1].Extract(v);
            dst[2] = l.channels[2].Extract(v);
        }
        return;
    }
    default: {
        const int perByte = 8 / l.bitCount;
        const int mask = (1 << l.bitCount) - 1;
        for (int x = 0; x < count; ++x, dst += 3) {
            const int shift = 8 - l.bitCount * (x % perByte + 1);
            const Bgr& c = l.palette[static_cast<std::size_t>((src[x / perByte] >> shift) & mask)];
            std::copy(c.begin(), c.end(), dst);
        }
        return;
    }
    }
}

bool DecodeRows(QIODevice& device, const BmpLayout& l, QSize keep, QImage& out)
{
    out = QImage(keep, QImage::Format_BGR888);
    if (out.isNull())
        return false;
    std::vector<uchar> row(static_cast<std::size_t>((qint64{keep.width()} * l.bitCount + 7) / 8));
    for (int y = 0; y < keep.height(); ++y) {
        // The file's own row order: most BMPs store the bottom row first.
        const qint64 fileRow = l.bottomUp ? l.height - 1 - y : y;
        if (!ReadAt(device, l.dataOffset + fileRow * l.stride, row.data(), static_cast<qint64>(row.size())))
            return false;
        ConvertRow(l, row.data(), out.scanLine(y), keep.width());
    }
    return true;
}

// Reads a device byte by byte through a buffer.
class ByteStream
{
public:
    // Reads from the device's present position; its size is taken once (a
    // file's size costs a system call).
    explicit ByteStream(QIODevice& device)
        : m_device(device)
        , m_buffer(kStreamChunk)
        , m_nUnread(std::max<qint64>(0, device.size() - device.pos()))
    {
    }

    bool Next(uchar& b)
    {
        if (m_pos == m_len) {
            m_len = m_device.read(reinterpret_cast<char*>(m_buffer.data()), kStreamChunk);
            m_pos = 0;
            if (m_len <= 0)
                return false;
            m_nUnread -= m_len;
        }
        b = m_buffer[static_cast<std::size_t>(m_pos++)];
        return true;
    }
    // Bytes of the device not yet handed out.
    qint64 Left() const { return m_nUnread + (m_len - m_pos); }
    bool Skip(qint64 n)
    {
        uchar b = 0;
        for (qint64 i = 0; i < n; ++i) {
            if (!Next(b))
                return false;
        }
        return true;
    }

private:
    QIODevice& m_device;
    std::vector<uchar> m_buffer;
    qint64 m_pos = 0;
    qint64 m_len = 0;
    qint64 m_nUnread; // not yet read from the device
};

// Writes decoded palette indices into the kept corner only; the pen moves
// over the whole declared picture, in file rows (bottom row first unless the
// rows are stored top-down).
class RlePen
{
public:
    RlePen(const BmpLayout& l, QImage& out) : m_l(l), m_out(out) {}

    // Whether the next pixel lands inside the kept corner.
    bool Kept() const
    {
        const qint64 display = m_l.bottomUp ? m_l.height - 1 - m_y : m_y;
        return m_x < m_out.width() && display >= 0 && display < m_out.height();
    }
    void Put(int index)
    {
        const qint64 display = m_l.bottomUp ? m_l.height - 1 - m_y : m_y;
        if (Kept()) {
            const Bgr& c = m_l.palette[static_cast<std::size_t>(index)];
            std::copy(c.begin(), c.end(), m_out.scanLine(static_cast<int>(display)) + 3 * m_x);
        }
        ++m_x;
    }
    void EndLine()
    {
        m_x = 0;
        ++m_y;
    }
    void Move(int dx, int dy)
    {
        m_x += dx;
        m_y += dy;
    }
    bool PastLastRow() const { return m_y >= m_l.height; }
    // Rows are stored in one direction only, so once the pen is below the
    // last kept row nothing further can reach the canvas. Top-down rows keep
    // the first rows, bottom-up rows the last ones.
    bool PastKeptRows() const { return m_l.bottomUp ? PastLastRow() : m_y >= m_out.height(); }
    // File rows the pen must still move down before it reaches a kept row.
    qint64 RowsBeforeKept() const { return m_l.bottomUp ? std::max<qint64>(0, m_l.height - m_out.height() - m_y) : 0; }

private:
    const BmpLayout& m_l;
    QImage& m_out;
    qint64 m_x = 0;
    qint64 m_y = 0;
};

// Absolute mode: count literal indices, padded to a 16-bit boundary.
bool ReadLiterals(ByteStream& in, RlePen& pen, int count, bool fourBit)
{
    const int bytes = fourBit ? (count + 1) / 2 : count;
    uchar b = 0;
    for (int i = 0; i < bytes; ++i) {
        if (!in.Next(b))
            return false;
        if (!fourBit) {
            pen.Put(b);
            continue;
        }
        pen.Put(b >> 4);
        if (2 * i + 1 < count)
            pen.Put(b & 15);
    }
    return in.Skip(bytes % 2);
}

void PutRun(RlePen& pen, int count, uchar value, bool fourBit)
{
    // Runs outside the kept corner only move the pen.
    int i = 0;
    for (; i < count && pen.Kept(); ++i)
        pen.Put(fourBit ? (i % 2 ? value & 15 : value >> 4) : value);
    pen.Move(count - i, 0);
}

// The most rows 'bytes' of run-length data can move the pen down: a delta
// escape of four bytes moves it 255 rows, an end of line of two bytes one.
qint64 MostRowsIn(qint64 bytes)
{
    return bytes / 4 * 255 + (bytes % 4 >= 2 ? 1 : 0);
}

// The last two bytes of the data are the end-of-bitmap escape.
bool EndsWithEndOfBitmap(QIODevice& device)
{
    uchar tail[2] = {};
    const qint64 size = device.size();
    const qint64 here = device.pos();
    const bool ends = size >= 2 && ReadAt(device, size - 2, tail, 2) && tail[0] == 0 && tail[1] == 1;
    device.seek(here);
    return ends;
}

// Run-length data is decoded as it streams in, so only the kept corner is
// ever held. A stream that ends before the end-of-bitmap escape or the last
// row is truncated. Reading stops as soon as the rest of the data can no
// longer change the canvas: past the last kept row (top-down rows), or when
// too few bytes are left to reach the first kept row even by the longest
// deltas (bottom-up rows); then the data only has to end properly.
bool DecodeCompressed(QIODevice& device, const BmpLayout& l, QSize keep, QImage& out)
{
    out = QImage(keep, QImage::Format_BGR888);
    if (out.isNull() || !device.seek(l.dataOffset))
        return false;
    const Bgr& first = l.palette[0];
    out.fill(QColor(first[2], first[1], first[0]));
    const bool fourBit = l.compression == kBiRle4;
    ByteStream in(device);
    RlePen pen(l, out);
    uchar count = 0, value = 0;
    while (!pen.PastKeptRows()) {
        if (pen.RowsBeforeKept() > MostRowsIn(in.Left()))
            return EndsWithEndOfBitmap(device);
        if (!in.Next(count) || !in.Next(value))
            return false;
        if (count) {
            PutRun(pen, count, value, fourBit);
            continue;
        }
        if (value == 0) {
            pen.EndLine();
        } else if (value == 1) {
            return true;
        } else if (value == 2) {
            uchar dx = 0, dy = 0;
            if (!in.Next(dx) || !in.Next(dy))
                return false;
            pen.Move(dx, dy);
        } else if (!ReadLiterals(in, pen, value, fourBit)) {
            return false;
        }
    }
    return true;
}

} // namespace

bool CBmpDecoder::IsBmp(const QByteArray& head)
{
    return head.startsWith("BM");
}

bool CBmpDecoder::Decode(QIODevice& device, QSize limit, DecodedPicture& out)
{
    out = DecodedPicture();
    BmpLayout l;
    if (!ParseHeaders(device, l))
        return false;
    const QSize keep(static_cast<int>(std::min<qint64>(l.width, limit.width())),
                     static_cast<int>(std::min<qint64>(l.height, limit.height())));
    if (keep.isEmpty())
        return false;
    const bool compressed = l.compression == kBiRle8 || l.compression == kBiRle4;
    if (!compressed && !HasAllRows(device, l))
        return false;
    QImage pixels;
    const bool ok = compressed ? DecodeCompressed(device, l, keep, pixels) : DecodeRows(device, l, keep, pixels);
    if (!ok)
        return false;
    out.size = QSize(static_cast<int>(l.width), static_cast<int>(l.height));
    out.pixels = std::move(pixels);
    return true;
}
