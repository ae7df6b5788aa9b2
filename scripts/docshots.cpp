// Draws the README's pictures of the main window: a text-mode canvas with
// two merged Chinese characters, and an image-mode picture with an overlay.
// Usage: docshots OUTPUT_FOLDER
#include "canvas/ImageView.h"
#include "frame/MainFrame.h"
#include "textinput/InputTextView.h"

#include <QApplication>
#include <QDir>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTextEdit>

namespace {

void Type(CInputTextView& pane, const QString& text)
{
    QInputMethodEvent typed;
    typed.setCommitString(text);
    QCoreApplication::sendEvent(pane.RichEdit(), &typed);
}

void Save(CMainFrame& frame, const QString& path)
{
    QCoreApplication::processEvents();
    frame.grab().save(path);
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc < 2)
        return 2;
    const QDir out(QString::fromLocal8Bit(argv[1]));
    QTemporaryDir settings;
    CMainFrame frame(settings.filePath(QStringLiteral("option.ini")), false);
    frame.resize(900, 600);
    frame.show();
    CImageView& canvas = *frame.Canvas();
    CInputTextView& pane = *frame.InputPane();

    canvas.NewCanvas(32, 16, 0);
    pane.SetInputMode(0);
    LogFont font = pane.CurrentFont();
    font.lfFaceName = QStringLiteral("WenQuanYi Zen Hei");
    font.lfHeight = 16;
    pane.ApplyFont(font);
    pane.SelectColor(0);
    Type(pane, QStringLiteral("你"));
    pane.SelectColor(3);
    Type(pane, QStringLiteral("好"));
    pane.OnMergeText();
    canvas.ZoomIn();
    canvas.ZoomIn();
    Save(frame, out.filePath(QStringLiteral("text-mode.png")));

    canvas.NewCanvas(64, 32, 1);
    pane.SetInputMode(1);
    for (int i = 0; i < 64; ++i) {
        canvas.Grid().SetDot(i, 0, DotPalette[static_cast<std::size_t>(i / 8 % 7)]);
        canvas.Grid().SetDot(i, 31, DotPalette[static_cast<std::size_t>(i / 8 % 7)]);
    }
    font.lfFaceName = QStringLiteral("DejaVu Sans");
    font.lfHeight = 14;
    pane.ApplyFont(font);
    pane.RichEdit()->clear();
    pane.SelectColor(6);
    Type(pane, QStringLiteral("SALE"));
    pane.SetOverlayPosition(12, 8);
    Save(frame, out.filePath(QStringLiteral("image-mode.png")));
    return 0;
}
