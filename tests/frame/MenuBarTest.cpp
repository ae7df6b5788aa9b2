// The menu bar and the toolbar as they must read: every item's command, text
// and place in the three languages, written out by hand, against the menus
// and the toolbar the frame builds from the command registry.
#include "FrameFixture.h"
#include "SevenColours.h"

#include "base/Languages.h"
#include "base/TriText.h"
#include "canvas/ImageView.h"
#include "dotdata/ListingView.h"
#include "frame/CommandRegistry.h"

#include <QCoreApplication>
#include <QEvent>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

#include <memory>
#include <vector>

using namespace CommandId;

namespace {

// The command column of a row that is no command.
constexpr int kSubmenu = 0;
constexpr int kLine = -1;
const STriText kLineText = {"-", "-", "-"};

// One item of the menu bar: how deep it sits (0 = the bar itself), the
// command it runs and its text in each language.
struct SMenuRow
{
    int nDepth;
    int nId;
    STriText text;
};

// The menu bar, depth first. The recent files are hidden until there are some.
const SMenuRow kMenuBar[] = {
    {0, kSubmenu, {"&File", "文件(&F)", "文件(&F)"}},
    {1, New, {"&New", "新建图像(&N)", "新建圖像(&N)"}},
    {1, Open, {"&Open", "打开图像(&O)", "打開圖像(&O)"}},
    {1, kLine, kLineText},
    {1, SaveDot, {"&Save", "保存点阵数据(&S)", "保存點陣資料(&S)"}},
    {1, SaveImage, {"Save &Image", "保存图像(&I)", "保存圖像(&I)"}},
    {1, kLine, kLineText},
    {1, Print, {"&Print", "打印(&P)", "打印(&P)"}},
    {1, kLine, kLineText},
    {1, Exit, {"&Exit", "退出(&E)", "退出(&E)"}},
    {1, kLine, kLineText},
    {1, Export, {"E&xport...", "导出...(&X)", "匯出...(&X)"}},
    {1, kLine, kLineText},
    {1, OpenProject, {"Open Pro&ject...", "打开项目(&J)...", "打開專案(&J)..."}},
    {1, SaveProject, {"Save Projec&t", "保存项目(&T)", "保存專案(&T)"}},
    {1, SaveProjectAs, {"Save Project &As...", "项目另存为(&A)...", "專案另存為(&A)..."}},
    {1, kLine, kLineText},
    {1, RecentFile, {"Recent File &1", "最近的文件(&1)", "最近的檔案(&1)"}},
    {1, RecentFile + 1, {"Recent File &2", "最近的文件(&2)", "最近的檔案(&2)"}},
    {1, RecentFile + 2, {"Recent File &3", "最近的文件(&3)", "最近的檔案(&3)"}},
    {1, RecentFileLast, {"Recent File &4", "最近的文件(&4)", "最近的檔案(&4)"}},

    {0, kSubmenu, {"&Edit", "编辑(&E)", "編輯(&E)"}},
    {1, Undo, {"&Undo", "撤销(&U)", "復原(&U)"}},
    {1, Redo, {"&Redo", "重做(&R)", "取消復原(&R)"}},
    {1, kLine, kLineText},
    {1, Mirror, {"&Mirror", "左右调换(&M)", "左右調換(&M)"}},
    {1, Flip, {"&Flip", "上下调换(&F)", "上下調換(&F)"}},
    {1, Rotate, {"&Rotate", "旋转90度(&R)", "旋轉90度(&R)"}},
    {1, kLine, kLineText},
    {1, kSubmenu, {"Change &Color", "修改格点颜色(&C)", "修改格點顏色(&C)"}},
    {2, Red, {"&Red", "红色(&R)", "紅色(&R)"}},
    {2, Red + 1, {"&Green", "绿色(&G)", "綠色(&G)"}},
    {2, Red + 2, {"&Blue", "蓝色(&B)", "藍色(&B)"}},
    {2, Red + 3, {"&Yellow", "黄色(&Y)", "黃色(&Y)"}},
    {2, Red + 4, {"&Pink", "粉红色(&P)", "粉紅色(&P)"}},
    {2, Red + 5, {"&White", "白色(&W)", "白色(&W)"}},
    {2, Orange, {"&Orange", "橙色(&O)", "橙色(&O)"}},
    {1, kSubmenu, {"&Picture Colors", "图片颜色(&P)", "圖片顏色(&P)"}},
    {2, PictureExact, {"Exact Colors", "精确颜色", "精確顏色"}},
    {2, PictureNearest, {"Nearest Color", "最接近颜色", "最接近顏色"}},
    {2, PictureDithered, {"Dithered", "抖动", "抖動"}},
    {1, kLine, kLineText},
    {1, ZoomIn, {"&Zoom In", "放大格点(&Z)", "放大格點(&Z)"}},
    {1, ZoomOut, {"Zoom &Out", "缩小格点(&O)", "縮小格點(&O)"}},
    {1, ToggleGrid, {"Toggle &Grid", "切换格线(&G)", "切換格線(&G)"}},
    {1, kLine, kLineText},
    {1, MergeText, {"Merge &Text", "合并文字(&T)", "合併文字(&T)"}},
    {1, kLine, kLineText},
    {1, Cut, {"Cu&t", "剪切(&T)", "剪下(&T)"}},
    {1, Copy, {"Cop&y", "复制(&Y)", "複製(&Y)"}},
    {1, Paste, {"Pa&ste", "粘贴(&S)", "貼上(&S)"}},
    {1, Delete, {"&Delete", "删除(&D)", "刪除(&D)"}},
    {1, SelectAll, {"Select &All", "全选(&A)", "全選(&A)"}},
    {1, kLine, kLineText},
    {1, ResizeCanvas, {"Resize Can&vas...", "调整画布大小(&V)...", "調整畫布大小(&V)..."}},
    {1, CropToSelection, {"Crop to Se&lection", "裁剪到选区(&L)", "裁剪到選取範圍(&L)"}},

    {0, kSubmenu, {"&System", "系统(&S)", "系統(&S)"}},
    {1, ViewImage, {"View &Image", "查看图片(&I)", "查看图片(&I)"}},
    {1, BackgroundColor, {"&Background Color...", "背景色...(&B)", "背景色...(&B)"}},
    {1, Font, {"&Font...", "输入区字体...(&F)", "輸入區字體...(&F)"}},
    {1, kSubmenu, {"&Language", "&Language", "&Language"}},
    {2, English, {"&English", "&English", "&English"}},
    {2, ChineseSimplified, {"Chinese &Simplified", "Chinese &Simplified", "Chinese &Simplified"}},
    {2, ChineseTraditional, {"Chinese &Traditional", "Chinese &Traditional", "Chinese &Traditional"}},

    {0, kSubmenu, {"&Help", "帮助(&H)", "説明(&H)"}},
    {1, Help, {"&Help", "帮助(&H)", "幫助(&H)"}},
    {1, About, {"&About...", "关于...(&A)", "關於...(&A)"}},

    {0, kSubmenu, {"&Tools", "工具(&T)", "工具(&T)"}},
    {1, ToolClick, {"&Click Dots", "单点(&C)", "單點(&C)"}},
    {1, ToolPencil, {"&Pencil", "铅笔(&P)", "鉛筆(&P)"}},
    {1, ToolLine, {"&Line", "直线(&L)", "直線(&L)"}},
    {1, ToolRectangle, {"&Rectangle", "矩形(&R)", "矩形(&R)"}},
    {1, ToolFilledRectangle, {"F&illed Rectangle", "实心矩形(&I)", "實心矩形(&I)"}},
    {1, ToolEllipse, {"&Ellipse", "椭圆(&E)", "橢圓(&E)"}},
    {1, ToolFilledEllipse, {"Fille&d Ellipse", "实心椭圆(&D)", "實心橢圓(&D)"}},
    {1, ToolFill, {"&Fill", "填充(&F)", "填滿(&F)"}},
    {1, ToolPicker, {"Color Pic&ker", "取色(&K)", "取色(&K)"}},
    {1, ToolSelect, {"&Select", "选择(&S)", "選取(&S)"}},

    {0, kSubmenu, {"&View", "视图(&V)", "檢視(&V)"}},
    {1, SignPreview, {"Sign &Preview", "显示屏预览(&P)", "顯示屏預覽(&P)"}},

    {0, kSubmenu, {"F&rames", "帧(&R)", "幀(&R)"}},
    {1, AddFrame, {"&Add Frame", "添加帧(&A)", "新增幀(&A)"}},
    {1, DuplicateFrame, {"&Duplicate Frame", "复制帧(&D)", "複製幀(&D)"}},
    {1, DeleteFrame, {"Dele&te Frame", "删除帧(&T)", "刪除幀(&T)"}},
    {1, kLine, kLineText},
    {1, PreviousFrame, {"&Previous Frame", "上一帧(&P)", "上一幀(&P)"}},
    {1, NextFrame, {"&Next Frame", "下一帧(&N)", "下一幀(&N)"}},
    {1, MoveFrameEarlier, {"Move Frame &Earlier", "帧前移(&E)", "幀前移(&E)"}},
    {1, MoveFrameLater, {"Move Frame Late&r", "帧后移(&R)", "幀後移(&R)"}},
    {1, FrameDuration, {"Frame Durati&on...", "帧时长...(&O)", "幀時長...(&O)"}},
    {1, kLine, kLineText},
    {1, ScrollLeft, {"Scroll &Left...", "向左滚动...(&L)", "向左捲動...(&L)"}},
    {1, ScrollLeft + 1, {"Scroll Ri&ght...", "向右滚动...(&G)", "向右捲動...(&G)"}},
    {1, ScrollLeft + 2, {"Scroll &Up...", "向上滚动...(&U)", "向上捲動...(&U)"}},
    {1, ScrollDown, {"Scroll Do&wn...", "向下滚动...(&W)", "向下捲動...(&W)"}},
    {1, Blink, {"&Blink...", "闪烁...(&B)", "閃爍...(&B)"}},
    {1, Wipe, {"W&ipe...", "擦除...(&I)", "擦除...(&I)"}},
    {1, kLine, kLineText},
    {1, SaveAnimation, {"&Save Animation...", "保存动画...(&S)", "保存動畫...(&S)"}},
    {1, SaveFrames, {"Save &Frames...", "保存各帧...(&F)", "保存各幀...(&F)"}},
};

// The toolbar from left to right.
const int kToolbar[] = {New, Open, SaveDot, SaveImage, kLine, Mirror, Flip, Rotate, kLine,
                        Red, Red + 1, Red + 2, Red + 3, Red + 4, Red + 5, Orange, kLine,
                        ZoomIn, ZoomOut, ToggleGrid, kLine, TextUp, TextDown, TextLeft, TextRight, TextOrigin, kLine,
                        ViewImage, kLine, Pan, kLine,
                        ToolClick, ToolPencil, ToolLine, ToolRectangle, ToolFilledRectangle, ToolEllipse,
                        ToolFilledEllipse, ToolFill, ToolPicker, ToolSelect};

// A menu item as one line, "depth id text", so that a wrong item shows in
// the failure's diff with its neighbours.
QString Line(int depth, int id, const QString& text)
{
    return QStringLiteral("%1 %2 %3").arg(depth).arg(id).arg(text);
}

QStringList Built(const QList<QAction*>& actions, int depth = 0)
{
    QStringList lines;
    for (const QAction* action : actions) {
        const int id = action->isSeparator() ? kLine : action->menu() ? kSubmenu : action->data().toInt();
        lines << Line(depth, id, action->isSeparator() ? QStringLiteral("-") : action->text());
        if (action->menu())
            lines << Built(action->menu()->actions(), depth + 1);
    }
    return lines;
}

QStringList Written(int language)
{
    QStringList lines;
    for (const SMenuRow& row : kMenuBar)
        lines << Line(row.nDepth, row.nId, row.text.Pick(language));
    return lines;
}

QStringList FromRegistry(int language)
{
    QStringList lines;
    for (const SCommandEntry& entry : CCommandRegistry::Entries()) {
        if (entry.nDepth == SCommandEntry::kNoMenu)
            continue;
        if (entry.nRow == SCommandEntry::Separator)
            lines << Line(entry.nDepth, kLine, QStringLiteral("-"));
        else
            lines << Line(entry.nDepth, entry.nRow == SCommandEntry::Popup ? kSubmenu : entry.nId,
                          entry.text.Pick(language));
    }
    return lines;
}

std::string Joined(const QStringList& lines)
{
    return lines.join(u'\n').toStdString();
}

// The cell of a 16 x 15 strip as a button shows it: light grey is see-through.
void ExpectCell(const QImage& icon, const QImage& strip, int cell, int id)
{
    ASSERT_EQ(icon.size(), QSize(16, 15)) << id;
    ASSERT_GE(strip.width(), (cell + 1) * 16) << id;
    int wrong = 0;
    for (int y = 0; y < 15; ++y) {
        for (int x = 0; x < 16; ++x) {
            const QRgb source = strip.pixel(cell * 16 + x, y);
            const QRgb shown = icon.pixel(x, y);
            const bool grey = qRed(source) == 192 && qGreen(source) == 192 && qBlue(source) == 192;
            wrong += grey ? qAlpha(shown) != 0 : shown != (source | 0xFF000000u);
        }
    }
    EXPECT_EQ(wrong, 0) << "button " << id << ", cell " << cell;
}

} // namespace

