// The frame's work on the interface thread: building the window, switching
// the menu language, recomputing every command state, laying out the rows.
#include "canvas/ImageView.h"
#include "dialogs/FlatSplitterWnd.h"
#include "base/CommandIds.h"
#include "frame/MainFrame.h"

#include <QAction>
#include <QApplication>

#include <benchmark/benchmark.h>

namespace {

void BM_CreateFrame(benchmark::State& state)
{
    for (auto _ : state) {
        CMainFrame frame(QStringLiteral("/nonexistent/option.ini"), false);
        benchmark::DoNotOptimize(frame.Canvas());
    }
}

void BM_SwitchLanguage(benchmark::State& state)
{
    CMainFrame frame(QStringLiteral("/nonexistent/option.ini"), false);
    int language = 0;
    for (auto _ : state) {
        frame.Action(CommandId::English + language)->trigger();
        language = (language + 1) % 3;
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

void BM_UpdateCommandStates(benchmark::State& state)
{
    CMainFrame frame(QStringLiteral("/nonexistent/option.ini"), false);
    for (auto _ : state)
        frame.UpdateCommandStates();
}

void BM_SplitterLayout(benchmark::State& state)
{
    std::vector<CRowColInfo> rows(2);
    int height = 300;
    for (auto _ : state) {
        rows[0].nIdealSize = height - 150;
        benchmark::DoNotOptimize(ComputeSplitterLayout(QSize(800, height), rows));
        height = height == 1200 ? 300 : height + 1;
    }
}

} // namespace

BENCHMARK(BM_CreateFrame)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SwitchLanguage)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_UpdateCommandStates)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SplitterLayout);

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
