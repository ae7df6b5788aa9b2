// Drawing tools on the largest canvas (1024 x 768): the time a flood fill
// takes to find its area and to paint it, on an empty canvas and on a
// serpentine one (lit walls every other column, open at alternate ends, so
// the area is one long 4-connected path), median of many runs, in wall-clock
// and in processor time.
#include "base/DotGrid.h"
#include "canvas/DotShape.h"
#include "canvas/FloodFill.h"

#include <QElapsedTimer>

#include <time.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

constexpr int kRuns = 40;

// The processor time this thread has used, in ms: on a busy machine the
// wall clock also counts the time other programs had the processor.
double ThreadCpuMs()
{
    timespec now {};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

struct STimes
{
    double wall;
    double cpu;
};

double Median(std::vector<double> times)
{
    std::nth_element(times.begin(), times.begin() + kRuns / 2, times.end());
    return times[kRuns / 2];
}

// Medians of the wall-clock and processor times; 'reset', untimed, runs
// after each timed run.
STimes MedianMs(const std::function<void()>& work, const std::function<void()>& reset = [] {})
{
    std::vector<double> wall;
    std::vector<double> cpu;
    for (int i = 0; i < kRuns; ++i) {
        QElapsedTimer timer;
        const double cpuStart = ThreadCpuMs();
        timer.start();
        work();
        wall.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
        cpu.push_back(ThreadCpuMs() - cpuStart);
        reset();
    }
    return {Median(wall), Median(cpu)};
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
    const STimes find = MedianMs([&] { dots = fill.Area(grid, 0, 0).DotCount(); });
    // Each run starts from the same canvas.
    const CDotGrid start = grid;
    const STimes findAndPaint = MedianMs([&] { PaintShape(grid, fill.Area(grid, 0, 0), DotPalette[1]); },
                                         [&] { grid = start; });
    grid = start;
    std::printf("%-14s %6lld dots: find %.2f ms (processor %.2f ms), find and paint %.2f ms (processor %.2f ms)\n",
                name, dots, find.wall, find.cpu, findAndPaint.wall, findAndPaint.cpu);
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
