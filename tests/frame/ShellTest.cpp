#include "FrameFixture.h"

#include "dialogs/FlatSplitterWnd.h"
#include "frame/HelpFile.h"
#include "frame/LockIndicators.h"
#include "frame/MenuTable.h"

#include <QDir>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QTest>
#include <QTextEdit>
#include <QToolBar>

#include <cstring>

using namespace CommandId;

namespace {

// Every text of the menu bar, depth first, separators as "-".
QStringList MenuTexts(const QList<QAction*>& actions)
{
    QStringList texts;
    for (const QAction* action : actions) {
        texts << (action->isSeparator() ? QStringLiteral("-") : action->text());
        if (action->menu())
            texts << MenuTexts(action->menu()->actions());
    }
    return texts;
}

QStringList TableTexts(int language)
{
    QStringList texts;
    for (const CMenuItem& item : kMenuTable)
        texts << (item.nId == CMenuItem::kSeparator ? QStringLiteral("-")
                                                    : QString::fromUtf8(item.aszText[std::size_t(language)]));
    return texts;
}

} // namespace

TEST_F(FrameTest, MenusAreRebuiltWholeInEachLanguage)
{
    // No settings file: Simplified Chinese, and its item is marked.
    EXPECT_EQ(MenuTexts(frame->menuBar()->actions()), TableTexts(kLanguageSimplified));
    EXPECT_TRUE(Act(ChineseSimplified)->isChecked());

    Trigger(English);
    const QStringList english = MenuTexts(frame->menuBar()->actions());
    EXPECT_EQ(english, TableTexts(kLanguageEnglish));
    EXPECT_EQ(english.mid(0, 4), (QStringList{"&File", "&New", "&Open", "-"}));
    EXPECT_TRUE(Act(English)->isChecked());
    EXPECT_FALSE(Act(ChineseSimplified)->isChecked());

    // The same language twice reloads the same menus.
    Trigger(ChineseTraditional);
    Trigger(ChineseTraditional);
    EXPECT_EQ(MenuTexts(frame->menuBar()->actions()), TableTexts(kLanguageTraditional));
    EXPECT_EQ(frame->menuBar()->actions().size(), 4);
    EXPECT_EQ(Act(Help)->text(), QStringLiteral("幫助(&H)"));

    // Prompts and tool tips stay English; only some commands have a prompt.
    EXPECT_EQ(Act(New)->statusTip(), QStringLiteral("New"));
    EXPECT_EQ(Act(Red + 4)->statusTip(), QStringLiteral("Pink"));
    EXPECT_TRUE(Act(Mirror)->statusTip().isEmpty());
    EXPECT_EQ(Act(Rotate)->toolTip(), QStringLiteral("Rotate"));
}

TEST_F(FrameTest, ToolbarButtonsInOrderWithTheirImages)
{
    const QList<int> expected = {1000, 1001, 1002, 1003, 0, 1005, 1006, 1007, 0,
                                 32777, 32778, 32779, 32780, 32781, 32782, 32783, 0,
                                 1011, 1012, 1013, 0, 1014, 1015, 1016, 1017, 1018, 0,
                                 32776, 0, 32789, 0};
    QList<int> actual;
    for (const QAction* action : frame->ToolBar()->actions()) {
        actual << (action->isSeparator() ? 0 : action->data().toInt());
        if (action->isSeparator())
            continue;
        // Each button shows its cell of the strip, light grey see-through.
        const QImage image = action->icon().pixmap(QSize(16, 15)).toImage();
        ASSERT_EQ(image.size(), QSize(16, 15));
        EXPECT_EQ(qAlpha(image.pixel(0, 14)), 0) << action->data().toInt();
    }
    EXPECT_EQ(actual, expected);
    EXPECT_EQ(Act(Red)->icon().pixmap(QSize(16, 15)).toImage().pixel(8, 7), qRgb(255, 0, 0));
    EXPECT_EQ(frame->toolBarArea(frame->ToolBar()), Qt::TopToolBarArea);
    EXPECT_EQ(frame->ToolBar()->allowedAreas(), Qt::AllToolBarAreas);
}

TEST_F(FrameTest, StartStateAndColourChecks)
{
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
