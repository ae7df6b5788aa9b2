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

// The source pixels of column x over rows [first, last) that lie in the
// image, combined so that ink (any colour but the ground) wins; false when
// no row lies in the image.
bool CombinedPixel(const QImage& source, int x, int first, int last, QRgb ground, QRgb& combined)
{
    if (x < 0 || x >= source.width())
        return false;
    bool any = false;
    combined = ground;
    for (int y = first; y < last; ++y) {
        if (y < 0 || y >= source.height())
            continue;
        any = true;
        const QRgb pixel = reinterpret_cast<const QRgb*>(source.constScanLine(y))[x] | 0xFF000000u;
        if (pixel != ground) {
            combined = pixel;
            break;
        }
    }
    return any;
}

} // namespace

void StretchRowsOnto(const QImage& source, QPoint srcOrigin, QSize srcSize, CDotGrid& grid, QPoint dst,
                     int dstHeight)
{
    if (source.depth() != 32) {
        StretchRowsOnto(source.convertToFormat(QImage::Format_RGB32), srcOrigin, srcSize, grid, dst, dstHeight);
        return;
    }
    const int rows = std::abs(dstHeight);
    if (rows == 0 || srcSize.isEmpty() || grid.IsEmpty())
        return;
    const bool mirrored = dstHeight < 0;
    const COLORREF back = grid.BackColor();
    const QRgb ground = qRgb(RedOf(back), GreenOf(back), BlueOf(back));
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
            if (CombinedPixel(source, srcOrigin.x() + i, srcOrigin.y() + first, srcOrigin.y() + last, ground, pixel))
                grid.SetDot(dst.x() + i, storageRow, FromQRgb(pixel));
        }
    }
}
