#include "FrameFixture.h"
#include "SevenColours.h"

#include "dialogs/FlatSplitterWnd.h"
#include "frame/HelpFile.h"
#include "frame/LockIndicators.h"

#include <QDir>
#include <QLabel>
#include <QMenuBar>
#include <QStatusBar>
#include <QTest>
#include <QTextEdit>
#include <QTimer>
#include <QToolBar>

#include <algorithm>
#include <cstring>

using namespace CommandId;

TEST_F(FrameTest, EachColourCommandSelectsItsColourAndCarriesItsName)
{
    for (const SDotColour& colour : kSevenColours) {
        const int id = Red + colour.index;
        EXPECT_EQ(Act(id)->statusTip(), QString::fromLatin1(colour.name));
        // The toolbar button is a swatch of the colour.
        EXPECT_EQ(Act(id)->icon().pixmap(QSize(16, 15)).toImage().pixel(8, 7),
                  qRgb(colour.red, colour.green, colour.blue)) << colour.name;
        Trigger(id);
        EXPECT_EQ(Canvas()->Grid().DotColor(), colour.Value()) << colour.name;
        for (const SDotColour& other : kSevenColours)
            EXPECT_EQ(Act(Red + other.index)->isChecked(), other.index == colour.index) << colour.name;
    }
}

TEST_F(FrameTest, StartStateAndColourChecks)
{
    EXPECT_EQ(frame->windowTitle(), QStringLiteral("Pellmark"));
    // Dot text pane hidden: the dot data cannot be saved or printed yet.
    EXPECT_FALSE(Act(SaveDot)->isEnabled());
    EXPECT_FALSE(Act(Print)->isEnabled());
    EXPECT_TRUE(Act(SaveImage)->isEnabled());
    EXPECT_TRUE(Act(ViewImage)->isChecked());
    EXPECT_FALSE(Act(MergeText)->isEnabled());
    EXPECT_FALSE(Act(TextUp)->isEnabled());
    EXPECT_FALSE(Act(Pan)->isChecked());

    // A colour's check moves at once; clicking the checked one keeps it.
    for (const int id : {Red + 2, Orange, Orange}) {
        Trigger(id);
        EXPECT_EQ(Canvas()->Grid().ColorIndex(), id - Red);
        for (int other = Red; other <= Orange; ++other)
            EXPECT_EQ(Act(other)->isChecked(), other == id) << other;
    }
}

TEST_F(FrameTest, StatusPanesAndLockIndicators)
{
    EXPECT_EQ(frame->StatusPaneText(1), QStringLiteral("100%"));
    frame->OnStatusText(1, QStringLiteral("\t\t37%"));
    EXPECT_EQ(frame->StatusPaneText(1), QStringLiteral("37%"));
    // The percentage is the listing's progress, not a zoom level, and its tip says so.
    const QList<QLabel*> panes = frame->statusBar()->findChildren<QLabel*>();
    const auto progress = std::find_if(panes.begin(), panes.end(),
                                       [](const QLabel* pane) { return pane->text() == QStringLiteral("37%"); });
    ASSERT_NE(progress, panes.end());
    EXPECT_TRUE((*progress)->toolTip().contains(QStringLiteral("listing"))) << (*progress)->toolTip().toStdString();
    // Indices outside the five panes are ignored.
    frame->OnStatusText(5, QStringLiteral("x"));
    frame->OnStatusText(-1, QStringLiteral("x"));
    EXPECT_EQ(frame->StatusPaneText(1), QStringLiteral("37%"));

    CScratchDir leds;
    const auto led = [&](const QString& name, const QByteArray& value) {
        QDir(leds.Path()).mkpath(name);
        WriteAll(leds.FilePath(name + QStringLiteral("/brightness")), value);
    };
    led(QStringLiteral("input3::capslock"), "1\n");
    led(QStringLiteral("input3::numlock"), "0\n");
    led(QStringLiteral("input7::numlock"), "1\n"); // a second keyboard
    led(QStringLiteral("input3::scrolllock"), "0\n");
    const CLockIndicators locks(leds.Path());
    EXPECT_TRUE(locks.IsOn(CLockIndicators::CapsLock));
    EXPECT_TRUE(locks.IsOn(CLockIndicators::NumLock));
    EXPECT_FALSE(locks.IsOn(CLockIndicators::ScrollLock));
    EXPECT_FALSE(CLockIndicators(leds.FilePath(QStringLiteral("none"))).IsOn(CLockIndicators::CapsLock));
}

