#include "FrameFixture.h"
#include "SevenColours.h"

#include "dialogs/FlatSplitterWnd.h"
#include "frame/HelpFile.h"
#include "frame/LockIndicators.h"

#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QTest>
#include <QTextEdit>
#include <QToolBar>

#include <algorithm>
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

// Command ids of the menu bar, depth first: 0 for a submenu, -1 for a separator.
QList<int> MenuIds(const QList<QAction*>& actions)
{
    QList<int> ids;
    for (const QAction* action : actions) {
        ids << (action->isSeparator() ? -1 : action->menu() ? 0 : action->data().toInt());
        if (action->menu())
            ids << MenuIds(action->menu()->actions());
    }
    return ids;
}

// The three menu bars, written out by hand, depth first.
const QStringList kEnglishMenu = {
    "&File", "&New", "&Open", "-", "&Save", "Save &Image", "-", "&Print", "-", "&Exit", "-", "E&xport...",
    "&Edit", "&Undo", "&Redo", "-", "&Mirror", "&Flip", "&Rotate", "-", "Change &Color", "&Red", "&Green", "&Blue", "&Yellow", "&Pink",
    "&White", "&Orange", "&Picture Colors", "Exact Colors", "Nearest Color", "Dithered", "-", "&Zoom In", "Zoom &Out", "Toggle &Grid", "-", "Merge &Text",
    "-", "Cu&t", "Cop&y", "Pa&ste", "&Delete", "Select &All", "-", "Resize Can&vas...", "Crop to Se&lection",
    "&System", "View &Image", "&Background Color...", "&Font...", "&Language", "&English", "Chinese &Simplified",
    "Chinese &Traditional", "&Help", "&Help", "&About...",
    "&Tools", "&Click Dots", "&Pencil", "&Line", "&Rectangle", "F&illed Rectangle", "&Ellipse", "Fille&d Ellipse",
    "&Fill", "Color Pic&ker", "&Select",
};
const QStringList kSimplifiedMenu = {
    "文件(&F)", "新建图像(&N)", "打开图像(&O)", "-", "保存点阵数据(&S)", "保存图像(&I)", "-", "打印(&P)", "-", "退出(&E)", "-", "导出...(&X)",
    "编辑(&E)", "撤销(&U)", "重做(&R)", "-", "左右调换(&M)", "上下调换(&F)", "旋转90度(&R)", "-", "修改格点颜色(&C)", "红色(&R)", "绿色(&G)",
    "蓝色(&B)", "黄色(&Y)", "粉红色(&P)", "白色(&W)", "橙色(&O)", "图片颜色(&P)", "精确颜色", "最接近颜色", "抖动", "-", "放大格点(&Z)", "缩小格点(&O)", "切换格线(&G)", "-",
    "合并文字(&T)", "-", "剪切(&T)", "复制(&Y)", "粘贴(&S)", "删除(&D)", "全选(&A)", "-", "调整画布大小(&V)...", "裁剪到选区(&L)",
    "系统(&S)", "查看图片(&I)", "背景色...(&B)", "输入区字体...(&F)", "&Language", "&English",
    "Chinese &Simplified", "Chinese &Traditional", "帮助(&H)", "帮助(&H)", "关于...(&A)",
    "工具(&T)", "单点(&C)", "铅笔(&P)", "直线(&L)", "矩形(&R)", "实心矩形(&I)", "椭圆(&E)", "实心椭圆(&D)", "填充(&F)", "取色(&K)",
    "选择(&S)",
};
const QStringList kTraditionalMenu = {
    "文件(&F)", "新建圖像(&N)", "打開圖像(&O)", "-", "保存點陣資料(&S)", "保存圖像(&I)", "-", "打印(&P)", "-", "退出(&E)", "-", "匯出...(&X)",
    "編輯(&E)", "復原(&U)", "取消復原(&R)", "-", "左右調換(&M)", "上下調換(&F)", "旋轉90度(&R)", "-", "修改格點顏色(&C)", "紅色(&R)", "綠色(&G)",
    "藍色(&B)", "黃色(&Y)", "粉紅色(&P)", "白色(&W)", "橙色(&O)", "圖片顏色(&P)", "精確顏色", "最接近顏色", "抖動", "-", "放大格點(&Z)", "縮小格點(&O)", "切換格線(&G)", "-",
    "合併文字(&T)", "-", "剪下(&T)", "複製(&Y)", "貼上(&S)", "刪除(&D)", "全選(&A)", "-", "調整畫布大小(&V)...", "裁剪到選取範圍(&L)",
    "系統(&S)", "查看图片(&I)", "背景色...(&B)", "輸入區字體...(&F)", "&Language", "&English",
    "Chinese &Simplified", "Chinese &Traditional", "説明(&H)", "幫助(&H)", "關於...(&A)",
    "工具(&T)", "單點(&C)", "鉛筆(&P)", "直線(&L)", "矩形(&R)", "實心矩形(&I)", "橢圓(&E)", "實心橢圓(&D)", "填滿(&F)", "取色(&K)",
    "選取(&S)",
};

} // namespace

