#include "app/TessikApp.h"
#include "app/TessikDoc.h"
#include "canvas/ImageView.h"
#include "frame/MainFrame.h"

#include "TestSupport.h"

#include <QCoreApplication>
#include <QFile>
#include <QGuiApplication>
#include <QSettings>
#include <QStandardPaths>

#include <gtest/gtest.h>


namespace {

// The recent-file list lives in the per-user settings: each test keeps its
// own copy in a folder of its own, apart from the user's and from tests
// running at the same time.
class TessikAppTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        QStandardPaths::setTestModeEnabled(true);
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_settings.Path());
    }
    void TearDown() override { QStandardPaths::setTestModeEnabled(false); }

private:
    CScratchDir m_settings;
};

} // namespace

TEST_F(TessikAppTest, FileArgumentOnlyNamesTheDocumentAndEntersTheRecentList)
{
    CScratchDir dir;
    QStringList named;
    for (int i = 0; i < 5; ++i) {
        named << dir.FilePath(QStringLiteral("sign%1.bmp").arg(i));
        WriteAll(named.last(), "not read");
        CTessikDoc doc;
        doc.SetPathName(named.last());
        EXPECT_EQ(doc.PathName(), named.last());
    }
    // Newest first, four kept.
    EXPECT_EQ(CTessikDoc::RecentFiles(), (QStringList{named[4], named[3], named[2], named[1]}));

    CTessikApp app;
    ASSERT_TRUE(app.InitInstance({QStringLiteral("pellmark"), named[0]}));
    EXPECT_EQ(CTessikDoc::RecentFiles().first(), named[0]);
    EXPECT_EQ(app.MainFrame()->windowTitle(), QStringLiteral("Pellmark"));
    EXPECT_TRUE(app.MainFrame()->isVisible());
    EXPECT_FALSE(app.MainFrame()->isMaximized());
}

TEST_F(TessikAppTest, FileThatCannotBeOpenedEndsStartUp)
{
    CScratchDir dir;
    CTessikApp app;
    QStringList messages;
    app.SetShowMessage([&messages](const QString& text) { messages << text; });
    EXPECT_FALSE(app.InitInstance({QStringLiteral("pellmark"), dir.FilePath(QStringLiteral("missing.bmp"))}));
    EXPECT_EQ(messages.size(), 1);
    EXPECT_EQ(app.MainFrame(), nullptr);

    // A FIFO without a writer is refused at once instead of blocking the start.
    const QString fifo = dir.FilePath(QStringLiteral("fifo.bmp"));
    ASSERT_TRUE(MakeFifo(fifo));
    EXPECT_FALSE(app.InitInstance({QStringLiteral("pellmark"), fifo}));
    EXPECT_EQ(messages.size(), 2);
    EXPECT_EQ(app.MainFrame(), nullptr);
}

TEST(TessikAppStart, NoDisplayEndsWithOneLineAndStatusOne)
{
    CScratchDir dir;
    const QString file = dir.FilePath(QStringLiteral("doc.txt"));
    ASSERT_TRUE(WriteAll(file, "x"));
    for (const QStringList& args : {QStringList(), QStringList{file}}) {
        const SProcessResult r = RunPellmark(args);
        EXPECT_EQ(r.exitCode, 1) << r.err.toStdString();
        EXPECT_EQ(r.err.count('\n'), 1) << r.err.toStdString();
        EXPECT_TRUE(r.err.startsWith("pellmark: cannot open the display")) << r.err.toStdString();
        EXPECT_TRUE(r.out.isEmpty());
    }
}

TEST_F(TessikAppTest, StartsWithoutAFileUnderItsNames)
{
    CTessikApp app;
    ASSERT_TRUE(app.InitInstance({QStringLiteral("pellmark")}));
    ASSERT_NE(app.MainFrame(), nullptr);
    EXPECT_TRUE(app.Document()->PathName().isEmpty());
    EXPECT_EQ(QCoreApplication::applicationName(), QStringLiteral("Tessik"));
    EXPECT_EQ(QGuiApplication::applicationDisplayName(), QStringLiteral("Pellmark"));
}

// The message names the first file as given, its control characters shown, not obeyed.
TEST_F(TessikAppTest, TheFileThatCannotBeOpenedIsNamedQuoted)
{
    CScratchDir dir;
    const QString path = dir.FilePath(QStringLiteral("a\nb.bmp"));
    CTessikApp app;
    QStringList messages;
    app.SetShowMessage([&messages](const QString& text) { messages << text; });
    EXPECT_FALSE(app.InitInstance({QStringLiteral("pellmark"), path, QStringLiteral("other.bmp")}));
    ASSERT_EQ(messages.size(), 1);
    // In whichever language the settings keep.
    EXPECT_TRUE(messages[0].contains(dir.Path() + QStringLiteral("/a\\nb.bmp"))) << messages[0].toStdString();
    EXPECT_FALSE(messages[0].contains(QLatin1Char('\n')));
    EXPECT_FALSE(messages[0].contains(QStringLiteral("other")));
}

// A project named at start-up opens whole; the file also names the document.
TEST_F(TessikAppTest, AProjectNamedAtStartOpens)
{
    CScratchDir dir;
    const QString project = dir.FilePath(QStringLiteral("sign.png"));
    const SProcessResult made = RunPellmark({"--new", "24x16:image", "--dot-color", "green", "--set-dot", "5,9",
                                             "--save-project", project});
    ASSERT_EQ(made.exitCode, 0) << made.err.toStdString();
    CTessikApp app;
    ASSERT_TRUE(app.InitInstance({QStringLiteral("pellmark"), project}));
    const CDotGrid& grid = app.MainFrame()->Canvas()->Grid();
    EXPECT_EQ(grid.Width(), 24);
    EXPECT_EQ(grid.Height(), 16);
    EXPECT_EQ(grid.DisplayDotAt(5, 9), DotPalette[1]);
    EXPECT_EQ(grid.DisplayDotAt(5, 6), grid.BackColor());
    EXPECT_EQ(app.Document()->PathName(), project);
}
