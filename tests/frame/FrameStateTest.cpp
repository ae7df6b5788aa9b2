#include "FrameFixture.h"

#include "canvas/ImageView.h"
#include "dialogs/FlatSplitterWnd.h"
#include "frame/CommandIds.h"
#include "frame/HelpFile.h"
#include "frame/LockIndicators.h"
#include "textinput/InputTextView.h"

#include <QDir>
#include <QLabel>
#include <QStatusBar>
#include <QTest>
#include <QTextEdit>
#include <QToolBar>

#include <cstring>

using namespace CommandId;

TEST_F(FrameTest, StartStateOfTheCommands)
{
    frame->UpdateCommandStates();
    // Dot text pane hidden: the dot data cannot be saved or printed yet.
    EXPECT_FALSE(Act(SaveDot)->isEnabled());
    EXPECT_FALSE(Act(Print)->isEnabled());
    EXPECT_TRUE(Act(SaveImage)->isEnabled());
    EXPECT_TRUE(Act(ViewImage)->isChecked());
    // Nothing typed: no merge and no text moves.
    EXPECT_FALSE(Act(MergeText)->isEnabled());
    for (int id = TextUp; id <= TextOrigin; ++id)
        EXPECT_FALSE(Act(id)->isEnabled()) << id;
    EXPECT_FALSE(Act(Pan)->isChecked());
    for (const int id : {New, Open, Exit, Mirror, Flip, Rotate, ZoomIn, ZoomOut, ToggleGrid, BackgroundColor, Font, Help, About})
        EXPECT_TRUE(Act(id)->isEnabled()) << id;
}

TEST_F(FrameTest, ColourChecksFollowTheGridAtOnce)
{
    for (int i = 0; i < 7; ++i) {
        Trigger(Red + i);
        EXPECT_EQ(frame->Canvas()->Grid().ColorIndex(), i);
        for (int id = Red; id <= Orange; ++id)
            EXPECT_EQ(Act(id)->isChecked(), id == Red + i) << i << " " << id;
    }
    // Clicking the checked button again keeps it checked: a colour is always chosen.
    Trigger(Orange);
    EXPECT_TRUE(Act(Orange)->isChecked());
}

TEST_F(FrameTest, StatusTextGoesRightAlignedToItsPane)
{
    EXPECT_EQ(frame->StatusPaneText(1), QStringLiteral("100%"));
    frame->OnStatusText(1, QStringLiteral("\t\t37%"));
    EXPECT_EQ(frame->StatusPaneText(1), QStringLiteral("37%"));
    frame->OnStatusText(1, QStringLiteral("\t\t100%"));
    EXPECT_EQ(frame->StatusPaneText(1), QStringLiteral("100%"));
    // Other indices are checked, not trusted.
    frame->OnStatusText(5, QStringLiteral("x"));
    frame->OnStatusText(-1, QStringLiteral("x"));
    EXPECT_EQ(frame->StatusPaneText(1), QStringLiteral("100%"));
    frame->OnStatusText(0, QStringLiteral("Ready"));
    EXPECT_EQ(frame->StatusPaneText(0), QStringLiteral("Ready"));

    const auto labels = frame->statusBar()->findChildren<QLabel*>();
    int panes = 0;
    for (const QLabel* label : labels) {
        panes += label->parent() == frame->statusBar() ? 1 : 0;
        if (label->text() == QStringLiteral("100%")) {
            EXPECT_TRUE(label->alignment() & Qt::AlignRight);
        }
    }
    EXPECT_EQ(panes, 4); // panes 1 to 4 beside the message pane
}

TEST(LockIndicators, ReadFromTheKeyboardLeds)
{
    CScratchDir leds;
    QDir dir(leds.Path());
    const auto led = [&](const QString& name, const QByteArray& value) {
        dir.mkpath(name);
        WriteAll(dir.filePath(name + QStringLiteral("/brightness")), value);
    };
    led(QStringLiteral("input3::capslock"), "1\n");
    led(QStringLiteral("input3::numlock"), "0\n");
    led(QStringLiteral("input7::numlock"), "1\n"); // a second keyboard
    led(QStringLiteral("input3::scrolllock"), "0\n");
    const CLockIndicators locks(leds.Path());
    EXPECT_TRUE(locks.IsOn(CLockIndicators::CapsLock));
    EXPECT_TRUE(locks.IsOn(CLockIndicators::NumLock));
    EXPECT_FALSE(locks.IsOn(CLockIndicators::ScrollLock));
    // No LEDs to read: every lock counts as off.
    const CLockIndicators none(leds.FilePath(QStringLiteral("missing")));
    EXPECT_FALSE(none.IsOn(CLockIndicators::CapsLock));
}

