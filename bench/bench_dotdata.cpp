// Dot-data listing through the real pane and worker: the time from starting a
// generation to the final "\t\t100%" for a fully lit 1024 x 768 canvas in
// image and text mode, the same generation handing over one entry at a time
// (measured on 128 x 96 and scaled by the entry count), and the longest time
// the interface thread went without handling a 5 ms timer during each run.
#include "dotdata/DotListing.h"
#include "dotdata/DotTextWorker.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QPlainTextEdit>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

struct SRun
{
    double dSecondsTo100 = 0;
    double dSecondsToFinished = 0;
    qint64 nLongestGapMs = 0;
    int nChars = 0;
};

CDotGrid LitGrid(int width, int height, int mode)
{
    CDotGrid grid;
    grid.Create(width, height, mode);
    for (int row = 0; row < height; ++row)
        for (int column = 0; column < width; ++column)
            grid.SetDot(column, row, DotPalette[static_cast<std::size_t>((row + column) % kPaletteSize)]);
    return grid;
}

// Landscape text whose cells of 32 dots fill the width, as text rendering makes it.
CCanvasText TextFor(const CDotGrid& grid)
{
    CCanvasText text;
    const int chars = grid.Width() / 32;
    for (int i = 0; i < chars; ++i)
        text.m_szText += QChar(0x4E00 + i);
    for (std::size_t i = 0; i < text.m_abCharColor.size(); ++i)
        text.m_abCharColor[i] = static_cast<std::uint8_t>(i % 7);
    return text;
}

SRun Measure(QPlainTextEdit& pane, const CDotGrid& grid, int chunkChars)
{
    CDotTextWorker worker(&pane);
    worker.SetChunkChars(chunkChars);
    SRun run;
    QElapsedTimer clock;
    QElapsedTimer sinceTick;
    QTimer ticker;
    ticker.setInterval(5);
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        run.nLongestGapMs = std::max(run.nLongestGapMs, sinceTick.restart());
    });
    QObject::connect(&worker, &CDotTextWorker::StatusText, [&](int, const QString& text) {
        if (text == CDotListing::StatusFor(100))
            run.dSecondsTo100 = clock.nsecsElapsed() / 1e9;
    });
    QEventLoop loop;
    QObject::connect(&worker, &CDotTextWorker::Finished, &loop, &QEventLoop::quit);

    const CCanvasText text = TextFor(grid);
    ticker.start();
    sinceTick.start();
    clock.start();
    worker.Start(grid, text);
    loop.exec();
    run.dSecondsToFinished = clock.nsecsElapsed() / 1e9;
    run.nLongestGapMs = std::max(run.nLongestGapMs, sinceTick.elapsed());
    run.nChars = pane.document()->characterCount() - 1;
    return run;
}

// The writer alone into a sink that only counts, for comparison.
class CCountingSink : public CDotListingSink
{
public:
    void Insert(const QString& text) override { m_nChars += static_cast<int>(text.size()); }
    void Status(const QString&) override {}
    int m_nChars = 0;
};

double MeasureWriterAlone(const CDotGrid& grid)
{
    CCountingSink sink;
    QElapsedTimer clock;
    clock.start();
    CDotListing(sink).Generate(grid, TextFor(grid));
    return clock.nsecsElapsed() / 1e9;
}

void Report(const char* name, const SRun& run)
{
    std::printf("%-34s to 100%%: %7.3f s  finished: %7.3f s  longest UI gap: %4lld ms  chars: %d\n", name,
                run.dSecondsTo100, run.dSecondsToFinished, static_cast<long long>(run.nLongestGapMs), run.nChars);
}

SRun MedianOfThree(const char* name, QPlainTextEdit& pane, const CDotGrid& grid, int chunkChars)
{
    std::vector<SRun> runs;
    for (int i = 0; i < 3; ++i) {
        runs.push_back(Measure(pane, grid, chunkChars));
        Report(name, runs.back());
    }
    qint64 longestGap = 0;
    for (const SRun& run : runs)
        longestGap = std::max(longestGap, run.nLongestGapMs);
    std::sort(runs.begin(), runs.end(),
              [](const SRun& a, const SRun& b) { return a.dSecondsTo100 < b.dSecondsTo100; });
    SRun median = runs[1];
    median.nLongestGapMs = longestGap;
    return median;
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    QPlainTextEdit pane;
    pane.setReadOnly(true);
    pane.resize(1024, 768);
    pane.show();

    const CDotGrid largeImage = LitGrid(CDotGrid::kMaxWidth, CDotGrid::kMaxHeight, CDotGrid::ImageMode);
    CDotGrid largeText = largeImage;
    largeText.SetMode(CDotGrid::TextMode);
    const CDotGrid smallImage = LitGrid(128, 96, CDotGrid::ImageMode);
    const double scale = double(CDotGrid::kMaxWidth * CDotGrid::kMaxHeight) / (128.0 * 96.0);

    std::printf("writer alone, no pane: image %.3f s, text %.3f s\n", MeasureWriterAlone(largeImage),
                MeasureWriterAlone(largeText));
    // The machine is shared, so each case runs three times; the summary uses
    // the median time and the longest gap of all runs.
    const SRun image = MedianOfThree("image mode 1024x768", pane, largeImage, CDotListing::kDefaultChunkChars);
    const SRun textMode = MedianOfThree("text mode 1024x768", pane, largeText, CDotListing::kDefaultChunkChars);
    const SRun naive = MedianOfThree("image mode 128x96, one per entry", pane, smallImage, 1);

    const double naiveFull = naive.dSecondsTo100 * scale;
    std::printf("\nsummary (median of three, longest gap of three)\n");
    std::printf("image mode: %.3f s to 100%%, UI blocked at most %lld ms\n", image.dSecondsTo100,
                static_cast<long long>(image.nLongestGapMs));
    std::printf("text mode:  %.3f s to 100%%, UI blocked at most %lld ms\n", textMode.dSecondsTo100,
                static_cast<long long>(textMode.nLongestGapMs));
    std::printf("one insertion per entry: %.3f s on 128x96, scaled x%.0f to %.1f s for 1024x768\n",
                naive.dSecondsTo100, scale, naiveFull);
    std::printf("speed-up over one insertion per entry: image %.0fx, text %.0fx\n",
                naiveFull / image.dSecondsTo100, naiveFull / textMode.dSecondsTo100);
    return 0;
}
