// Drawing tools on the largest canvas (1024 x 768): the time a flood fill
// takes to find its area and to paint it, on an empty canvas and on a
// serpentine one (lit walls every other column, open at alternate ends, so
// the area is one long 4-connected path), median of many runs.
#include "base/DotGrid.h"
#include "canvas/DotShape.h"
#include "canvas/FloodFill.h"

#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

constexpr int kRuns = 40;

// 'reset', untimed, runs after each timed run.
double MedianMs(const std::function<void()>& work, const std::function<void()>& reset = [] {})
{
    std::vector<double> times;
    for (int i = 0; i < kRuns; ++i) {
        QElapsedTimer timer;
        timer.start();
        work();
        times.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
        reset();
    }
    std::nth_element(times.begin(), times.begin() + kRuns / 2, times.end());
    return times[kRuns / 2];
}

void Serpentine(CDotGrid& grid)
{
    for (int x = 1; x < grid.Width(); x += 2) {
        const int gap = (x / 2) % 2 == 0 ? 0 : grid.Height() - 1;
        for (int y = 0; y < grid.Height(); ++y)
            if (y != gap)
                grid.SetDot(x, y, DotPalette[0]);
    }
}

void Measure(const char* name, CDotGrid& grid)
{
    long long dots = 0;
    CFloodFill fill;
    const double find = MedianMs([&] { dots = fill.Area(grid, 0, 0).DotCount(); });
    // Each run starts from the same canvas.
    const CDotGrid start = grid;
    const double findAndPaint = MedianMs([&] { PaintShape(grid, fill.Area(grid, 0, 0), DotPalette[1]); },
                                         [&] { grid = start; });
    grid = start;
    std::printf("%-28s %7lld dots: find %.2f ms, find and paint %.2f ms\n", name, dots, find, findAndPaint);
}

} // namespace

int main()
{
    CDotGrid grid;
    grid.Create(kMaxCanvasWidth, kMaxCanvasHeight, ImageMode);
    std::printf("flood fill on %d x %d, median of %d runs\n", grid.Width(), grid.Height(), kRuns);
    Measure("empty canvas", grid);
    Serpentine(grid);
    Measure("serpentine", grid);
    return 0;
}
