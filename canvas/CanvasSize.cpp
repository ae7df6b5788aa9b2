#include "canvas/CanvasSize.h"

#include "base/CanvasMode.h"
#include "base/DotGrid.h"

#include <QString>
#include <QStringList>

#include <algorithm>
#include <array>
#include <cstring>

namespace {

struct SAnchorName
{
    const char* name;
    const char* compass;
};
constexpr std::array<SAnchorName, kAnchorCount> kAnchorNames = {{
    {"top-left", "nw"}, {"top", "n"}, {"top-right", "ne"},
    {"left", "w"}, {"center", "c"}, {"right", "e"},
    {"bottom-left", "sw"}, {"bottom", "s"}, {"bottom-right", "se"},
}};

// Offset along one axis: part 0 keeps the start, 1 the middle, 2 the end.
int AxisOffset(int from, int to, int part)
{
    const int difference = to - from;
    if (part == 0)
        return 0;
    if (part == 2)
        return difference;
    // Floor of half the difference, also when it is negative.
    return difference >= 0 ? difference / 2 : -((-difference + 1) / 2);
}

// 'out' becomes a canvas of 'size' holding the old dots of 'source' with
// its top-left dot at 'to'; the rest is background.
bool PlaceDots(const CDotGrid& grid, const QRect& source, QSize size, QPoint to, CDotGrid& out)
{
    CDotGrid placed;
    placed.SetBackgroundColor(grid.BackColor(), false);
    placed.SetDotColor(grid.ColorIndex());
    if (!placed.Create(size.width(), size.height(), grid.Mode()))
        return false;
    const QPoint shift = to - source.topLeft();
    const QRect kept = source.translated(shift) & QRect(QPoint(0, 0), size);
    const std::size_t bytes = 3u * static_cast<std::size_t>(kept.width());
    for (int y = kept.top(); y <= kept.bottom(); ++y) {
        const int oldRow = grid.Height() - 1 - (y - shift.y());
        const int newRow = size.height() - 1 - y;
        const std::uint8_t* from = grid.Bits()
            + 3u * (static_cast<std::size_t>(oldRow) * grid.Width() + static_cast<std::size_t>(kept.left() - shift.x()));
        std::uint8_t* into = placed.Bits()
            + 3u * (static_cast<std::size_t>(newRow) * size.width() + static_cast<std::size_t>(kept.left()));
        std::memcpy(into, from, bytes);
    }
    out = std::move(placed);
    return true;
}

} // namespace

int AnchorOfName(const QString& name)
{
    for (std::size_t i = 0; i < kAnchorNames.size(); ++i) {
        if (name.compare(QLatin1String(kAnchorNames[i].name), Qt::CaseInsensitive) == 0
            || name.compare(QLatin1String(kAnchorNames[i].compass), Qt::CaseInsensitive) == 0)
            return static_cast<int>(i);
    }
    return -1;
}

QString AnchorNames()
{
    QStringList names;
    for (const SAnchorName& entry : kAnchorNames)
        names << QLatin1String(entry.name);
    return names.join(QLatin1String(", "));
}

QSize CorrectedCanvasSize(QSize requested)
{
    return {RoundToBlocks(requested.width(), kMaxCanvasWidth), RoundToBlocks(requested.height(), kMaxCanvasHeight)};
}

QPoint AnchorOffset(QSize from, QSize to, int anchor)
{
    return {AxisOffset(from.width(), to.width(), anchor % 3), AxisOffset(from.height(), to.height(), anchor / 3)};
}

bool ResizedGrid(const CDotGrid& grid, QSize size, int anchor, CDotGrid& out)
{
    if (grid.IsEmpty() || anchor < 0 || anchor >= kAnchorCount)
        return false;
    const QSize corrected = CorrectedCanvasSize(size);
    const QSize old(grid.Width(), grid.Height());
    return PlaceDots(grid, QRect(QPoint(0, 0), old), corrected, AnchorOffset(old, corrected, anchor), out);
}

bool CroppedGrid(const CDotGrid& grid, const QRect& area, CDotGrid& out)
{
    const QRect kept = area & QRect(0, 0, grid.Width(), grid.Height());
    if (grid.IsEmpty() || kept.isEmpty())
        return false;
    return PlaceDots(grid, kept, CorrectedCanvasSize(kept.size()), QPoint(0, 0), out);
}