TEST_F(FrameTest, MenusHoldTheirTextsInEachLanguageAsTheRegistryLaysThemOut)
{
    struct SCase
    {
        const char* szName;
        int nChoose; // the language command, 0 for none
        int nTimes;
        int nLanguage;
    };
    // No settings file: Simplified Chinese. The same language twice reloads the same menus.
    const SCase cases[] = {
        {"at start", 0, 0, kLanguageSimplified},
        {"English", English, 1, kLanguageEnglish},
        {"Traditional twice", ChineseTraditional, 2, kLanguageTraditional},
        {"Simplified", ChineseSimplified, 1, kLanguageSimplified},
    };
    for (const SCase& test : cases) {
        SCOPED_TRACE(test.szName);
        for (int i = 0; i < test.nTimes; ++i)
            Trigger(test.nChoose);
        const QStringList built = Built(frame->menuBar()->actions());
        EXPECT_EQ(Joined(built), Joined(Written(test.nLanguage)));
        EXPECT_EQ(Joined(built), Joined(FromRegistry(test.nLanguage)));
        EXPECT_EQ(frame->menuBar()->actions().size(), 7);
        for (int language = 0; language < kLanguageCount; ++language)
            EXPECT_EQ(Act(English + language)->isChecked(), language == test.nLanguage) << language;
    }

    // Prompts and tool tips stay English; only some commands have a prompt.
    EXPECT_EQ(Act(New)->statusTip(), QStringLiteral("New"));
    EXPECT_TRUE(Act(Mirror)->statusTip().isEmpty());
    EXPECT_EQ(Act(Rotate)->toolTip(), QStringLiteral("Rotate"));

    // The commands with a prompt, each its own English name.
    QStringList prompted;
    for (const QAction* action : frame->findChildren<QAction*>())
        if (!action->statusTip().isEmpty())
            prompted << action->statusTip();
    prompted.removeDuplicates();
    prompted.sort();
    QStringList expected = {QStringLiteral("New"),          QStringLiteral("Open"),         QStringLiteral("Save Dot"),
                            QStringLiteral("Save Image"),   QStringLiteral("Export"),       QStringLiteral("Open Project"),
                            QStringLiteral("Save Project"), QStringLiteral("Merge Text"),   QStringLiteral("Cut"),
                            QStringLiteral("Copy"),         QStringLiteral("Paste"),        QStringLiteral("Delete"),
                            QStringLiteral("Select All"),   QStringLiteral("Click Dots"),   QStringLiteral("Pencil"),
                            QStringLiteral("Line"),         QStringLiteral("Rectangle"),    QStringLiteral("Ellipse"),
                            QStringLiteral("Fill"),         QStringLiteral("Color Picker"), QStringLiteral("Select"),
                            QStringLiteral("Filled Rectangle"), QStringLiteral("Filled Ellipse"),
                            QStringLiteral("Crop to Selection"), QStringLiteral("Resize Canvas"),
                            QStringLiteral("Save Project As")};
    for (const SDotColour& colour : kSevenColours)
        expected << QString::fromLatin1(colour.name);
    expected.sort();
    EXPECT_EQ(prompted.join(QLatin1Char(',')), expected.join(QLatin1Char(',')));
}

