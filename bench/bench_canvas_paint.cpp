// Time of one full repaint of the canvas: a 1024 x 768 grid with grid lines
// in a 1600 x 1000 viewport, at several dot sizes. Prints the median of many
// repaints for each size.
#include "BenchView.h"
#include "canvas/ImageView.h"

#include <QApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int kRuns = 60;

void FillPattern(CDotGrid& grid)
{
    for (int r = 0; r < grid.Height(); r += 3)
        for (int c = 0; c < grid.Width(); c += 5)
            grid.SetDot(c, r, DotPalette[static_cast<std::size_t>((r + c) % 7)]);
}

double MedianRepaintMs(CImageView& view)
{
    std::vector<double> times;
    times.reserve(kRuns);
    view.viewport()->repaint();
    for (int i = 0; i < kRuns; ++i) {
        QElapsedTimer timer;
        timer.start();
        view.viewport()->repaint();
        times.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
    }
    std::nth_element(times.begin(), times.begin() + kRuns / 2, times.end());
    return times[kRuns / 2];
}

void ZoomTo(CImageView& view, int size)
{
    while (view.DotSize() > size)
        view.ZoomOut();
    while (view.DotSize() < size)
        view.ZoomIn();
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    CImageView view;
    ShowBenchView(view);

    view.Grid().Create(kMaxCanvasWidth, kMaxCanvasHeight, ImageMode);
    FillPattern(view.Grid());
    view.SetShowGrid(1);
    view.SetGridSize(view.Grid().Width(), view.Grid().Height());

    std::printf("platform %s, viewport %dx%d, grid %dx%d, median of %d repaints\n",
                qPrintable(QApplication::platformName()), view.viewport()->width(),
                view.viewport()->height(), view.Grid().Width(), view.Grid().Height(), kRuns);
    for (int size : {0, 2, 8, 20}) {
        ZoomTo(view, size);
        QApplication::processEvents();
        std::printf("dot size %2d: %.2f ms\n", size, MedianRepaintMs(view));
    }
    // The image-mode text overlay is drawn on top of the dots at every paint.
    view.Text().m_szText = QStringLiteral("Overlay text across the sign, wrapped at the right edge of the grid.");
    view.Text().m_lfText.lfHeight = -40;
    ZoomTo(view, 2);
    QApplication::processEvents();
    std::printf("dot size  2 with overlay text: %.2f ms\n", MedianRepaintMs(view));
    return 0;
}
