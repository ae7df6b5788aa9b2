#include "base/GridImage.h"

#include "base/DotGrid.h"

#include <algorithm>
#include <cstring>

QImage WrapGridBits(const CDotGrid& grid)
{
    if (grid.IsEmpty())
        return {};
    return QImage(grid.Bits(), grid.Width(), grid.Height(), 3 * grid.Width(), QImage::Format_BGR888);
}

QImage GridToImage(const CDotGrid& grid)
{
    if (grid.IsEmpty())
        return {};
    // Mirroring the wrapped rows gives the display order in one copy.
    return WrapGridBits(grid).mirrored(false, true).convertToFormat(QImage::Format_RGB32);
}

void ImageToGrid(const QImage& image, CDotGrid& grid)
{
    if (grid.IsEmpty() || image.isNull())
        return;
    const QImage rows = image.convertToFormat(QImage::Format_BGR888);
    const int height = std::min(rows.height(), grid.Height());
    const std::size_t bytes = 3u * static_cast<std::size_t>(std::min(rows.width(), grid.Width()));
    const std::size_t stride = 3u * static_cast<std::size_t>(grid.Width());
    for (int y = 0; y < height; ++y)
        std::memcpy(grid.Bits() + static_cast<std::size_t>(grid.Height() - 1 - y) * stride, rows.constScanLine(y), bytes);
}
