#include "canvas/DotFragment.h"

#include "base/CanvasMode.h"
#include "base/DotGrid.h"
#include "base/DotPalette.h"
#include "base/QtColor.h"
#include "dotdata/PictureImport.h"

#include <QPainter>

#include <algorithm>

CDotFragment::CDotFragment(int width, int height)
{
    if (width <= 0 || height <= 0)
        return;
    m_nWidth = width;
    m_nHeight = height;
    m_abIndex.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), kUnlitIndex);
}

int CDotFragment::IndexAt(int column, int row) const
{
    if (column < 0 || row < 0 || column >= m_nWidth || row >= m_nHeight)
        return kUnlitIndex;
    return m_abIndex[At(column, row)];
}

void CDotFragment::SetIndex(int column, int row, int index)
{
    if (column < 0 || row < 0 || column >= m_nWidth || row >= m_nHeight)
        return;
    m_abIndex[At(column, row)] = static_cast<std::uint8_t>(index >= 0 && index < kPaletteSize ? index : kUnlitIndex);
}

CDotFragment CDotFragment::Copy(const CDotGrid& grid, const QRect& area)
{
    CDotFragment fragment(area.width(), area.height());
    const QRect inside = area & QRect(0, 0, grid.Width(), grid.Height());
    for (int y = inside.top(); y <= inside.bottom(); ++y) {
        const int storageRow = grid.Height() - 1 - y;
        for (int x = inside.left(); x <= inside.right(); ++x)
            fragment.m_abIndex[fragment.At(x - area.left(), y - area.top())]
                = static_cast<std::uint8_t>(grid.ColorIndexOf(x, storageRow));
    }
    return fragment;
}

CDotFragment CDotFragment::FromImage(const QImage& picture, int matching, COLORREF background)
{
    const int width = std::min(picture.width(), kMaxCanvasWidth);
    const int height = std::min(picture.height(), kMaxCanvasHeight);
    if (picture.isNull() || width <= 0 || height <= 0)
        return {};
    // Transparency is resolved against the background before matching.
    QImage seen(width, height, QImage::Format_RGB32);
    seen.fill(ToQColor(background));
    {
        QPainter painter(&seen);
        painter.drawImage(QPoint(0, 0), picture, QRect(0, 0, width, height));
    }
    CDotGrid grid;
    grid.SetBackgroundColor(background, false);
    if (!grid.Create(width, height, ImageMode))
        return {};
    CPictureImport::MatchPixels(seen, grid, matching);
    return Copy(grid, QRect(0, 0, width, height));
}

void CDotFragment::Place(CDotGrid& grid, QPoint topLeft) const
{
    const QRect inside = QRect(topLeft, QSize(m_nWidth, m_nHeight)) & QRect(0, 0, grid.Width(), grid.Height());
    for (int y = inside.top(); y <= inside.bottom(); ++y) {
        const int storageRow = grid.Height() - 1 - y;
        for (int x = inside.left(); x <= inside.right(); ++x) {
            const int index = m_abIndex[At(x - topLeft.x(), y - topLeft.y())];
            grid.SetDot(x, storageRow, index < kPaletteSize ? DotPalette[static_cast<std::size_t>(index)] : grid.BackColor());
        }
    }
}

QImage CDotFragment::ToImage(COLORREF background) const
{
    if (IsEmpty())
        return {};
    QImage image(m_nWidth, m_nHeight, QImage::Format_RGB32);
    const QRgb unlit = ToQRgb(background);
    for (int y = 0; y < m_nHeight; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < m_nWidth; ++x) {
            const int index = m_abIndex[At(x, y)];
            line[x] = index < kPaletteSize ? ToQRgb(DotPalette[static_cast<std::size_t>(index)]) : unlit;
        }
    }
    return image;
}
