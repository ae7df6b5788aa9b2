// Text-mode rendering: the whole grid rebuilt from the merged text, as on
// every Merge Text and every offset or stretch step.
#include "CommonChars.h"
#include "base/CanvasText.h"
#include "base/DotGrid.h"
#include "textinput/TextRenderer.h"

#include <QGuiApplication>
#include <QTextCursor>
#include <QTextDocument>

#include <benchmark/benchmark.h>

namespace {

void RenderMerged(benchmark::State& state, const QString& text, int cell, int stretch)
{
    CDotGrid grid;
    CCanvasText canvasText;
    CTextRenderer renderer(grid, canvasText);
    grid.Create(cell, cell, TextMode);
    CTextRenderer::SetUpNewCanvas(canvasText, cell, cell, TextMode);
    QTextDocument document;
    QTextCursor(&document).insertText(text);
    LogFont font;
    font.lfFaceName = QStringLiteral("WenQuanYi Zen Hei");
    font.lfHeight = cell;
    renderer.MergeText(&document, font);
    canvasText.m_nStretch = stretch;
    for (auto _ : state) {
        renderer.RenderText();
        benchmark::DoNotOptimize(grid.Bits());
    }
    state.SetItemsProcessed(state.iterations() * canvasText.m_szText.size());
}

void BM_Render511HanAt16(benchmark::State& state)
{
    RenderMerged(state, QString(511, QChar(0x56FD)), 16, 0);
}

// 511 different characters: no glyph repeats, so no cache of the
// rasteriser helps.
void BM_Render511CommonHanAt16(benchmark::State& state)
{
    RenderMerged(state, CommonHanzi().left(511), 16, 0);
}

void BM_Render64HanAt64Squashed(benchmark::State& state)
{
    RenderMerged(state, QString(64, QChar(0x56FD)), 64, -8);
}

} // namespace

BENCHMARK(BM_Render511HanAt16)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Render511CommonHanAt16)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Render64HanAt64Squashed)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv); // glyphs need the font database
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
