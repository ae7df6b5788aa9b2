#pragma once

#include "canvas/ImageView.h"
#include "base/CommandIds.h"
#include "frame/MainFrame.h"
#include "textinput/InputTextView.h"
#include "TestSupport.h"

#include <QAction>

#include <gtest/gtest.h>

#include <memory>

// A real main frame without the splash, with every dialog answering
// "cancel" until a test says otherwise, and its settings in a scratch folder.
class FrameTest : public ::testing::Test
{
protected:
    void SetUp() override { frame = MakeFrame(); }

    std::unique_ptr<CMainFrame> MakeFrame()
    {
        auto made = std::make_unique<CMainFrame>(SettingsPath(), false);
        CFrameDialogs& dialogs = made->Dialogs();
        dialogs.askNewCanvas = [] { return std::optional<CNewCanvasRequest>(); };
        dialogs.askOpenFile = [] { return QString(); };
        dialogs.askSaveImagePath = [](const QString&) { return QString(); };
        dialogs.askSaveDotPath = [](const QString&) { return QString(); };
        dialogs.showMessage = [this](const QString& text) { messages << text; };
        dialogs.askPrinter = [](QPrinter&) { return false; };
        dialogs.askColor = [](COLORREF) { return std::optional<COLORREF>(); };
        dialogs.askFont = [](const LogFont&) { return std::optional<LogFont>(); };
        dialogs.showAbout = [] {};
        dialogs.openFile = [this](const QString& path) { return openedFiles << path, true; };
        dialogs.quit = [this] { ++quitCount; };
        dialogs.hasPrinter = [] { return true; };
        dialogs.askPdfFile = [] { return QString(); };
        dialogs.showMessage = [this](const QString& text) { messages << text; };
        return made;
    }

    QString SettingsPath() const { return dir.FilePath(QStringLiteral("option.ini")); }
    CImageView* Canvas() const { return frame->Canvas(); }
    CInputTextView* Pane() const { return frame->InputPane(); }
    QAction* Act(int id) const { return frame->Action(id); }
    void Trigger(int id) const { Act(id)->trigger(); }

    void NewCanvas(int width, int height, int mode) const
    {
        frame->Dialogs().askNewCanvas = [=] { return std::optional<CNewCanvasRequest>({width, height, mode}); };
        Trigger(CommandId::New);
    }

    CScratchDir dir;
    QStringList openedFiles;
    QStringList messages;
    int quitCount = 0;
    std::unique_ptr<CMainFrame> frame;
};
