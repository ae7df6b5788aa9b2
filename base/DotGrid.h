#pragma once

#include "base/CanvasMode.h"
#include "base/Color.h"
#include "base/DotPalette.h"

#include <cstddef>
#include <cstdint>
#include <memory>

// The W x H dots of the canvas. Each dot is three bytes (blue, green, red);
// rows are stored bottom-up and packed, so the buffer is byte for byte the
// pixel array of a bottom-up 24-bit BMP. Storage row r is display row H-1-r.
class CDotGrid
{
public:
    CDotGrid() = default;
    CDotGrid(const CDotGrid& other);
    CDotGrid& operator=(const CDotGrid& other);
    CDotGrid(CDotGrid&&) noexcept = default;
    CDotGrid& operator=(CDotGrid&&) noexcept = default;

    // Each returns false, leaving the grid exactly as it was, when the new
    // dots cannot be allocated (or the size is negative).
    bool Create(int width, int height, int mode);
    // Resizes to width x height filled with the background colour, keeping mode
    // and colours. Text rendering uses it; sizes are not clamped.
    bool Resize(int width, int height);
    void Mirror();
    void Flip();
    bool Rotate();

    void SetDotColor(int index);
    void SetBackgroundColor(COLORREF c, bool recolour);
    // Storage rows (bottom-up), for code that walks the buffer.
    void SetDot(int column, int row, COLORREF c);
    COLORREF DotAt(int column, int row) const;
    // Display rows (row 0 on top): what every layer above this one uses.
    // Outside the grid, reading gives the background and writing does nothing.
    void SetDisplayDot(int column, int displayRow, COLORREF c) { SetDot(column, StorageRow(displayRow), c); }
    COLORREF DisplayDotAt(int column, int displayRow) const { return DotAt(column, StorageRow(displayRow)); }
    int DisplayColorIndexOf(int column, int displayRow) const { return ColorIndexOf(column, StorageRow(displayRow)); }
    bool Contains(int column, int row) const
    {
        return !IsEmpty() && column >= 0 && row >= 0 && column < m_nWidth && row < m_nHeight;
    }
    // The storage row of a display row and back: the flip is its own inverse.
    int StorageRow(int displayRow) const { return m_nHeight - 1 - displayRow; }
    int ColorIndexOf(int column, int row) const;
    void NormalizeToPalette();
    void FillWithBackground();
    bool IsEmpty() const { return m_nWidth <= 0 || m_nHeight <= 0 || !m_pBits; }

    // Moves a palette colour off the palette by the smallest step.
    static COLORREF NudgeOffPalette(COLORREF c);

    int Width() const { return m_nWidth; }
    int Height() const { return m_nHeight; }
    const std::uint8_t* Bits() const { return m_pBits.get(); }
    std::uint8_t* Bits() { return m_pBits.get(); }
    std::size_t ByteCount() const { return BytesFor(m_nWidth, m_nHeight); }
    COLORREF DotColor() const { return m_crDot; }
    int ColorIndex() const { return m_nColorIndex; }
    COLORREF BackColor() const { return m_crBack; }
    int Mode() const { return m_nMode; }
    void SetMode(int mode) { m_nMode = mode; }

private:
    static std::size_t BytesFor(int width, int height)
    {
        return 3u * static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    }
    static std::unique_ptr<std::uint8_t[]> Allocate(int width, int height);
    void ReplaceDots(std::unique_ptr<std::uint8_t[]> bits, int width, int height);
    void RecolourDots(COLORREF from, COLORREF to);

    int m_nWidth = 0;
    int m_nHeight = 0;
    std::unique_ptr<std::uint8_t[]> m_pBits;
    COLORREF m_crDot = DotPalette[kWhiteIndex];
    int m_nColorIndex = kWhiteIndex;
    COLORREF m_crBack = 0;
    int m_nMode = TextMode;
};
