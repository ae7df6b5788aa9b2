#include "dotdata/PngChunks.h"

#include <QtEndian>

#include <array>

namespace {

constexpr char kSignature[] = "\x89PNG\r\n\x1a\n";
constexpr qsizetype kChunkOverhead = 12; // length, type, CRC
constexpr qsizetype kHeaderLength = 13;
constexpr std::uint32_t kMaxChunkLength = 0x7FFFFFFFu;

constexpr std::array<std::uint32_t, 256> MakeCrcTable()
{
    std::array<std::uint32_t, 256> table {};
    for (std::uint32_t n = 0; n < 256; ++n) {
        std::uint32_t c = n;
        for (int k = 0; k < 8; ++k)
            c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        table[n] = c;
    }
    return table;
}
constexpr std::array<std::uint32_t, 256> kCrcTable = MakeCrcTable();

std::uint32_t BigEndian32(const QByteArray& bytes, qsizetype offset)
{
    return qFromBigEndian<std::uint32_t>(bytes.constData() + offset);
}

bool IsChunkType(const char* type)
{
    for (int i = 0; i < 4; ++i) {
        const char c = type[i];
        if (!((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')))
            return false;
    }
    return true;
}

} // namespace

bool CPngChunks::HasSignature(const QByteArray& bytes)
{
    return bytes.startsWith(QByteArray::fromRawData(kSignature, kSignatureSize));
}

CPngChunks::Status CPngChunks::Parse(const QByteArray& bytes)
{
    m_chunks.clear();
    m_nWidth = m_nHeight = 0;
    if (!HasSignature(bytes))
        return NotPng;
    qsizetype pos = kSignatureSize;
    while (true) {
        if (bytes.size() - pos < kChunkOverhead)
            return Truncated;
        const std::uint32_t length = BigEndian32(bytes, pos);
        if (length > kMaxChunkLength || !IsChunkType(bytes.constData() + pos + 4))
            return Damaged;
        if (bytes.size() - pos - kChunkOverhead < static_cast<qsizetype>(length))
            return Truncated;
        if (static_cast<qsizetype>(m_chunks.size()) >= kMaxChunks)
            return Damaged;
        m_chunks.push_back({bytes.mid(pos + 4, 4), pos + 8, static_cast<qsizetype>(length)});
        pos += kChunkOverhead + static_cast<qsizetype>(length);
        if (m_chunks.back().type == "IEND")
            break;
    }
    // The image header comes first, whole and intact.
    const SChunk& header = m_chunks.front();
    if (header.type != "IHDR" || header.nLength != kHeaderLength || !CrcMatches(bytes, header))
        return Damaged;
    const std::uint32_t width = BigEndian32(bytes, header.nOffset);
    const std::uint32_t height = BigEndian32(bytes, header.nOffset + 4);
    if (width == 0 || height == 0 || width > kMaxChunkLength || height > kMaxChunkLength)
        return Damaged;
    m_nWidth = static_cast<int>(width);
    m_nHeight = static_cast<int>(height);
    return Ok;
}

bool CPngChunks::CrcMatches(const QByteArray& bytes, const SChunk& chunk)
{
    const std::uint32_t crc = Crc32(bytes.constData() + chunk.nOffset - 4, chunk.nLength + 4);
    return crc == BigEndian32(bytes, chunk.nOffset + chunk.nLength);
}

QByteArray CPngChunks::MakeChunk(const char* type, const QByteArray& data)
{
    QByteArray chunk(8, '\0');
    qToBigEndian(static_cast<std::uint32_t>(data.size()), chunk.data());
    chunk.replace(4, 4, type, 4);
    chunk += data;
    QByteArray crc(4, '\0');
    qToBigEndian(Crc32(chunk.constData() + 4, chunk.size() - 4), crc.data());
    return chunk + crc;
}

QByteArray CPngChunks::InsertAfterHeader(const QByteArray& png, const QByteArray& chunk)
{
    const qsizetype afterHeader = kSignatureSize + kChunkOverhead + kHeaderLength;
    QByteArray result;
    result.reserve(png.size() + chunk.size());
    result.append(png.constData(), afterHeader);
    result.append(chunk);
    result.append(png.constData() + afterHeader, png.size() - afterHeader);
    return result;
}

std::uint32_t CPngChunks::Crc32(const char* data, qsizetype size, std::uint32_t crc)
{
    crc = ~crc;
    for (qsizetype i = 0; i < size; ++i)
        crc = kCrcTable[(crc ^ static_cast<std::uint8_t>(data[i])) & 0xFFu] ^ (crc >> 8);
    return ~crc;
}
