#include "base/DotGrid.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <vector>

namespace {

// Largest buffer a grid may ask for; far beyond any real canvas, it only keeps
// absurd sizes from reaching the allocator.
constexpr std::size_t kMaxGridBytes = std::size_t{1} << 34;

void WriteColor(std::uint8_t* dot, COLORREF c)
{
    dot[0] = static_cast<std::uint8_t>(BlueOf(c));
    dot[1] = static_cast<std::uint8_t>(GreenOf(c));
    dot[2] = static_cast<std::uint8_t>(RedOf(c));
}

COLORREF ReadColor(const std::uint8_t* dot)
{
    return MakeColor(dot[2], dot[1], dot[0]);
}

bool IsPaletteColor(COLORREF c)
{
    return PaletteIndexOf(c) != kUnlitIndex;
}

} // namespace

CDotGrid::CDotGrid(const CDotGrid& other)
    : m_nWidth(other.m_nWidth)
    , m_nHeight(other.m_nHeight)
    , m_crDot(other.m_crDot)
    , m_nColorIndex(other.m_nColorIndex)
    , m_crBack(other.m_crBack)
    , m_nMode(other.m_nMode)
{
    if (!other.m_pBits)
        return;
    m_pBits.reset(new std::uint8_t[other.ByteCount()]);
    std::memcpy(m_pBits.get(), other.m_pBits.get(), other.ByteCount());
}

CDotGrid& CDotGrid::operator=(const CDotGrid& other)
{
    if (this == &other)
        return *this;
    // A grid of the same size keeps its buffer: copying into memory that is
    // already in use costs no new pages, which a snapshot taken again and
    // again (the listing's worker) would otherwise pay every time.
    if (!m_pBits || !other.m_pBits || ByteCount() != other.ByteCount()) {
        CDotGrid copy(other);
        *this = std::move(copy);
        return *this;
    }
    std::memcpy(m_pBits.get(), other.m_pBits.get(), other.ByteCount());
    m_nWidth = other.m_nWidth;
    m_nHeight = other.m_nHeight;
    m_crDot = other.m_crDot;
    m_nColorIndex = other.m_nColorIndex;
    m_crBack = other.m_crBack;
    m_nMode = other.m_nMode;
    return *this;
}

std::unique_ptr<std::uint8_t[]> CDotGrid::Allocate(int width, int height)
{
    if (width < 0 || height < 0)
        return nullptr;
    const std::size_t bytes = BytesFor(width, height);
    if (bytes == 0 || bytes > kMaxGridBytes)
        return nullptr;
    return std::unique_ptr<std::uint8_t[]>(new (std::nothrow) std::uint8_t[bytes]);
}

void CDotGrid::ReplaceDots(std::unique_ptr<std::uint8_t[]> bits, int width, int height)
{
    m_pBits = std::move(bits);
    m_nWidth = width;
    m_nHeight = height;
}

bool CDotGrid::Create(int width, int height, int mode)
{
    if (!Resize(width, height))
        return false;
    m_nMode = mode;
    return true;
}

bool CDotGrid::Resize(int width, int height)
{
    if (width == 0 || height == 0) {
        if (width < 0 || height < 0)
            return false;
        ReplaceDots(nullptr, width, height);
        return true;
    }
    auto bits = Allocate(width, height);
    if (!bits)
        return false;
    ReplaceDots(std::move(bits), width, height);
    FillWithBackground();
    return true;
}

void CDotGrid::FillWithBackground()
{
    if (IsEmpty())
        return;
    std::uint8_t* p = m_pBits.get();
    WriteColor(p, m_crBack);
    // Doubling copies fill the rest of the buffer from its own start.
    std::size_t filled = 3;
    const std::size_t total = ByteCount();
    while (filled < total) {
        const std::size_t n = std::min(filled, total - filled);
        std::memcpy(p + filled, p, n);
        filled += n;
    }
}

void CDotGrid::Mirror()
{
    if (IsEmpty())
        return;
    for (int r = 0; r < m_nHeight; ++r) {
        std::uint8_t* row = m_pBits.get() + static_cast<std::size_t>(r) * 3u * m_nWidth;
        for (int k = 0; k < m_nWidth / 2; ++k) {
            std::uint8_t* a = row + 3 * k;
            std::uint8_t* b = row + 3 * (m_nWidth - 1 - k);
            std::swap(a[0], b[0]);
            std::swap(a[1], b[1]);
            std::swap(a[2], b[2]);
        }
    }
}