TEST_F(FrameTest, HelpOpensThePageOfTheLanguageBesideTheExecutable)
{
    const QDir exeDir(QCoreApplication::applicationDirPath());
    const QString oldCurrent = QDir::currentPath();
    QDir::setCurrent(dir.Path());
    for (const int language : {English, ChineseSimplified, ChineseTraditional}) {
        Trigger(language);
        Trigger(Help);
    }
    QDir::setCurrent(oldCurrent);
    EXPECT_EQ(openedFiles, (QStringList{exeDir.filePath(QStringLiteral("help_en.html")),
                                        exeDir.filePath(QStringLiteral("help_chs.html")),
                                        exeDir.filePath(QStringLiteral("help_cht.html"))}));
    for (const QString& path : std::as_const(openedFiles))
        EXPECT_TRUE(QFile::exists(path)) << path.toStdString(); // put there by the build
}

TEST_F(FrameTest, CanvasRowFollowsTheWindowHeight)
{
    EXPECT_EQ(frame->Splitter()->RowInfo(0).nIdealSize, 400); // until the first resize
    frame->show();
    const int menuHeight = frame->height() - frame->ClientHeight();
    frame->resize(700, 600 + menuHeight);
    QCoreApplication::processEvents();
    ASSERT_EQ(frame->ClientHeight(), 600);
    EXPECT_EQ(frame->Splitter()->RowInfo(0).nIdealSize, 450);
    frame->resize(700, 800 + menuHeight);
    QCoreApplication::processEvents();
    EXPECT_EQ(frame->Splitter()->RowInfo(0).nIdealSize, 650);
    EXPECT_EQ(Canvas()->height(), 650);
    // The input row keeps 143 pixels less the two bars.
    const int bars = frame->ToolBar()->height() + frame->statusBar()->height();
    EXPECT_EQ(frame->Splitter()->RowInfo(1).nCurSize, 143 - bars);
}

TEST_F(FrameTest, TheFirstLayoutLeavesTheMenuBarOut)
{
    frame->show();
    QCoreApplication::processEvents();
    const int menuHeight = frame->menuBar()->height();
    ASSERT_GT(menuHeight, 0);
    EXPECT_EQ(frame->ClientHeight(), frame->height() - menuHeight);
    const int first = frame->Splitter()->RowInfo(0).nIdealSize;
    EXPECT_EQ(first, frame->height() - menuHeight - 150);
    // A resize to the same height finds nothing to correct.
    frame->resize(frame->width() + 10, frame->height());
    QCoreApplication::processEvents();
    EXPECT_EQ(frame->Splitter()->RowInfo(0).nIdealSize, first);
}

TEST_F(FrameTest, CancelledNewChangesNothingAndShortcutsReachIt)
{
    frame->show();
    QApplication::setActiveWindow(frame.get());
    CDotGrid& grid = Canvas()->Grid();
    grid.Create(24, 16, 1);
    const CDotGrid before = grid;
    int asked = 0;
    frame->Dialogs().askNewCanvas = [&] { ++asked; return std::optional<CNewCanvasRequest>(); };
    QTest::keyClick(Canvas(), Qt::Key_N, Qt::ControlModifier);
    QTest::keyClick(Pane()->RichEdit(), Qt::Key_N, Qt::ControlModifier); // also while typing
    EXPECT_EQ(asked, 2);
    EXPECT_EQ(grid.Width(), 24);
    EXPECT_EQ(grid.Height(), 16);
    EXPECT_EQ(grid.Mode(), 1);
    EXPECT_EQ(0, std::memcmp(grid.Bits(), before.Bits(), grid.ByteCount()));
}

