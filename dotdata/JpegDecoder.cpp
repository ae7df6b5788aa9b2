#include "dotdata/JpegDecoder.h"

#include "dotdata/SkippingDevice.h"

#include <QIODevice>
#include <QImageReader>

#include <algorithm>
#include <utility>
#include <vector>

namespace {

// Far beyond any picture that fits a canvas; larger files are not read at all.
constexpr qint64 kMaxFileBytes = qint64{64} * 1024 * 1024;
// The decoded region is at most the canvas limit; this only stops Qt from
// allocating for anything larger.
constexpr int kAllocationLimitMB = 32;
// Progressive and multi-scan files keep all coefficients (two bytes each)
// while decoding; beyond this the file is refused.
constexpr qint64 kMaxCoefficientBytes = qint64{48} * 1024 * 1024;
// Each scan of such a file runs over every block it covers, even when a
// few bytes code a run of thousands of empty blocks. Scans times blocks
// beyond this are refused: about 40 scans of the largest picture accepted,
// well under two seconds of decoding.
constexpr qint64 kMaxScanBlocks = qint64{16} * 1000 * 1000;

// The file is read in chunks of this size, never whole.
constexpr qint64 kChunkBytes = 64 * 1024;
// Real files have a few dozen marker segments. Qt's decoder takes time
// growing with the square of the number of comment segments (1.5 s for
// 40,000 empty ones, minutes for a few hundred thousand), so more segments
// than this are refused.
constexpr int kMaxSegments = 1000;

constexpr int kSos = 0xDA;
constexpr int kEoi = 0xD9;
constexpr int kApp0 = 0xE0;
constexpr int kApp14 = 0xEE; // Adobe: how the colours are coded
constexpr int kCom = 0xFE;

using Ranges = CSkippingDevice::Ranges;

// Comments and application data other than the JFIF and Adobe headers carry
// nothing the pixels need; the decoder would keep each one (up to 64 KB) in
// memory, so they are left out of what it reads.
bool IsSkippable(int marker)
{
    return marker == kCom || (marker > kApp0 && marker <= 0xEF && marker != kApp14);
}

// A marker followed by a two-byte length and its segment.
bool HasLength(int marker)
{
    return marker >= 0xC0 && marker != 0xFF && !(marker >= 0xD0 && marker <= 0xD9);
}

struct JpegFrame
{
    int width = 0;
    int height = 0;
    bool progressive = false;
    bool arithmetic = false;
    int maxH = 1;
    int maxV = 1;
    std::vector<std::pair<int, int>> sampling; // per component: horizontal, vertical
    int scanComponents = 0;
    qint64 scanStart = -1;
    int segments = 0; // marker segments before the first scan
    Ranges skipped;   // skippable segments before the first scan
};

int Be16(const uchar* p) { return (p[0] << 8) | p[1]; }

bool IsFrameMarker(int m)
{
    return m >= 0xC0 && m <= 0xCF && m != 0xC4 && m != 0xC8 && m != 0xCC;
}

bool ParseFrame(int marker, const uchar* seg, qint64 len, JpegFrame& f)
{
    if (len < 6)
        return false;
    f.height = Be16(seg + 1);
    f.width = Be16(seg + 3);
    const int count = seg[5];
    if (f.width == 0 || f.height == 0 || count == 0 || len < 6 + 3 * count)
        return false;
    f.progressive = marker == 0xC2 || marker == 0xC6 || marker == 0xCA || marker == 0xCE;
    f.arithmetic = marker >= 0xC9;
    f.sampling.clear();
    for (int i = 0; i < count; ++i) {
        const int hv = seg[6 + 3 * i + 1];
        const int h = hv >> 4, v = hv & 15;
        if (h < 1 || h > 4 || v < 1 || v > 4)
            return false;
        f.sampling.emplace_back(h, v);
        f.maxH = std::max(f.maxH, h);
        f.maxV = std::max(f.maxV, v);
    }
    return true;
}

bool ReadAt(QIODevice& device, qint64 pos, uchar* buffer, qint64 n)
{
    return device.seek(pos) && device.read(reinterpret_cast<char*>(buffer), n) == n;
}

// Reads small pieces at increasing positions through a buffer, so that a
// header of millions of fill bytes or empty segments costs no device call
// per piece.
class HeadReader
{
public:
    explicit HeadReader(QIODevice& device) : m_device(device), m_buffer(static_cast<std::size_t>(kChunkBytes)) {}

