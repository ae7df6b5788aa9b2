#include "app/TessikApp.h"
#include "dialogs/AboutDlg.h"
#include "dialogs/SplashWnd.h"
#include "dotdata/SaveDot.h"
#include "frame/FrameDialogs.h"

#include "TestSupport.h"

#include <QApplication>
#include <QStandardPaths>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include <functional>

namespace {

// Runs show(), which opens a modal box, and returns the box's caption after
// closing it; empty when no box came up.
QString CaptionOfModalBox(const std::function<void()>& show)
{
    QString caption = QStringLiteral("(no box)");
    QTimer::singleShot(0, [&caption] {
        if (QWidget* box = QApplication::activeModalWidget()) {
            caption = box->windowTitle();
            box->close();
        }
    });
    show();
    return caption;
}

} // namespace

// Every box a person sees carries the product title, never the application
// name the settings are kept under.
TEST(Captions, EveryMessageBoxAndWindowSaysPellmark)
{
    QStandardPaths::setTestModeEnabled(true);
    CScratchDir dir;
    const QString missing = dir.FilePath(QStringLiteral("no/such/folder/file.txt"));

    // The message box of every command (a failed Save Dot among them) comes
    // up so whatever the display name is.
    QCoreApplication::setApplicationName(QStringLiteral("Tessik"));
    CFrameDialogs dialogs = MakeFrameDialogs(nullptr);
    dialogs.askSaveDotPath = [&](const QString&) { return missing; };
    EXPECT_EQ(CaptionOfModalBox([&] {
                  QString path;
                  EXPECT_FALSE(CSaveDot::Save(dialogs, QStringLiteral("1-1-1-R"), path));
              }),
              QStringLiteral("Pellmark"));

    EXPECT_EQ(CaptionOfModalBox([&] {
                  CTessikApp app;
                  EXPECT_FALSE(app.InitInstance({QStringLiteral("pellmark"), missing}));
              }),
              QStringLiteral("Pellmark"));
    EXPECT_EQ(QCoreApplication::applicationName(), QStringLiteral("Tessik"));
    EXPECT_EQ(QGuiApplication::applicationDisplayName(), QStringLiteral("Pellmark"));

    EXPECT_EQ(CSplashWnd(5).windowTitle(), QStringLiteral("Pellmark"));
    EXPECT_TRUE(CAboutDlg().windowTitle().endsWith(QStringLiteral("Pellmark")));
    QStandardPaths::setTestModeEnabled(false);
}
