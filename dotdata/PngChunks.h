#pragma once

#include <QByteArray>

#include <cstdint>
#include <vector>

// The chunk structure of a PNG file, walked without trusting any length in
// it: every chunk must lie wholly inside the bytes, the first must be the
// image header and the walk ends at the end chunk. The pixels themselves are
// left to the picture decoder, which checks their own checksums.
class CPngChunks
{
public:
    enum Status {
        Ok,
        NotPng,    // no PNG signature
        Truncated, // a chunk runs past the end, or there is no end chunk
        Damaged,   // a malformed header, a bad length or type, too many chunks
    };

    struct SChunk
    {
        QByteArray type;          // four ASCII letters
        qsizetype nOffset = 0;    // of the chunk's data in the file
        qsizetype nLength = 0;    // of the chunk's data
    };

    static constexpr const char* kSignature = "\x89PNG\r\n\x1a\n";
    static constexpr qsizetype kSignatureSize = 8;
    static constexpr qsizetype kMaxChunks = 1 << 16;

    static bool HasSignature(const QByteArray& bytes);

    Status Parse(const QByteArray& bytes);
    const std::vector<SChunk>& Chunks() const { return m_chunks; }
    int Width() const { return m_nWidth; }
    int Height() const { return m_nHeight; }

    // Whether the CRC stored after the chunk matches its type and data.
    static bool CrcMatches(const QByteArray& bytes, const SChunk& chunk);
    // A complete chunk: length, type, data and CRC.
    static QByteArray MakeChunk(const char* type, const QByteArray& data);
    static std::uint32_t Crc32(const char* data, qsizetype size);

private:
    std::vector<SChunk> m_chunks;
    int m_nWidth = 0;
    int m_nHeight = 0;
};
