// Saving and opening the largest project: a 1024 x 768 canvas with 511
// characters of text, each in its own colour. The dots are a dithered
// pattern of all seven colours and the background, the hardest case for the
// PNG compressor; a sparse sign is much quicker. Also the part of an
// autosave that runs on the interface thread: taking the snapshot of the
// document (canvas and input pane) that the worker then writes.
#include "base/FrameDialogs.h"
#include "canvas/CanvasDocument.h"
#include "dotdata/ProjectFile.h"
#include "frame/CommandSteps.h"

#include <QApplication>

#include <QFileInfo>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

SProject LargestProject(bool dithered)
{
    SProject p;
    p.m_grid.Create(kMaxCanvasWidth, kMaxCanvasHeight, ImageMode);
    std::uint32_t noise = 12345;
    for (int r = 0; r < p.m_grid.Height(); ++r) {
        for (int c = 0; c < p.m_grid.Width(); ++c) {
            noise = noise * 1103515245u + 12345u;
            const int index = dithered ? static_cast<int>((noise >> 16) % 8) : ((r % 9 == 0 && c % 4 == 0) ? r % 7 : 7);
            if (index < kPaletteSize)
                p.m_grid.SetDot(c, r, DotPalette[static_cast<std::size_t>(index)]);
        }
    }
    for (int i = 0; i < 511; ++i) {
        p.m_text.m_szText += QChar(0x4E00 + i * 7);
        p.m_text.m_abCharColor[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(i % 7);
        p.m_input.m_szText += QChar(0x4E00 + i * 7);
        p.m_input.m_acrColor.push_back(DotPalette[static_cast<std::size_t>(i % 7)]);
    }
    return p;
}

void BM_SaveProject(benchmark::State& state)
{
    const SProject project = LargestProject(state.range(0) != 0);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("largest.png"));
    QString error;
    for (auto _ : state) {
        if (!CProjectFile::Save(path, project, error))
            state.SkipWithError(qPrintable(error));
    }
    state.counters["bytes"] = static_cast<double>(QFileInfo(path).size());
}

void BM_OpenProject(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("largest.png"));
    QString error;
    CProjectFile::Save(path, LargestProject(state.range(0) != 0), error);
    for (auto _ : state) {
        SProject project;
        if (CProjectFile::Load(path, project, error) != CProjectFile::Ok)
            state.SkipWithError(qPrintable(error));
        benchmark::DoNotOptimize(project.m_grid.Bits());
    }
}

void BM_AutosaveSnapshot(benchmark::State& state)
{
    CCanvasDocument document;
    const CFrameDialogs dialogs;
    CCommandSteps steps(document, dialogs);
    steps.RestoreProject(LargestProject(true));
    for (auto _ : state) {
        const SProject snapshot = steps.Project();
        benchmark::DoNotOptimize(snapshot.m_grid.Bits());
    }
}

} // namespace

// Argument 1: dithered dots everywhere; 0: a sparse sign.
BENCHMARK(BM_SaveProject)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenProject)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AutosaveSnapshot)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
