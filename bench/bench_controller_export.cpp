// Controller exports of the largest canvas, every dot lit in turn through the
// seven colours: the bytes alone (mono and rgb, rows and columns, 8 x 8
// modules with serpentine) and the whole C array text. The goals are 5 ms
// for the bytes and 50 ms for the C text.
#include "base/DotGrid.h"
#include "dotdata/ByteLayout.h"
#include "dotdata/ControllerExport.h"
#include "dotdata/DotBytes.h"

#include <benchmark/benchmark.h>

namespace {

const CDotGrid& LargeGrid()
{
    static const CDotGrid grid = [] {
        CDotGrid g;
        g.Create(kMaxCanvasWidth, kMaxCanvasHeight, ImageMode);
        for (int r = 0; r < g.Height(); ++r)
            for (int c = 0; c < g.Width(); ++c)
                if ((r * 7 + c * 3) % 4 != 0)
                    g.SetDot(c, r, DotPalette[static_cast<std::size_t>((r + c) % 7)]);
        return g;
    }();
    return grid;
}

SExportOptions OptionsOf(const benchmark::State& state)
{
    SExportOptions options;
    options.planes = state.range(0) == 0 ? SExportOptions::Mono : SExportOptions::Rgb;
    options.scan = state.range(1) == 0 ? SExportOptions::Rows : SExportOptions::Columns;
    if (state.range(2) != 0) {
        options.moduleWidth = 8;
        options.moduleHeight = 8;
        options.serpentine = true;
    }
    return options;
}

void BM_Bytes(benchmark::State& state)
{
    const CDotGrid& grid = LargeGrid();
    CByteLayout layout;
    QString error;
    layout.Set(grid.Width(), grid.Height(), OptionsOf(state), error);
    for (auto _ : state)
        benchmark::DoNotOptimize(CDotBytes::Encode(grid, layout));
}

void BM_CArrayText(benchmark::State& state)
{
    const CDotGrid& grid = LargeGrid();
    const SExportOptions options = OptionsOf(state);
    QByteArray text;
    QString error;
    for (auto _ : state) {
        CControllerExport::Render(grid, options, CControllerExport::CArray, QStringLiteral("sign"), text, error);
        benchmark::DoNotOptimize(text.data());
    }
    state.counters["chars"] = static_cast<double>(text.size());
}

} // namespace

// Arguments: planes (0 mono, 1 rgb), scan (0 rows, 1 columns), modules (0 none, 1 8 x 8 serpentine).
BENCHMARK(BM_Bytes)->Args({0, 0, 0})->Args({0, 1, 0})->Args({0, 0, 1})->Args({1, 0, 0})->Args({1, 1, 1})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CArrayText)->Args({0, 0, 0})->Args({1, 1, 1})->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