    bool Read(qint64 pos, uchar* out, qint64 n)
    {
        if (pos < m_start || pos + n > m_start + m_length) {
            m_start = pos;
            m_length = m_device.seek(pos) ? m_device.read(reinterpret_cast<char*>(m_buffer.data()), kChunkBytes) : -1;
            if (m_length < n)
                return false;
        }
        std::copy_n(m_buffer.data() + (pos - m_start), n, out);
        return true;
    }

private:
    QIODevice& m_device;
    std::vector<uchar> m_buffer;
    qint64 m_start = 0;
    qint64 m_length = 0;
};

// Walks the markers up to the first scan header; false when the structure is
// broken or there is no frame before the scan. Only segment heads and the
// frame and scan headers are read.
bool ParseMarkers(QIODevice& device, JpegFrame& f)
{
    const qint64 n = device.size();
    qint64 pos = 2;
    uchar head[4];
    std::vector<uchar> seg;
    HeadReader reader(device);
    while (pos + 4 <= n) {
        if (!reader.Read(pos, head, 4) || head[0] != 0xFF)
            return false;
        const int marker = head[1];
        if (marker == 0xFF) {
            ++pos;
            continue;
        }
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) {
            pos += 2;
            continue;
        }
        if (marker == kEoi)
            return false;
        const qint64 len = Be16(head + 2);
        if (len < 2 || pos + 2 + len > n)
            return false;
        if (++f.segments > kMaxSegments)
            return false;
        if (IsSkippable(marker))
            f.skipped.emplace_back(pos, pos + 2 + len);
        if (IsFrameMarker(marker) || marker == kSos) {
            seg.resize(static_cast<std::size_t>(len - 2) + 1);
            if (!ReadAt(device, pos + 4, seg.data(), len - 2))
                return false;
        }
        if (IsFrameMarker(marker) && !ParseFrame(marker, seg.data(), len - 2, f))
            return false;
        if (marker == kSos) {
            if (f.sampling.empty() || len < 3)
                return false;
            f.scanComponents = seg[0];
            f.scanStart = pos + 2 + len;
            return true;
        }
        pos += 2 + len;
    }
    return false;
}

// What follows the first scan header: the bytes that carry entropy-coded
// data (a stuffed FF 00 counts as one, fill bytes FF and marker bytes do
// not), up to the last end marker, and the marker segments between scans,
// whose contents are stepped over. Entropy-coded data never contains FF D9,
// so the last one after the scan header is the end marker; without it the
// file was cut short.
struct ScanData
{
    qint64 dataBytes = 0;
    bool hasEnd = false;
    int markers = 0; // markers other than restarts, fill and the end
    int scans = 1;
    Ranges skipped; // skippable segments between scans
};

// Reads a device byte by byte from a position on, through a buffer, and
// can jump ahead.
class ByteReader
{
public:
    ByteReader(QIODevice& device, qint64 pos) : m_device(device), m_buffer(static_cast<std::size_t>(kChunkBytes)), m_start(pos) {}

    bool Next(uchar& b)
    {
        if (m_at == m_length && !Fill(m_start + m_length))
            return false;
        b = m_buffer[static_cast<std::size_t>(m_at++)];
        return true;
    }
    qint64 Pos() const { return m_start + m_at; }
    void JumpTo(qint64 pos)
    {
        if (pos >= m_start && pos <= m_start + m_length)
            m_at = pos - m_start;
        else
            m_start = pos, m_at = m_length = 0;
    }

private:
    bool Fill(qint64 pos)
    {
        m_start = pos;
        m_at = 0;
        m_length = m_device.seek(pos) ? m_device.read(reinterpret_cast<char*>(m_buffer.data()), kChunkBytes) : 0;
        m_length = std::max<qint64>(m_length, 0);
        return m_length > 0;
    }

    QIODevice& m_device;
    std::vector<uchar> m_buffer;
    qint64 m_start = 0;
    qint64 m_at = 0;
    qint64 m_length = 0;
};

