#pragma once

#include "base/CanvasMode.h"
#include "base/Color.h"
#include "base/ExportOptions.h"
#include "base/LogFont.h"

#include <QDateTime>
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

// What the Scroll dialog returns on OK: the sign the canvas moves across
// and the speed in dots a second.
struct CScrollRequest
{
    int nPanelWidth = 0;
    int nPanelHeight = 0;
    int nSpeed = 0;
};

// The one-number questions of the frame commands.
enum class EFrameNumber { WipeSpeed, BlinkMs, FrameDurationMs };
// The answers to "save the changes first?".
enum class ESaveChoice { Save, Discard, Cancel };

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
    // The language ShowMessage puts messages into; left empty (batch mode),
    // they stay in the English they are made in.
    std::function<int()> messageLanguage;
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
    std::function<std::optional<CScrollRequest>(const CScrollRequest& suggested)> askScroll;
    std::function<std::optional<int>(EFrameNumber what, int current)> askFrameNumber;
    std::function<QString(const QString& prefill)> askSaveAnimationPath; // GIF, asks before overwriting
    std::function<QString(const QString& prefill)> askSaveFramesPath;    // PNG or BMP
    // Project files; the texts follow the interface language.
    std::function<QString(int language)> askOpenProject;
    std::function<QString(int language, const QString& prefill)> askSaveProjectPath;
    // The document has unsaved changes: save them first, throw them away,
    // or keep working (also what a closed box means).
    std::function<ESaveChoice(int language, const QString& name)> askSaveChanges;
    // Unsaved work of an earlier run (last written at when) was found:
    // true restores it, false throws it away, nothing decides later.
    std::function<std::optional<bool>(int language, const QDateTime& when)> askRestoreWork;

    QString AskSaveImagePath(const QString& prefill) const
    {
        return askSaveImagePath ? askSaveImagePath(prefill) : QString();
    }
    QString AskSaveDotPath(const QString& prefill) const
    {
        return askSaveDotPath ? askSaveDotPath(prefill) : QString();
    }
    ESaveChoice AskSaveChanges(int language, const QString& name) const
    {
        return askSaveChanges ? askSaveChanges(language, name) : ESaveChoice::Cancel;
    }
    bool AskYesNo(const QString& question) const { return askYesNo && askYesNo(question); }
    // A message made in English (base/MessageTexts.h), in the message language.
    void ShowMessage(const QString& english) const;
};
