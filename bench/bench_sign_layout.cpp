// Time of one keystroke in image mode with a 100-character message on a
// 1024 x 768 canvas: the input pane reads the text and its colours, the
// canvas lays the overlay out again (wrapped from X/Y, centred on the ink,
// fitted to the rows). Typing a character and taking it back alternate, so
// the message stays at 100 characters. Prints the median of many keystrokes,
// without and with the repaint that follows.
#include "canvas/ImageView.h"
#include "frame/PaneLink.h"
#include "textinput/InputTextView.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTextCursor>
#include <QTextEdit>

#include <algorithm>
#include <ctime>
#include <utility>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

constexpr int kKeystrokes = 80;
constexpr int kMessageLength = 100;

double ThreadCpuMs()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

// The median wall time of a step, and the median processor time of this
// thread (on a shared machine the wall time also counts the waits).
std::pair<double, double> MedianMs(const std::function<void(int)>& step)
{
    std::vector<double> times;
    std::vector<double> cpu;
    for (int i = 0; i < kKeystrokes; ++i) {
        QElapsedTimer timer;
        timer.start();
        const double cpuStart = ThreadCpuMs();
        step(i);
        cpu.push_back(ThreadCpuMs() - cpuStart);
        times.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
    }
    std::nth_element(times.begin(), times.begin() + kKeystrokes / 2, times.end());
    std::nth_element(cpu.begin(), cpu.begin() + kKeystrokes / 2, cpu.end());
    return {times[kKeystrokes / 2], cpu[kKeystrokes / 2]};
}

// One keystroke at the end of the text: a character typed, or taken back.
void Keystroke(QTextEdit* edit, int i)
{
    QTextCursor cursor = edit->textCursor();
    cursor.movePosition(QTextCursor::End);
    if (i % 2 == 0)
        cursor.insertText(QStringLiteral("x"));
    else
        cursor.deletePreviousChar();
    edit->setTextCursor(cursor);
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    CImageView canvas;
    CInputTextView pane;
    canvas.resize(1600, 1000);
    canvas.show();
    LinkPanes(&canvas, &pane);
    canvas.NewCanvas(1024, 768, ImageMode);
    pane.SetInputMode(ImageMode);

    QString message;
    const QString phrase = QString::fromUtf8("欢迎光临 Welcome to our shop! ");
    while (message.size() < kMessageLength)
        message += phrase;
    message.truncate(kMessageLength);

    struct SCase
    {
        const char* name;
        int size;
        SSignLayoutOptions options;
    };
    SSignLayoutOptions centred;
    centred.nAlignH = centred.nAlignV = SSignLayoutOptions::AlignCentre;
    SSignLayoutOptions fitted = centred;
    fitted.bFitHeight = true;
    const SCase cases[] = {
        {"size 24, wrapped from X/Y", 24, {}},
        {"size 64, wrapped from X/Y", 64, {}},
        {"size 24, centred on both axes", 24, centred},
        {"fitted to 768 rows, centred", 24, fitted},
    };
    std::printf("sign layout: one keystroke, %d-character message, 1024 x 768 image-mode canvas\n", kMessageLength);
    for (const SCase& c : cases) {
        LogFont font = pane.CurrentFont();
        font.lfFaceName = QStringLiteral("WenQuanYi Zen Hei");
        font.lfHeight = c.size;
        pane.ApplyFont(font);
        pane.SetLayoutOptions(c.options);
        pane.SetInputText(message);
        pane.SetCharacterColors({0, 0, 0, 0, 1});
        QTextEdit* edit = pane.RichEdit();
        const auto layout = MedianMs([edit](int i) { Keystroke(edit, i); });
        const auto painted = MedianMs([edit, &canvas](int i) {
            Keystroke(edit, i);
            canvas.viewport()->repaint();
        });
        std::printf("  %-32s %6.2f ms per keystroke (%5.2f ms processor), %6.2f ms with the repaint (%5.2f)\n",
                    c.name, layout.first, layout.second, painted.first, painted.second);
    }
    return 0;
}
