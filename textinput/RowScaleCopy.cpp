#include "textinput/RowScaleCopy.h"

#include "base/DotGrid.h"
#include "base/QtColor.h"

#include <cstdlib>

namespace {

// Source rows [first, last) that fall onto destination row j of rows in total.
void SourceRowsOf(int j, int rows, int srcRows, int& first, int& last)
{
    first = static_cast<int>(static_cast<long long>(j) * srcRows / rows);
    last = static_cast<int>(static_cast<long long>(j + 1) * srcRows / rows);
    if (last <= first)
        last = first + 1; // stretching: one source row repeated
}

// AND of the source pixels of column x over rows [first, last) that lie in
// the image; false when none does.
bool CombinedPixel(const QImage& source, int x, int first, int last, QRgb& combined)
{
    if (x < 0 || x >= source.width())
        return false;
    bool any = false;
    combined = 0xFFFFFFFFu;
    for (int y = first; y < last; ++y) {
        if (y < 0 || y >= source.height())
            continue;
        combined &= source.pixel(x, y);
        any = true;
    }
    return any;
}

} // namespace

void StretchRowsOnto(const QImage& source, QPoint srcOrigin, QSize srcSize, CDotGrid& grid, QPoint dst,
                     int dstHeight)
{
    const int rows = std::abs(dstHeight);
    if (rows == 0 || srcSize.isEmpty() || grid.IsEmpty())
        return;
    const bool mirrored = dstHeight < 0;
    for (int j = 0; j < rows; ++j) {
        const int gridRow = mirrored ? dst.y() - 1 - j : dst.y() + j;
        if (gridRow < 0 || gridRow >= grid.Height())
            continue;
        int first = 0;
        int last = 0;
        SourceRowsOf(j, rows, srcSize.height(), first, last);
        const int storageRow = grid.Height() - 1 - gridRow;
        for (int i = 0; i < srcSize.width(); ++i) {
            QRgb pixel = 0;
            if (CombinedPixel(source, srcOrigin.x() + i, srcOrigin.y() + first, srcOrigin.y() + last, pixel))
                grid.SetDot(dst.x() + i, storageRow, FromQRgb(pixel));
        }
    }
}
