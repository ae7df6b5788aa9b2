// Draws the README's picture of the drawing tools: shapes drawn through the
// drawing steps, a selection being moved (floating over the dots, with its
// frame), the Tools buttons and the pointer readout in the status bar.
// Usage: drawingshot OUTPUT.png (run it on a display, e.g. under Xvfb)
#include "base/CommandIds.h"
#include "canvas/DotSelection.h"
#include "canvas/ImageView.h"
#include "frame/DrawingSteps.h"
#include "frame/MainFrame.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTemporaryDir>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc < 2)
        return 2;
    QTemporaryDir settings;
    CMainFrame frame(settings.filePath(QStringLiteral("option.ini")), false);
    frame.OnCommand(CommandId::English);
    frame.resize(1000, 640);
    frame.show();
    frame.Dialogs().askNewCanvas = [] { return std::optional<CNewCanvasRequest>({64, 32, ImageMode}); };
    frame.OnCommand(CommandId::New);
    CImageView& canvas = *frame.Canvas();
    while (canvas.DotSize() < 12)
        canvas.ZoomIn();

    CDrawingSteps& draw = frame.Drawing();
    canvas.SetDotColor(0);
    draw.Rectangle({2, 2}, {21, 13}, false, true);
    canvas.SetDotColor(3);
    draw.Fill({5, 5}, true);
    canvas.SetDotColor(1);
    draw.Ellipse({24, 2}, {39, 17}, true, true);
    canvas.SetDotColor(5);
    draw.Ellipse({27, 5}, {36, 14}, false, true);
    canvas.SetDotColor(6);
    draw.Line({2, 29}, {61, 18}, true);
    canvas.SetDotColor(2);
    draw.Rectangle({44, 2}, {60, 12}, true, true);

    // The blue block lifted and moved down, not yet put down.
    frame.OnCommand(CommandId::ToolSelect);
    canvas.Selection().Select(QRect(44, 2, 17, 11));
    canvas.Selection().MoveBy(QPoint(-2, 6));
    canvas.Repaint();

    const QPoint pointer = canvas.DotToClient(50, 12).center();
    QMouseEvent move(QEvent::MouseMove, pointer, canvas.viewport()->mapToGlobal(pointer), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QCoreApplication::sendEvent(canvas.viewport(), &move);
    frame.UpdateCommandStates();
    for (int i = 0; i < 20; ++i)
        QCoreApplication::processEvents();
    return frame.grab().save(QString::fromLocal8Bit(argv[1])) ? 0 : 1;
}
