#pragma once

#include "canvas/ImageView.h"
#include "base/CommandIds.h"
#include "frame/MainFrame.h"
#include "textinput/InputTextView.h"
#include "TestSupport.h"

#include <QAction>
#include <QImage>

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
        // Unsaved work is thrown away without a word unless a test asks.
        dialogs.askSaveChanges = [this](int, const QString& name) { return saveQuestions << name, saveAnswer; };
        dialogs.askOpenProject = [](int) { return QString(); };
        dialogs.askSaveProjectPath = [](int, const QString&) { return QString(); };
        dialogs.askRestoreWork = [](int, const QDateTime&) { return std::optional<bool>(); };
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

    // A 16 x 8 image-mode canvas opened from a picture with lit dots at
    // (0,0) red, (1,0) red, (7,7) green and (9,0) blue.
    void OpenSample()
    {
        NewCanvas(16, 8, 1);
        QImage image(16, 8, QImage::Format_RGB888);
        image.fill(QColor(10, 20, 30));
        image.setPixelColor(0, 0, Qt::red);
        image.setPixelColor(1, 0, Qt::red);
        image.setPixelColor(7, 7, QColor(0, 255, 0));
        image.setPixelColor(9, 0, Qt::blue);
        const QString path = dir.FilePath(QStringLiteral("sample.bmp"));
        ASSERT_TRUE(image.save(path, "BMP"));
        frame->Dialogs().askOpenFile = [path] { return path; };
        Trigger(CommandId::Open);
    }

    CScratchDir dir;
    QStringList openedFiles;
    QStringList messages;
    int quitCount = 0;
    QStringList saveQuestions;
    ESaveChoice saveAnswer = ESaveChoice::Discard;
    std::unique_ptr<CMainFrame> frame;
};