// Each language switch replaces the menus: the old ones go, none piles up.
TEST_F(FrameTest, LanguageSwitchesReplaceTheMenusWithoutLeavingAny)
{
    const auto menus = [this] {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return frame->findChildren<QMenu*>().size();
    };
    Trigger(ChineseSimplified);
    const qsizetype count = menus();
    for (const int language : {English, ChineseTraditional, ChineseSimplified, English}) {
        Trigger(language);
        EXPECT_EQ(menus(), count) << language;
    }
    EXPECT_EQ(frame->menuBar()->actions().size(), 7);
}

// The listing pane's own menu names Copy and Select All as the Edit menu does.
TEST_F(FrameTest, ListingPaneMenuFollowsTheLanguage)
{
    CListingView* pane = Canvas()->TextPane();
    pane->SetPlainText(QStringLiteral("1-1-1-R"));
    for (const int choose : {English, ChineseTraditional, ChineseSimplified}) {
        Trigger(choose);
        const std::unique_ptr<QMenu> menu = pane->MakeContextMenu();
        ASSERT_EQ(menu->actions().size(), 2);
        EXPECT_EQ(menu->actions()[0]->text(), Act(Copy)->text()) << choose;
        EXPECT_EQ(menu->actions()[1]->text(), Act(SelectAll)->text()) << choose;
        EXPECT_FALSE(menu->actions()[0]->isEnabled()) << "nothing is selected";
        EXPECT_TRUE(menu->actions()[1]->isEnabled());
    }
}

