// Whole-grid operations on the largest canvas.
#include "base/DotGrid.h"

#include <benchmark/benchmark.h>

namespace {

CDotGrid LargeGrid()
{
    CDotGrid grid;
    grid.Create(kMaxCanvasWidth, kMaxCanvasHeight, ImageMode);
    for (int r = 0; r < grid.Height(); r += 3)
        for (int c = 0; c < grid.Width(); c += 5)
            grid.SetDot(c, r, DotPalette[static_cast<std::size_t>((r + c) % 7)]);
    return grid;
}

void BM_Rotate(benchmark::State& state)
{
    for (auto _ : state) {
        state.PauseTiming();
        CDotGrid grid = LargeGrid();
        state.ResumeTiming();
        grid.Rotate();
        benchmark::DoNotOptimize(grid.Bits());
    }
}

void BM_Mirror(benchmark::State& state)
{
    CDotGrid grid = LargeGrid();
    for (auto _ : state) {
        grid.Mirror();
        benchmark::DoNotOptimize(grid.Bits());
    }
}

void BM_Flip(benchmark::State& state)
{
    CDotGrid grid = LargeGrid();
    for (auto _ : state) {
        grid.Flip();
        benchmark::DoNotOptimize(grid.Bits());
    }
}

void BM_NormalizeToPalette(benchmark::State& state)
{
    CDotGrid grid = LargeGrid();
    for (auto _ : state) {
        grid.NormalizeToPalette();
        benchmark::DoNotOptimize(grid.Bits());
    }
}

} // namespace

BENCHMARK(BM_Rotate)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Mirror)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Flip)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_NormalizeToPalette)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
