#pragma once

#include "base/Color.h"
#include "base/LogFont.h"

#include <QString>

#include <functional>
#include <optional>

class QPrinter;
class QUrl;
class QWidget;

// What the New dialog returns on OK.
struct CNewCanvasRequest
{
    int nWidth = 0;
    int nHeight = 0;
    int nMode = 0; // 0 text mode, 1 image mode
};

// Every dialog the frame opens, each behind a function so that tests can
// answer in its place. An empty result means the dialog was cancelled.
struct CFrameDialogs
{
    std::function<std::optional<CNewCanvasRequest>()> askNewCanvas;
    std::function<QString()> askOpenFile;
    std::function<bool(QPrinter&)> askPrinter;
    std::function<std::optional<COLORREF>(COLORREF current)> askColor;
    std::function<std::optional<LogFont>(const LogFont& current)> askFont;
    std::function<void()> showAbout;
    std::function<bool(const QString& path)> openFile; // hands a file to the desktop's opener; false when none can show it
    std::function<void()> quit;                         // ends the event loop, no close events
    std::function<bool()> hasPrinter;                   // whether any printer is set up
    std::function<QString()> askPdfFile;                // the PDF file to print into
    std::function<void(const QString& text)> showMessage; // one plain message box

    // The real dialogs, owned by the given window.
    static CFrameDialogs Defaults(QWidget* owner);
};