TEST_F(FrameTest, ToolbarButtonsInOrderEachWithItsCellOfTheStrip)
{
    QList<int> built;
    for (const QAction* action : frame->ToolBar()->actions())
        built << (action->isSeparator() ? kLine : action->data().toInt());
    EXPECT_EQ(built, QList<int>(std::begin(kToolbar), std::end(kToolbar)));

    QList<int> laidOut;
    for (const SCommandEntry* entry : CCommandRegistry::ToolbarLayout())
        laidOut << (entry ? entry->nId : kLine);
    EXPECT_EQ(built, laidOut);

    // Each button shows the cell of its strip the registry gives it.
    const QImage commands(QStringLiteral(":/frame/toolbar.bmp"));
    const QImage tools(QStringLiteral(":/frame/tools.bmp"));
    for (const SCommandEntry* entry : CCommandRegistry::ToolbarLayout()) {
        if (!entry)
            continue;
        const QImage icon = Act(entry->nId)->icon().pixmap(QSize(16, 15)).toImage().convertToFormat(QImage::Format_ARGB32);
        EXPECT_EQ(qAlpha(icon.pixel(0, 14)), 0) << entry->nId; // every cell's corner is light grey
        const bool tool = entry->nToolbarCell >= SCommandEntry::kToolCells;
        ExpectCell(icon, tool ? tools : commands, entry->nToolbarCell - (tool ? SCommandEntry::kToolCells : 0),
                   entry->nId);
    }
    EXPECT_EQ(Act(Red)->icon().pixmap(QSize(16, 15)).toImage().pixel(8, 7), qRgb(255, 0, 0));
    EXPECT_EQ(frame->toolBarArea(frame->ToolBar()), Qt::TopToolBarArea);
    EXPECT_EQ(frame->ToolBar()->allowedAreas(), Qt::AllToolBarAreas);
}

TEST(MenuBar, NoTwoItemsOfOneMenuShareAnAccessKey)
{
    // The menus of the drawing tools, the preview and the frames. The Edit
    // menu keeps its given texts, which share R (Redo, Rotate) and T (Merge
    // Text, Cut, whose every letter is taken).
    const QStringList checked = {QStringLiteral("&Tools"), QStringLiteral("&View"), QStringLiteral("F&rames")};
    for (int language = 0; language < kLanguageCount; ++language) {
        QString letters;
        bool inChecked = false;
        for (const SMenuRow& row : kMenuBar) {
            if (row.nDepth == 0) {
                inChecked = checked.contains(QString::fromUtf8(row.text.szEnglish));
                letters.clear();
                continue;
            }
            const QString text = row.text.Pick(language);
            const qsizetype amp = text.indexOf(QLatin1Char('&'));
            if (!inChecked || row.nDepth != 1 || amp < 0 || amp + 1 >= text.size())
                continue;
            const QChar key = text.at(amp + 1).toUpper();
            EXPECT_FALSE(letters.contains(key)) << "language " << language << ": " << text.toStdString();
            letters += key;
        }
    }
}
