// Undo and redo on the largest canvas, and what a long run of clicks keeps.
// The history alone, and the canvas's Undo and Redo with their layout step.
#include "canvas/CanvasHistory.h"
#include "canvas/ImageView.h"

#include <QApplication>

#include <benchmark/benchmark.h>
#include <malloc.h>

#include <memory>

namespace {

void Paint(CDotGrid& grid)
{
    for (int r = 0; r < grid.Height(); r += 3)
        for (int c = 0; c < grid.Width(); c += 5)
            grid.SetDot(c, r, DotPalette[static_cast<std::size_t>((r + c) % 7)]);
}

struct SLargest
{
    SLargest()
    {
        grid.Create(kMaxCanvasWidth, kMaxCanvasHeight, ImageMode);
        Paint(grid);
    }
    CDotGrid grid;
    CCanvasText text;
    CCanvasHistory history{grid, text};
};

void RecordRotate(SLargest& s)
{
    s.history.RecordWhole(CCanvasHistory::Kind::Rotate, [&s] { return s.grid.Rotate(); });
}

void BM_RotateRecorded(benchmark::State& state)
{
    SLargest s;
    for (auto _ : state) {
        state.PauseTiming();
        s.history.Clear();
        s.grid.Create(kMaxCanvasWidth, kMaxCanvasHeight, ImageMode);
        Paint(s.grid);
        state.ResumeTiming();
        RecordRotate(s);
        benchmark::DoNotOptimize(s.grid.Bits());
    }
}

void BM_HistoryUndoRotate(benchmark::State& state)
{
    SLargest s;
    RecordRotate(s);
    for (auto _ : state) {
        s.history.Undo();
        benchmark::DoNotOptimize(s.grid.Bits());
        state.PauseTiming();
        s.history.Redo();
        state.ResumeTiming();
    }
}

void BM_HistoryRedoRotate(benchmark::State& state)
{
    SLargest s;
    RecordRotate(s);
    for (auto _ : state) {
        state.PauseTiming();
        s.history.Undo();
        state.ResumeTiming();
        s.history.Redo();
        benchmark::DoNotOptimize(s.grid.Bits());
    }
}

void BM_HistoryUndoBackground(benchmark::State& state)
{
    SLargest s;
    s.history.SetBackgroundColor(MakeColor(10, 20, 30));
    for (auto _ : state) {
        s.history.Undo();
        benchmark::DoNotOptimize(s.grid.Bits());
        state.PauseTiming();
        s.history.Redo();
        state.ResumeTiming();
    }
}

// The canvas's own Undo and Redo of a Rotate, with the layout step the
// change of size needs.
void CanvasRotateStep(benchmark::State& state, bool undo)
{
    CImageView view;
    view.resize(1024, 768);
    view.NewCanvas(kMaxCanvasWidth, kMaxCanvasHeight, ImageMode);
    Paint(view.Grid());
    view.Rotate();
    // Only the step being measured is timed; the other one sets it up again.
    const auto timed = undo ? &CImageView::Undo : &CImageView::Redo;
    const auto untimed = undo ? &CImageView::Redo : &CImageView::Undo;
    if (!undo)
        view.Undo();
    for (auto _ : state) {
        (view.*timed)();
        state.PauseTiming();
        (view.*untimed)();
        state.ResumeTiming();
    }
}

void BM_CanvasUndoRotate(benchmark::State& state)
{
    CanvasRotateStep(state, true);
}

void BM_CanvasRedoRotate(benchmark::State& state)
{
    CanvasRotateStep(state, false);
}

// Ten thousand single clicks: the bytes the history counts, and the heap it
// really takes (allocator statistics before and after).
void BM_TenThousandClicks(benchmark::State& state)
{
    std::size_t stored = 0;
    std::size_t heap = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto s = std::make_unique<SLargest>();
        const std::size_t before = mallinfo2().uordblks;
        state.ResumeTiming();
        for (int i = 0; i < 10000; ++i)
            s->history.EditDot(i % kMaxCanvasWidth, i / kMaxCanvasWidth, DotPalette[static_cast<std::size_t>(i % 7)]);
        state.PauseTiming();
        heap = mallinfo2().uordblks - before;
        stored = s->history.StoredBytes();
        s.reset();
        state.ResumeTiming();
    }
    state.counters["stored_KiB"] = static_cast<double>(stored) / 1024.0;
    state.counters["heap_KiB"] = static_cast<double>(heap) / 1024.0;
}

} // namespace

BENCHMARK(BM_RotateRecorded)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HistoryUndoRotate)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_HistoryRedoRotate)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_HistoryUndoBackground)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CanvasUndoRotate)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CanvasRedoRotate)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TenThousandClicks)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