TEST_F(FrameTest, MenusAreRebuiltWholeInEachLanguage)
{
    // No settings file: Simplified Chinese, and its item is marked.
    EXPECT_EQ(MenuTexts(frame->menuBar()->actions()), kSimplifiedMenu);
    EXPECT_TRUE(Act(ChineseSimplified)->isChecked());

    Trigger(English);
    EXPECT_EQ(MenuTexts(frame->menuBar()->actions()), kEnglishMenu);
    EXPECT_TRUE(Act(English)->isChecked());
    EXPECT_FALSE(Act(ChineseSimplified)->isChecked());

    // The same language twice reloads the same menus.
    Trigger(ChineseTraditional);
    Trigger(ChineseTraditional);
    EXPECT_EQ(MenuTexts(frame->menuBar()->actions()), kTraditionalMenu);
    EXPECT_EQ(frame->menuBar()->actions().size(), 5);

    // Every language has the same commands in the same places.
    EXPECT_EQ(MenuIds(frame->menuBar()->actions()),
              (QList<int>{0, 1000, 1001, -1, 1002, 1003, -1, 32787, -1, 1004, -1, 32870,
                          0, 32850, 32851, -1, 1005, 1006, 1007, -1, 0, 32777, 32778, 32779, 32780, 32781, 32782, 32783,
                          0, 32795, 32796, 32797, -1, 1011, 1012, 1013, -1, 2207,
                          -1, 32910, 32911, 32912, 32913, 32914, -1, 32915, 32916,
                          0, 32776, 32786, 1021, 0, 2100, 2101, 2102,
                          0, 32788, 1024,
                          0, 32900, 32901, 32902, 32903, 32904, 32905, 32906, 32907, 32908, 32909}));

    // Prompts and tool tips stay English; only some commands have a prompt.
    EXPECT_EQ(Act(New)->statusTip(), QStringLiteral("New"));
    EXPECT_TRUE(Act(Mirror)->statusTip().isEmpty());
    EXPECT_EQ(Act(Rotate)->toolTip(), QStringLiteral("Rotate"));
}

TEST_F(FrameTest, EachColourCommandSelectsItsColourAndCarriesItsName)
{
    for (const SDotColour& colour : kSevenColours) {
        const int id = 32777 + colour.index;
        EXPECT_EQ(Act(id)->statusTip(), QString::fromLatin1(colour.name));
        // The toolbar button is a swatch of the colour.
        EXPECT_EQ(Act(id)->icon().pixmap(QSize(16, 15)).toImage().pixel(8, 7),
                  qRgb(colour.red, colour.green, colour.blue)) << colour.name;
        Trigger(id);
        EXPECT_EQ(Canvas()->Grid().DotColor(), colour.Value()) << colour.name;
        for (const SDotColour& other : kSevenColours)
            EXPECT_EQ(Act(32777 + other.index)->isChecked(), other.index == colour.index) << colour.name;
    }
}

TEST_F(FrameTest, ToolbarButtonsInOrderWithTheirImages)
{
    const QList<int> expected = {1000, 1001, 1002, 1003, 0, 1005, 1006, 1007, 0,
                                 32777, 32778, 32779, 32780, 32781, 32782, 32783, 0,
                                 1011, 1012, 1013, 0, 1014, 1015, 1016, 1017, 1018, 0,
                                 32776, 0, 32789, 0,
                                 32900, 32901, 32902, 32903, 32904, 32905, 32906, 32907, 32908, 32909};
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
