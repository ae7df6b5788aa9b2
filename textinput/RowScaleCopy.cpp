#include "textinput/RowScaleCopy.h"

#include "base/DotGrid.h"
#include "base/QtColor.h"

#include <cstdlib>
#include <vector>

namespace {

// Source rows [first, last) that fall onto destination row j of rows in total.
void SourceRowsOf(int j, int rows, int srcRows, int& first, int& last)
{
    first = static_cast<int>(static_cast<long long>(j) * srcRows / rows);
    last = static_cast<int>(static_cast<long long>(j + 1) * srcRows / rows);
    if (last <= first)
        last = first + 1; // stretching: one source row repeated
}

// The pixel of column x over the given source lines, combined so that ink
// (any colour but the ground) wins.
QRgb CombinedPixel(const std::vector<const QRgb*>& lines, int x, QRgb ground)
{
    for (const QRgb* line : lines) {
        const QRgb pixel = line[x] | 0xFF000000u;
        if (pixel != ground)
            return pixel;
    }
    return ground;
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
    std::vector<const QRgb*> lines;
    for (int j = 0; j < rows; ++j) {
        const int gridRow = mirrored ? dst.y() - 1 - j : dst.y() + j;
        if (gridRow < 0 || gridRow >= grid.Height())
            continue;
        int first = 0;
        int last = 0;
        SourceRowsOf(j, rows, srcSize.height(), first, last);
        // The source rows that lie in the image; none leaves the grid row alone.
        lines.clear();
        for (int y = srcOrigin.y() + first; y < srcOrigin.y() + last; ++y) {
            if (y >= 0 && y < source.height())
                lines.push_back(reinterpret_cast<const QRgb*>(source.constScanLine(y)));
        }
        if (lines.empty())
            continue;
        for (int i = 0; i < srcSize.width(); ++i) {
            const int x = srcOrigin.x() + i;
            if (x >= 0 && x < source.width())
                grid.SetDisplayDot(dst.x() + i, gridRow, FromQRgb(CombinedPixel(lines, x, ground)));
        }
    }
}
