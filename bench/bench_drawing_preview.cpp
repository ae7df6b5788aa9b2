// Live preview of the drawing tools on the largest canvas (1024 x 768 with
// grid lines) at dot size 8 in a 1600 x 1000 viewport: the time from a
// pointer move during a line or rectangle drag to the repainted window
// (the move, the new shape and the repaint of what it covers), and a full
// repaint of the window with a preview in progress. Median of many moves.
#include "BenchView.h"
#include "canvas/ImageView.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMouseEvent>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int kMoves = 60;

void Send(CImageView& view, QEvent::Type type, QPoint client, Qt::MouseButton button, Qt::MouseButtons held)
{
    QMouseEvent event(type, client, view.viewport()->mapToGlobal(client), button, held, Qt::NoModifier);
    QCoreApplication::sendEvent(view.viewport(), &event);
}

double Median(std::vector<double> times)
{
    std::nth_element(times.begin(), times.begin() + static_cast<long>(times.size() / 2), times.end());
    return times[times.size() / 2];
}

void Measure(CImageView& view, int tool, const char* name)
{
    view.TakeUpTool(tool);
    const QPoint start = view.DotToClient(view.ClientToDotAnywhere({40, 40}).x(), view.ClientToDotAnywhere({40, 40}).y()).center();
    Send(view, QEvent::MouseButtonPress, start, Qt::LeftButton, Qt::LeftButton);
    QApplication::processEvents();
    std::vector<double> moves;
    std::vector<double> full;
    for (int i = 0; i < kMoves; ++i) {
        // Sweeps across most of the window, so the preview covers hundreds of dots.
        const QPoint to(200 + (i * 23) % 1300, 150 + (i * 37) % 800);
        QElapsedTimer timer;
        timer.start();
        Send(view, QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton);
        view.viewport()->repaint(); // a whole-window repaint bounds the dirty area's
        full.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
        timer.restart();
        Send(view, QEvent::MouseMove, to + QPoint(8, 8), Qt::NoButton, Qt::LeftButton);
        QApplication::processEvents(); // the repaint of only what the preview covered
        moves.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
    }
    Send(view, QEvent::MouseButtonRelease, start, Qt::LeftButton, Qt::NoButton);
    std::printf("%-10s move and partial repaint %.2f ms, move and full repaint %.2f ms\n", name, Median(moves),
                Median(full));
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    CImageView view;
    ShowBenchView(view);
    view.Document().NewCanvas(kMaxCanvasWidth, kMaxCanvasHeight, ImageMode);
    view.SetShowGrid(1);
    while (view.DotSize() < 8)
        view.ZoomIn();
    QApplication::processEvents();
    std::printf("platform %s, viewport %dx%d, grid %dx%d, dot size %d, median of %d moves\n",
                qPrintable(QApplication::platformName()), view.viewport()->width(), view.viewport()->height(),
                view.Grid().Width(), view.Grid().Height(), view.DotSize(), kMoves);
    Measure(view, CImageView::LineTool, "line");
    Measure(view, CImageView::RectangleTool, "rectangle");
    Measure(view, CImageView::FilledEllipseTool, "ellipse");
    return 0;
}