void CDotGrid::Flip()
{
    if (IsEmpty())
        return;
    const std::size_t stride = 3u * static_cast<std::size_t>(m_nWidth);
    std::vector<std::uint8_t> buffer(stride);
    for (int i = 0; i < m_nHeight / 2; ++i) {
        std::uint8_t* a = m_pBits.get() + static_cast<std::size_t>(i) * stride;
        std::uint8_t* b = m_pBits.get() + static_cast<std::size_t>(m_nHeight - 1 - i) * stride;
        std::memcpy(buffer.data(), a, stride);
        std::memcpy(a, b, stride);
        std::memcpy(b, buffer.data(), stride);
    }
}

bool CDotGrid::Rotate()
{
    if (IsEmpty())
        return false;
    // A quarter turn clockwise: new dot (column r, storage row H'-1-c) is old
    // dot (column c, storage row r). Dots with no place in the limits are lost.
    const int newWidth = std::min(m_nHeight, kMaxCanvasWidth);
    const int newHeight = std::min(m_nWidth, kMaxCanvasHeight);
    auto bits = Allocate(newWidth, newHeight);
    if (!bits)
        return false;
    const std::uint8_t* src = m_pBits.get();
    std::uint8_t* out = bits.get();
    const std::size_t srcStride = 3u * static_cast<std::size_t>(m_nWidth);
    for (int c = newHeight - 1; c >= 0; --c) {
        const std::uint8_t* column = src + 3u * static_cast<std::size_t>(c);
        for (int r = 0; r < newWidth; ++r) {
            const std::uint8_t* dot = column + static_cast<std::size_t>(r) * srcStride;
            out[0] = dot[0];
            out[1] = dot[1];
            out[2] = dot[2];
            out += 3;
        }
    }
    ReplaceDots(std::move(bits), newWidth, newHeight);
    return true;
}

void CDotGrid::SetDotColor(int index)
{
    if (index < 0 || index >= kPaletteSize)
        return;
    m_crDot = DotPalette[static_cast<std::size_t>(index)];
    m_nColorIndex = index;
}

COLORREF CDotGrid::NudgeOffPalette(COLORREF c)
{
    if (!IsPaletteColor(c))
        return c;
    const int r = RedOf(c), g = GreenOf(c), b = BlueOf(c);
    if (r < 255)
        return MakeColor(r + 1, g, b);
    if (g < 255)
        return MakeColor(r, g + 1, b);
    if (b < 255)
        return MakeColor(r, g, b + 1);
    return MakeColor(254, g, b);
}

void CDotGrid::SetBackgroundColor(COLORREF c, bool recolour)
{
    const COLORREF old = m_crBack;
    m_crBack = NudgeOffPalette(c & 0x00FFFFFF);
    if (recolour)
        RecolourDots(old, m_crBack);
}

void CDotGrid::RecolourDots(COLORREF from, COLORREF to)
{
    if (IsEmpty() || from == to)
        return;
    std::uint8_t* p = m_pBits.get();
    const std::size_t total = ByteCount();
    for (std::size_t i = 0; i < total; i += 3) {
        if (ReadColor(p + i) == from)
            WriteColor(p + i, to);
    }
}

void CDotGrid::SetDot(int column, int row, COLORREF c)
{
    if (IsEmpty() || column < 0 || column >= m_nWidth || row < 0 || row >= m_nHeight)
        return;
    WriteColor(m_pBits.get() + 3u * (static_cast<std::size_t>(row) * m_nWidth + column), c);
}

COLORREF CDotGrid::DotAt(int column, int row) const
{
    if (IsEmpty() || column < 0 || column >= m_nWidth || row < 0 || row >= m_nHeight)
        return m_crBack;
    return ReadColor(m_pBits.get() + 3u * (static_cast<std::size_t>(row) * m_nWidth + column));
}

int CDotGrid::ColorIndexOf(int column, int row) const
{
    if (IsEmpty() || column < 0 || column >= m_nWidth || row < 0 || row >= m_nHeight)
        return kUnlitIndex;
    return PaletteIndexOf(DotAt(column, row));
}

void CDotGrid::NormalizeToPalette()
{
    if (IsEmpty())
        return;
    std::uint8_t* p = m_pBits.get();
    const std::size_t total = ByteCount();
    for (std::size_t i = 0; i < total; i += 3) {
        if (!IsPaletteColor(ReadColor(p + i)))
            WriteColor(p + i, m_crBack);
    }
}