TEST(HelpFile, InstalledProgramFindsItsPagesUnderShare)
{
    CScratchDir dir;
    QDir root(dir.Path());
    root.mkpath(QStringLiteral("bin"));
    root.mkpath(QStringLiteral("share/pellmark/help"));
    const QString bin = root.filePath(QStringLiteral("bin"));
    // Nothing anywhere: the page beside the executable, which the opener will not find.
    EXPECT_EQ(HelpFilePath(bin, 0), QDir(bin).filePath(QStringLiteral("help_en.html")));
    WriteAll(root.filePath(QStringLiteral("share/pellmark/help/help_cht.html")), "<html></html>");
    EXPECT_EQ(HelpFilePath(bin, 2), root.filePath(QStringLiteral("share/pellmark/help/help_cht.html")));
    // A page beside the executable wins, as in the build folder.
    WriteAll(QDir(bin).filePath(QStringLiteral("help_cht.html")), "<html></html>");
    EXPECT_EQ(HelpFilePath(bin, 2), QDir(bin).filePath(QStringLiteral("help_cht.html")));
}

// What the user sees of the bars before touching anything: the toolbar's
// 16 x 15 buttons without texts, movable and floatable; the status panes
// right-aligned, each wide enough for its widest text with 8 pixels to
// spare; menus without button images; files taken by dropping.
TEST_F(FrameTest, TheBarsAndTheWindowAsFirstShown)
{
    EXPECT_EQ(frame->size(), QSize(800, 600));
    EXPECT_TRUE(frame->acceptDrops());
    QToolBar* bar = frame->ToolBar();
    EXPECT_EQ(bar->iconSize(), QSize(16, 15));
    EXPECT_EQ(bar->toolButtonStyle(), Qt::ToolButtonIconOnly);
    EXPECT_TRUE(bar->isMovable());
    EXPECT_TRUE(bar->isFloatable());
    EXPECT_EQ(bar->objectName(), QStringLiteral("MainToolBar")); // the name its place is saved under
    for (QAction* action : frame->actions())
        EXPECT_FALSE(action->isIconVisibleInMenu()) << action->text().toStdString();

    // Panes 1 to 4 of the status bar, in that order after the message area.
    const QList<QLabel*> labels = frame->statusBar()->findChildren<QLabel*>(QString(), Qt::FindDirectChildrenOnly);
    ASSERT_GE(labels.size(), 5);
    const char* widest[] = {"100%", "CAP", "NUM", "SCRL"};
    for (int pane = 1; pane <= 4; ++pane) {
        const QLabel* label = labels.at(pane);
        const QString text = QString::fromLatin1(widest[pane - 1]);
        EXPECT_EQ(label->alignment(), Qt::AlignRight | Qt::AlignVCenter) << pane;
        EXPECT_EQ(label->minimumWidth(), label->fontMetrics().horizontalAdvance(text) + 8) << pane;
    }
    EXPECT_EQ(labels.at(1)->text(), QStringLiteral("100%"));
    EXPECT_EQ(frame->StatusPaneText(5), QString());
    EXPECT_EQ(frame->StatusPaneText(-1), QString());
    // The lock keys are switched anywhere on the desktop: their panes are
    // read again a few times a second, not only when the window hears a key.
    const QList<QTimer*> timers = frame->findChildren<QTimer*>(QString(), Qt::FindDirectChildrenOnly);
    EXPECT_TRUE(std::any_of(timers.begin(), timers.end(), [](const QTimer* timer) {
        return timer->isActive() && !timer->isSingleShot() && timer->interval() > 0 && timer->interval() <= 500;
    }));
    // A message sent to pane 0 loses its leading tabs too.
    frame->OnStatusText(0, QStringLiteral("\t\tReady"));
    EXPECT_EQ(frame->StatusPaneText(0), QStringLiteral("Ready"));
}
