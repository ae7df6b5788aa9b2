// Frames of a scrolling sign: making 1,000 scroll frames of a 128 x 16 panel,
// writing 500 of them as an animated GIF, and the share of one core the LED
// preview takes to play a 256 x 64 sign at 60 frames a second.
//
// The preview runs on the platform Qt picks (offscreen without a display);
// under Xvfb (DISPLAY set) it paints through the X server as a desktop does.
#include "animation/FrameEffects.h"
#include "animation/GifWriter.h"
#include "animation/LedPreview.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <QFileInfo>
#include <QTemporaryDir>

#include <sys/resource.h>
#include <time.h>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int kRuns = 15;

CDotGrid Message(int width, int height)
{
    CDotGrid grid;
    grid.SetBackgroundColor(MakeColor(0, 64, 0), false);
    grid.Create(width, height, ImageMode);
    for (int r = 0; r < height; ++r)
        for (int c = 0; c < width; ++c)
            if ((c * 7 + r * 3) % 5 < 3)
                grid.SetDot(c, r, DotPalette[static_cast<std::size_t>((r + c) % 7)]);
    return grid;
}

double ThreadCpuMs()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

// Processor time of the running thread, so that other programs busy on a
// shared machine do not count.
template <typename F>
double MedianMs(F run)
{
    std::vector<double> times;
    for (int i = 0; i < kRuns; ++i) {
        const double start = ThreadCpuMs();
        run();
        times.push_back(ThreadCpuMs() - start);
    }
    std::nth_element(times.begin(), times.begin() + kRuns / 2, times.end());
    return times[kRuns / 2];
}

double CpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

void ScrollFrames()
{
    // 872 + 128 = 1,000 frames.
    const CDotGrid message = Message(872, 16);
    std::vector<SSignFrame> frames;
    QString error;
    const double ms = MedianMs([&] {
        CFrameEffects::Scroll(message, 128, 16, CFrameEffects::Direction::Left, 50, frames, error);
    });
    std::printf("scroll: %zu frames of 128 x 16 in %.2f ms of processor time (goal <= 50 ms)\n", frames.size(), ms);
}

// The frames of a message of messageWidth x height scrolling across a
// panelWidth-dot panel, each shown ms.
void FillScroll(CFrameList& list, int messageWidth, int height, int panelWidth, int ms)
{
    std::vector<SSignFrame> frames;
    QString error;
    CFrameEffects::Scroll(Message(messageWidth, height), panelWidth, height, CFrameEffects::Direction::Left, ms, frames,
                          error);
    list.Replace(std::move(frames), 0);
}

void GifFile()
{
    // 372 + 128 = 500 frames.
    CDotGrid live;
    CFrameList list(live);
    FillScroll(list, 372, 16, 128, 50);
    QString error;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("sign.gif"));
    const double ms = MedianMs([&] { CGifWriter::Write(list, path, error); });
    std::printf("gif: %d frames of 128 x 16 written in %.2f ms of processor time, %lld bytes (goal <= 1000 ms)\n", list.Count(), ms,
                static_cast<long long>(QFileInfo(path).size()));
}

void PreviewPlay()
{
    // A 256 x 64 sign scrolling, every frame 16 ms (62.5 a second), played
    // for three seconds in a window of 5 pixels a dot.
    CDotGrid live;
    CFrameList list(live);
    FillScroll(list, 512, 64, 256, 16);
    CLedPreview preview;
    preview.SetFrames(&list);
    preview.resize(256 * 5, 64 * 5);
    preview.show();
    QApplication::processEvents();
    int shown = 0;
    QObject::connect(&preview, &CLedPreview::FrameShown, [&shown] { ++shown; });
    QElapsedTimer wall;
    const double cpuStart = CpuSeconds();
    wall.start();
    preview.Play();
    QEventLoop loop;
    QTimer::singleShot(3000, &loop, &QEventLoop::quit);
    loop.exec();
    preview.Pause();
    const double cpu = CpuSeconds() - cpuStart;
    const double seconds = static_cast<double>(wall.elapsed()) / 1000.0;
    std::printf("preview (%s): 256 x 64 at %.1f frames a second, %.1f%% of one core (goal <= 25%%)\n",
                qPrintable(QGuiApplication::platformName()), shown / seconds, 100.0 * cpu / seconds);
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // One part alone when named: scroll, gif or preview.
    const QString only = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    if (only.isEmpty() || only == QLatin1String("scroll"))
        ScrollFrames();
    if (only.isEmpty() || only == QLatin1String("gif"))
        GifFile();
    if (only.isEmpty() || only == QLatin1String("preview"))
        PreviewPlay();
    return 0;
}
