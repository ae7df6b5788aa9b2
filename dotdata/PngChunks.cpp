#include "dotdata/PngChunks.h"

#include <QtEndian>

#include <zlib.h>

#include <algorithm>
#include <cstring>

namespace {

constexpr qsizetype kChunkOverhead = 12; // length, type, CRC
constexpr qsizetype kHeaderLength = 13;
constexpr std::uint32_t kMaxChunkLength = 0x7FFFFFFFu;

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
    chunk.reserve(data.size() + kChunkOverhead);
    qToBigEndian(static_cast<std::uint32_t>(data.size()), chunk.data());
    std::memcpy(chunk.data() + 4, type, 4);
    chunk.append(data);
    char crc[4];
    qToBigEndian(Crc32(chunk.constData() + 4, chunk.size() - 4), crc);
    return chunk.append(crc, 4);
}

std::uint32_t CPngChunks::Crc32(const char* data, qsizetype size)
{
    // zlib takes at most a uInt at a time.
    uLong crc = crc32(0, nullptr, 0);
    const auto* bytes = reinterpret_cast<const Bytef*>(data);
    for (qsizetype done = 0; done < size;) {
        const auto part = static_cast<uInt>(std::min<qsizetype>(size - done, 1 << 30));
        crc = crc32(crc, bytes + done, part);
        done += part;
    }
    return static_cast<std::uint32_t>(crc);
}