void ReadScanData(QIODevice& device, qint64 scanStart, ScanData& scan)
{
    ByteReader in(device, scanStart);
    qint64 counted = 0; // data bytes seen so far
    bool afterFf = false;
    uchar b = 0;
    while (in.Next(b)) {
        if (afterFf && b == kEoi) {
            scan.hasEnd = true;
            scan.dataBytes = counted;
        } else if (afterFf && b != 0x00 && b != 0xFF && (b < 0xD0 || b > 0xD7)) {
            ++scan.markers;
        }
        if (afterFf && HasLength(b)) {
            const qint64 markerPos = in.Pos() - 2;
            uchar high = 0, low = 0;
            if (!in.Next(high) || !in.Next(low))
                return;
            const int length = (high << 8) | low;
            const qint64 end = markerPos + 2 + length;
            if (b == kSos)
                ++scan.scans;
            if (IsSkippable(b) && length >= 2)
                scan.skipped.emplace_back(markerPos, std::min(end, device.size()));
            in.JumpTo(std::max(end, in.Pos()));
            afterFf = false;
            continue;
        }
        if (b != 0xFF && (!afterFf || b == 0x00))
            ++counted;
        afterFf = b == 0xFF;
    }
}

qint64 BlockCount(const JpegFrame& f)
{
    const qint64 mcusX = (f.width + 8 * f.maxH - 1) / (8 * f.maxH);
    const qint64 mcusY = (f.height + 8 * f.maxV - 1) / (8 * f.maxV);
    qint64 blocks = 0;
    for (const auto& [h, v] : f.sampling)
        blocks += mcusX * h * mcusY * v;
    return blocks;
}

qint64 CoefficientBytes(const JpegFrame& f)
{
    return BlockCount(f) * 64 * 2;
}

// Huffman coding spends at least one bit on every block in its first scan, so
// a file with less data than that declares a size it does not hold (the
// decoder would fill the missing rows with grey). Fill bytes carry no data:
// a scan of nothing but FF bytes is empty.
bool HasDataForEveryBlock(const JpegFrame& f, qint64 dataBytes)
{
    return f.arithmetic || dataBytes * 8 >= BlockCount(f);
}

bool NeedsWholeImage(const JpegFrame& f)
{
    return f.progressive || f.scanComponents < static_cast<int>(f.sampling.size());
}

} // namespace

bool CJpegDecoder::IsJpeg(const QByteArray& head)
{
    return head.startsWith("\xFF\xD8\xFF");
}

bool CJpegDecoder::Decode(QIODevice& device, QSize limit, DecodedPicture& out)
{
    out = DecodedPicture();
    if (device.size() > kMaxFileBytes)
        return false;
    JpegFrame frame;
    ScanData scan;
    if (!ParseMarkers(device, frame))
        return false;
    ReadScanData(device, frame.scanStart, scan);
    if (!scan.hasEnd || !HasDataForEveryBlock(frame, scan.dataBytes) || frame.segments + scan.markers > kMaxSegments)
        return false;
    if (NeedsWholeImage(frame)
        && (CoefficientBytes(frame) > kMaxCoefficientBytes || scan.scans * BlockCount(frame) > kMaxScanBlocks))
        return false;

    Ranges skipped = std::move(frame.skipped);
    skipped.insert(skipped.end(), scan.skipped.begin(), scan.skipped.end());
    CSkippingDevice pixelData(device, std::move(skipped));
    QImageReader reader(&pixelData, "jpeg");
    reader.setAllocationLimit(kAllocationLimitMB);
    reader.setAutoTransform(false);
    const QSize size = reader.size();
    if (size != QSize(frame.width, frame.height))
        return false;
    const QSize keep = size.boundedTo(limit);
    if (keep.isEmpty())
        return false;
    if (keep != size)
        reader.setClipRect(QRect(QPoint(0, 0), keep));
    const QImage image = reader.read();
    if (image.isNull() || image.size() != keep)
        return false;
    out.pixels = image.convertToFormat(QImage::Format_BGR888);
    if (out.pixels.isNull())
        return false;
    out.size = size;
    return true;
}