TEST_F(FrameTest, HelpOpensThePageOfTheLanguageBesideTheExecutable)
{
    const QString exeDir = QCoreApplication::applicationDirPath();
    const QString oldCurrent = QDir::currentPath();
    QDir::setCurrent(dir.Path());
    Trigger(English);
    Trigger(Help);
    Trigger(ChineseSimplified);
    Trigger(Help);
    Trigger(ChineseTraditional);
    Trigger(Help);
    QDir::setCurrent(oldCurrent);
    EXPECT_EQ(openedFiles, (QStringList{QDir(exeDir).filePath(QStringLiteral("help_en.html")),
                                        QDir(exeDir).filePath(QStringLiteral("help_chs.html")),
                                        QDir(exeDir).filePath(QStringLiteral("help_cht.html"))}));
    // The build puts the pages there.
    for (const QString& path : std::as_const(openedFiles))
        EXPECT_TRUE(QFile::exists(path)) << path.toStdString();
    EXPECT_EQ(HelpFileName(9), QStringLiteral("help_chs.html"));
}

TEST_F(FrameTest, CanvasRowFollowsTheWindowHeight)
{
    // Before any resize the top row asks for 400 pixels.
    EXPECT_EQ(frame->Splitter()->RowInfo(0).nIdealSize, 400);
    frame->show();
    const int menuHeight = frame->height() - frame->ClientHeight();
    frame->resize(700, 600 + menuHeight);
    QCoreApplication::processEvents();
    ASSERT_EQ(frame->ClientHeight(), 600);
    EXPECT_EQ(frame->Splitter()->RowInfo(0).nIdealSize, 450);
    frame->resize(700, 800 + menuHeight);
    QCoreApplication::processEvents();
    EXPECT_EQ(frame->Splitter()->RowInfo(0).nIdealSize, 650);
    // The input row keeps 143 pixels less the two bars.
    const int bars = frame->ToolBar()->height() + frame->statusBar()->height();
    EXPECT_EQ(frame->Splitter()->RowInfo(1).nCurSize, 143 - bars);
    EXPECT_EQ(frame->Canvas()->height(), 650);
}

TEST_F(FrameTest, ActivePaneIsTheOneLastClicked)
{
    frame->show();
    EXPECT_EQ(frame->ActivePane(), frame->Canvas());
    QTest::mouseClick(frame->InputPane()->RichEdit()->viewport(), Qt::LeftButton);
    EXPECT_EQ(frame->ActivePane(), frame->InputPane());
    QTest::mouseClick(frame->Canvas()->viewport(), Qt::LeftButton);
    EXPECT_EQ(frame->ActivePane(), frame->Canvas());
    // Clicking a bar does not change it.
    QTest::mouseClick(frame->ToolBar(), Qt::LeftButton);
    EXPECT_EQ(frame->ActivePane(), frame->Canvas());
}

TEST_F(FrameTest, CancelledDialogsChangeNothing)
{
    CDotGrid& grid = frame->Canvas()->Grid();
    grid.Create(24, 16, 1);
    const CDotGrid before = grid;
    int asked = 0;
    frame->Dialogs().askNewCanvas = [&] { ++asked; return std::optional<CNewCanvasRequest>(); };
    Trigger(New);
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(grid.Width(), 24);
    EXPECT_EQ(grid.Height(), 16);
    EXPECT_EQ(grid.Mode(), 1);
    EXPECT_EQ(0, std::memcmp(grid.Bits(), before.Bits(), grid.ByteCount()));

    Trigger(BackgroundColor);
    Trigger(Open);
    Trigger(Font);
    EXPECT_EQ(grid.BackColor(), before.BackColor());
    EXPECT_EQ(grid.Width(), 24);
}

TEST_F(FrameTest, KeyboardShortcutsReachTheCommands)
{
    frame->show();
    QApplication::setActiveWindow(frame.get());
    int asked = 0;
    frame->Dialogs().askNewCanvas = [&] { ++asked; return std::optional<CNewCanvasRequest>(); };
    QTest::keyClick(frame->Canvas(), Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(asked, 1);
    // Also while typing in the input pane.
    QTest::keyClick(frame->InputPane()->RichEdit(), Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(asked, 2);
}
