#pragma once

#include "base/CanvasMode.h"
#include "base/Color.h"
#include "base/ExportOptions.h"
#include "base/LogFont.h"

#include <QString>

#include <functional>
#include <optional>

class CDotGrid;
class QPrinter;

// What the New dialog returns on OK.
struct CNewCanvasRequest
{
    int nWidth = 0;
    int nHeight = 0;
    int nMode = TextMode;
};

// What the Resize Canvas dialog returns on OK: the size and the anchor
// (a CanvasAnchor: where the present dots stay).
struct CCanvasSizeRequest
{
    int nWidth = 0;
    int nHeight = 0;
    int nAnchor = 0;
};

// Every dialog and message box of the program, each behind a function. The
// frame fills them with the real dialogs and hands the seam down to the
// canvas and the panes, which open nothing of their own; batch mode and
// tests answer in their place. An empty result means the dialog was
// cancelled; a function left empty behaves as a cancelled dialog.
struct CFrameDialogs
{
    std::function<std::optional<CNewCanvasRequest>()> askNewCanvas;
    std::function<QString()> askOpenFile;
    std::function<QString(const QString& prefill)> askSaveImagePath; // BMP or JPG, asks before overwriting
    std::function<QString(const QString& prefill)> askSaveDotPath;   // TXT
    std::function<bool(QPrinter&)> askPrinter;
    std::function<std::optional<COLORREF>(COLORREF current)> askColor;
    std::function<std::optional<LogFont>(const LogFont& current)> askFont;
    std::function<void(const QString& text)> showMessage; // one plain message box
    std::function<bool(const QString& question)> askYesNo; // true for Yes
    std::function<void()> showAbout;
    std::function<bool(const QString& path)> openFile; // hands a file to the desktop's opener; false when none can show it
    std::function<void()> quit;                         // ends the event loop, no close events
    std::function<bool()> hasPrinter;                   // whether any printer is set up
    std::function<QString()> askPdfFile;                // the PDF file to print into
    // Resize Canvas, starting from the present size, in the menu language.
    std::function<std::optional<CCanvasSizeRequest>(int width, int height, int language)> askCanvasSize;
    // File > Export: the form and options for these dots, starting from the
    // last request, then the file (asks before overwriting); language is
    // the menus' (0 English, 1 Simplified, 2 Traditional Chinese).
    std::function<std::optional<SExportRequest>(const CDotGrid& grid, const SExportRequest& last, int language)>
        askExport;

    QString AskSaveImagePath(const QString& prefill) const
    {
        return askSaveImagePath ? askSaveImagePath(prefill) : QString();
    }
    QString AskSaveDotPath(const QString& prefill) const
    {
        return askSaveDotPath ? askSaveDotPath(prefill) : QString();
    }
    bool AskYesNo(const QString& question) const { return askYesNo && askYesNo(question); }
    void ShowMessage(const QString& text) const
    {
        if (showMessage)
            showMessage(text);
    }
};
