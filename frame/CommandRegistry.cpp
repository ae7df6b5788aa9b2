#include "frame/CommandRegistry.h"

#include "base/CommandIds.h"
#include "canvas/ImageView.h"
#include "canvas/CanvasDocument.h"
#include "frame/AnimationSteps.h"
#include "frame/DrawingSteps.h"
#include "frame/MainFrame.h"
#include "frame/ProjectKeeper.h"
#include "textinput/InputTextView.h"

#include <algorithm>

using namespace CommandId;

namespace {

using Keys = std::array<const char*, 2>;
using Run = void (*)(CMainFrame&, int);
using State = SCommandState (*)(const CMainFrame&, int);

constexpr int kNoMenu = SCommandEntry::kNoMenu;
constexpr int kNoCell = SCommandEntry::kNoCell;
constexpr Keys kNoKeys = {nullptr, nullptr};
constexpr int kToolCells = SCommandEntry::kToolCells;

SCommandEntry Popup(int depth, const STriText& texts)
{
    return {SCommandEntry::Popup, depth, 0, texts, nullptr, nullptr, false, kNoKeys, kNoCell, false, 0, nullptr, nullptr};
}

SCommandEntry Separator(int depth)
{
    return {SCommandEntry::Separator, depth, 0, {}, nullptr, nullptr, false, kNoKeys, kNoCell, false, 0,
            nullptr, nullptr};
}

// A command whose prompt, when it has one, is its name.
SCommandEntry Command(int depth, int id, const STriText& texts, const char* name, bool prompt, const Keys& keys,
                      int cell, bool gapAfter, Run run, State state = nullptr, int arg = 0)
{
    return {SCommandEntry::Command, depth, id, texts, name, prompt ? name : nullptr, false, keys, cell, gapAfter,
            arg, run, state};
}

SCommandEntry Checkable(SCommandEntry entry)
{
    entry.bCheckable = true;
    return entry;
}

SCommandState Enabled(bool enabled)
{
    SCommandState state;
    state.bEnabled = enabled;
    return state;
}

SCommandState Checked(bool checked)
{
    SCommandState state;
    state.bChecked = checked;
    return state;
}

// The prompt of Undo or Redo names the step it would take back or do again,
// in English like every prompt; none when there is no step.
SCommandState StepState(bool enabled, const char* command, const char* step)
{
    SCommandState state = Enabled(enabled);
    state.bSetsPrompt = true;
    if (step)
        state.szPrompt = QStringLiteral("%1 %2").arg(QLatin1String(command), QLatin1String(step));
    return state;
}

} // namespace

// The table lives in a member of the frame's friend, so that the functions
// reach the frame's command handlers.
const std::vector<SCommandEntry>& CCommandRegistry::Entries()
{
    // A listing still being written would be saved or printed incomplete.
    const State listingComplete = [](const CMainFrame& f, int) {
        return Enabled(f.IsTextPaneShown() && !f.m_pCanvas->IsDotTextRunning());
    };
    const State colourChecked = [](const CMainFrame& f, int index) {
        return Checked(f.m_pCanvas->Grid().ColorIndex() == index);
    };
    const Run selectColour = [](CMainFrame& f, int index) {
        // Only the colour of the next painted dot changes; nothing is repainted.
        f.m_pCanvas->Grid().SetDotColor(index);
    };
    const State pictureChecked = [](const CMainFrame& f, int way) { return Checked(f.m_pCanvas->PictureColors() == way); };
    const Run pictureColors = [](CMainFrame& f, int way) { f.m_pSteps->SetPictureColors(way); };
    const State languageChecked = [](const CMainFrame& f, int language) { return Checked(f.m_nLanguage == language); };
    const Run language = [](CMainFrame& f, int language) { f.OnLanguage(language); };
    const State textButtons = [](const CMainFrame& f, int) {
        return Enabled(f.m_pCanvas->Grid().Mode() == TextMode && f.IsMergePending());
    };
    const Run moveText = [](CMainFrame& f, int key) { f.m_pInputPane->MoveText(key); };
    const Run recentFile = [](CMainFrame& f, int index) { f.OnRecentFile(index); };
    const Run takeUpTool = [](CMainFrame& f, int kind) { f.m_pCanvas->TakeUpTool(kind); };
    const State toolChecked = [](const CMainFrame& f, int kind) { return Checked(f.m_pCanvas->ToolKind() == kind); };
    const State hasSelection = [](const CMainFrame& f, int) { return Enabled(f.m_pDrawing->HasSelection()); };
    // Frame commands change what the listing shows: not while it is up.
    const State framesFree = [](const CMainFrame& f, int) { return Enabled(!f.IsTextPaneShown()); };
    const State severalFrames = [](const CMainFrame& f, int) {
        return Enabled(!f.IsTextPaneShown() && f.m_pCanvas->Document().Frames().IsAnimated());
    };
    const State canMove = [](const CMainFrame& f, int delta) {
        const CFrameList& frames = f.m_pCanvas->Document().Frames();
        const int to = frames.Current() + delta;
        return Enabled(!f.IsTextPaneShown() && to >= 0 && to < frames.Count());
    };
    const Run moveFrame = [](CMainFrame& f, int delta) {
        f.m_pAnimation->MoveFrame(f.m_pCanvas->Document().Frames().Current() + delta);
    };
    const Run scroll = [](CMainFrame& f, int direction) {
        f.m_pAnimation->AskScroll(f.m_dialogs, static_cast<CFrameEffects::Direction>(direction));
    };

    static const std::vector<SCommandEntry> entries = {
        Popup(0, {"&File", "文件(&F)", "文件(&F)"}),
        Command(1, New, {"&New", "新建图像(&N)", "新建圖像(&N)"}, "New", true, {"Ctrl+N", nullptr}, 0, false,
                [](CMainFrame& f, int) { f.OnNew(); }),
        Command(1, Open, {"&Open", "打开图像(&O)", "打開圖像(&O)"}, "Open", true, {"Ctrl+O", nullptr}, 1, false,
                [](CMainFrame& f, int) { f.OnOpen(); }),
        Separator(1),
        Command(1, SaveDot, {"&Save", "保存点阵数据(&S)", "保存點陣資料(&S)"}, "Save Dot", true, {"Ctrl+S", nullptr}, 2,
                false, [](CMainFrame& f, int) { f.m_pSteps->SaveDot(); }, listingComplete),
        Command(1, SaveImage, {"Save &Image", "保存图像(&I)", "保存圖像(&I)"}, "Save Image", true, kNoKeys, 3, true,
                [](CMainFrame& f, int) { f.m_pSteps->SaveImage(); },
                [](const CMainFrame& f, int) { return Enabled(!f.IsTextPaneShown()); }),
        Separator(1),
        Command(1, Print, {"&Print", "打印(&P)", "打印(&P)"}, "Print", false, {"Ctrl+P", nullptr}, kNoCell, false,
                [](CMainFrame& f, int) { f.OnPrint(); }, listingComplete),
        Separator(1),
        Command(1, Exit, {"&Exit", "退出(&E)", "退出(&E)"}, "Exit", false, kNoKeys, kNoCell, false,
                [](CMainFrame& f, int) { f.QuitWithoutSaving(); }),
        Separator(1),
        Command(1, Export, {"E&xport...", "导出...(&X)", "匯出...(&X)"}, "Export", true, kNoKeys, kNoCell, false,
                [](CMainFrame& f, int) { f.OnExport(); },
                [](const CMainFrame& f, int) {
                    return Enabled(!f.IsTextPaneShown() && !f.m_pCanvas->Grid().IsEmpty());
                }),
        Separator(1),
        // Ctrl+S stays Save (the listing); projects take Shift and Alt with it.
        Command(1, OpenProject, {"Open Pro&ject...", "打开项目(&J)...", "打開專案(&J)..."}, "Open Project", true,
                {"Ctrl+Shift+O", nullptr}, kNoCell, false, [](CMainFrame& f, int) { f.m_pKeeper->OpenProject(); }),
        Command(1, SaveProject, {"Save Projec&t", "保存项目(&T)", "保存專案(&T)"}, "Save Project", true,
                {"Ctrl+Shift+S", nullptr}, kNoCell, false, [](CMainFrame& f, int) { f.m_pKeeper->SaveProject(); }),
        Command(1, SaveProjectAs, {"Save Project &As...", "项目另存为(&A)...", "專案另存為(&A)..."}, "Save Project As",
                true, {"Ctrl+Alt+S", nullptr}, kNoCell, false,
                [](CMainFrame& f, int) { f.m_pKeeper->SaveProjectAs(); }),
        Separator(1),
        // The four most recent files: the frame shows those there are, named
        // after their files.
        Command(1, RecentFile, {"Recent File &1", "最近的文件(&1)", "最近的檔案(&1)"}, "Recent File 1", false, kNoKeys,
                kNoCell, false, recentFile, nullptr, 0),
        Command(1, RecentFile + 1, {"Recent File &2", "最近的文件(&2)", "最近的檔案(&2)"}, "Recent File 2", false,
                kNoKeys, kNoCell, false, recentFile, nullptr, 1),
        Command(1, RecentFile + 2, {"Recent File &3", "最近的文件(&3)", "最近的檔案(&3)"}, "Recent File 3", false,
                kNoKeys, kNoCell, false, recentFile, nullptr, 2),
        Command(1, RecentFileLast, {"Recent File &4", "最近的文件(&4)", "最近的檔案(&4)"}, "Recent File 4", false,
                kNoKeys, kNoCell, false, recentFile, nullptr, 3),

        Popup(0, {"&Edit", "编辑(&E)", "編輯(&E)"}),
        Command(1, Undo, {"&Undo", "撤销(&U)", "復原(&U)"}, "Undo", false, {"Ctrl+Z", nullptr}, kNoCell, false,
                [](CMainFrame& f, int) { f.m_pSteps->Undo(); },
                [](const CMainFrame& f, int) {
                    return StepState(f.m_pCanvas->CanUndo(), "Undo", f.m_pCanvas->History().NextUndoLabel());
                }),
        Command(1, Redo, {"&Redo", "重做(&R)", "取消復原(&R)"}, "Redo", false, {"Ctrl+Y", "Ctrl+Shift+Z"}, kNoCell,
                false, [](CMainFrame& f, int) { f.m_pSteps->Redo(); },
                [](const CMainFrame& f, int) {
                    return StepState(f.m_pCanvas->CanRedo(), "Redo", f.m_pCanvas->History().NextRedoLabel());
                }),
        Separator(1),
        Command(1, Mirror, {"&Mirror", "左右调换(&M)", "左右調換(&M)"}, "Mirror", false, kNoKeys, 4, false,
                [](CMainFrame& f, int) { f.m_pSteps->Mirror(); }),
        Command(1, Flip, {"&Flip", "上下调换(&F)", "上下調換(&F)"}, "Flip", false, kNoKeys, 5, false,
                [](CMainFrame& f, int) { f.m_pSteps->Flip(); }),
        Command(1, Rotate, {"&Rotate", "旋转90度(&R)", "旋轉90度(&R)"}, "Rotate", false, kNoKeys, 6, true,
                [](CMainFrame& f, int) { f.m_pSteps->Rotate(); }),
        Separator(1),
        Popup(1, {"Change &Color", "修改格点颜色(&C)", "修改格點顏色(&C)"}),
        Checkable(Command(2, Red, {"&Red", "红色(&R)", "紅色(&R)"}, "Red", true, kNoKeys, 7, false, selectColour,
                          colourChecked, 0)),
        Checkable(Command(2, Red + 1, {"&Green", "绿色(&G)", "綠色(&G)"}, "Green", true, kNoKeys, 8, false,
                          selectColour, colourChecked, 1)),
        Checkable(Command(2, Red + 2, {"&Blue", "蓝色(&B)", "藍色(&B)"}, "Blue", true, kNoKeys, 9, false, selectColour,
                          colourChecked, 2)),
        Checkable(Command(2, Red + 3, {"&Yellow", "黄色(&Y)", "黃色(&Y)"}, "Yellow", true, kNoKeys, 10, false,
                          selectColour, colourChecked, 3)),
        Checkable(Command(2, Red + 4, {"&Pink", "粉红色(&P)", "粉紅色(&P)"}, "Pink", true, kNoKeys, 11, false,
                          selectColour, colourChecked, 4)),
        Checkable(Command(2, Red + 5, {"&White", "白色(&W)", "白色(&W)"}, "White", true, kNoKeys, 12, false,
                          selectColour, colourChecked, 5)),
        Checkable(Command(2, Orange, {"&Orange", "橙色(&O)", "橙色(&O)"}, "Orange", true, kNoKeys, 13, true,
                          selectColour, colourChecked, 6)),
        Popup(1, {"&Picture Colors", "图片颜色(&P)", "圖片顏色(&P)"}),
        Checkable(Command(2, PictureExact, {"Exact Colors", "精确颜色", "精確顏色"}, "Exact Colors", false, kNoKeys,
                          kNoCell, false, pictureColors, pictureChecked, 0)),
        Checkable(Command(2, PictureNearest, {"Nearest Color", "最接近颜色", "最接近顏色"}, "Nearest Color", false,
                          kNoKeys, kNoCell, false, pictureColors, pictureChecked, 1)),
        Checkable(Command(2, PictureDithered, {"Dithered", "抖动", "抖動"}, "Dithered", false, kNoKeys, kNoCell, false,
                          pictureColors, pictureChecked, 2)),
        Separator(1),
        // Ctrl+= is the same key as Ctrl++ on keyboards where + needs Shift.
        Command(1, ZoomIn, {"&Zoom In", "放大格点(&Z)", "放大格點(&Z)"}, "Zoom In", false, {"Ctrl++", "Ctrl+="}, 14,
                false, [](CMainFrame& f, int) { f.m_pCanvas->ZoomIn(); }),
        Command(1, ZoomOut, {"Zoom &Out", "缩小格点(&O)", "縮小格點(&O)"}, "Zoom Out", false, {"Ctrl+-", nullptr}, 15,
                false, [](CMainFrame& f, int) { f.m_pCanvas->ZoomOut(); }),
        Command(1, ToggleGrid, {"Toggle &Grid", "切换格线(&G)", "切換格線(&G)"}, "Toggle Grid", false, kNoKeys, 16, true,
                [](CMainFrame& f, int) { f.m_pCanvas->ToggleGrid(); }),
        Separator(1),
        Command(1, MergeText, {"Merge &Text", "合并文字(&T)", "合併文字(&T)"}, "Merge Text", true, kNoKeys, kNoCell,
                false, [](CMainFrame& f, int) { f.OnMergeText(); },
                [](const CMainFrame& f, int) { return Enabled(f.IsMergePending()); }),
        Separator(1),
        Command(1, Cut, {"Cu&t", "剪切(&T)", "剪下(&T)"}, "Cut", true, {"Ctrl+X", "Shift+Del"}, kNoCell, false,
                [](CMainFrame& f, int) { f.m_pDrawing->Cut(); }, hasSelection),
        Command(1, Copy, {"Cop&y", "复制(&Y)", "複製(&Y)"}, "Copy", true, {"Ctrl+C", "Ctrl+Ins"}, kNoCell, false,
                [](CMainFrame& f, int) { f.m_pDrawing->Copy(); }, hasSelection),
        Command(1, Paste, {"Pa&ste", "粘贴(&S)", "貼上(&S)"}, "Paste", true, {"Ctrl+V", "Shift+Ins"}, kNoCell, false,
                [](CMainFrame& f, int) { f.m_pDrawing->Paste(); },
                [](const CMainFrame&, int) { return Enabled(CDrawingSteps::ClipboardHasPicture()); }),
        Command(1, Delete, {"&Delete", "删除(&D)", "刪除(&D)"}, "Delete", true, {"Del", nullptr}, kNoCell, false,
                [](CMainFrame& f, int) { f.m_pDrawing->Delete(); }, hasSelection),
        Command(1, SelectAll, {"Select &All", "全选(&A)", "全選(&A)"}, "Select All", true, {"Ctrl+A", nullptr},
                kNoCell, false, [](CMainFrame& f, int) { f.m_pDrawing->SelectAll(); }),
        Separator(1),
        Command(1, ResizeCanvas, {"Resize Can&vas...", "调整画布大小(&V)...", "調整畫布大小(&V)..."}, "Resize Canvas",
                true, kNoKeys, kNoCell, false, [](CMainFrame& f, int) { f.OnResizeCanvas(); }),
        Command(1, CropToSelection, {"Crop to Se&lection", "裁剪到选区(&L)", "裁剪到選取範圍(&L)"}, "Crop to Selection",
                true, kNoKeys, kNoCell, false, [](CMainFrame& f, int) { f.m_pDrawing->CropToSelection(); },
                hasSelection),

        Popup(0, {"&System", "系统(&S)", "系統(&S)"}),
        Checkable(Command(1, ViewImage, {"View &Image", "查看图片(&I)", "查看图片(&I)"}, "View Image", false, kNoKeys,
                          22, true, [](CMainFrame& f, int) { f.OnViewImage(); },
                          [](const CMainFrame& f, int) { return Checked(!f.IsTextPaneShown()); })),
        Command(1, BackgroundColor, {"&Background Color...", "背景色...(&B)", "背景色...(&B)"}, "Background Color",
                false, kNoKeys, kNoCell, false, [](CMainFrame& f, int) { f.OnBackgroundColor(); }),
        Command(1, Font, {"&Font...", "输入区字体...(&F)", "輸入區字體...(&F)"}, "Font", false, kNoKeys, kNoCell, false,
                [](CMainFrame& f, int) { f.OnFont(); }),
        Popup(1, {"&Language", "&Language", "&Language"}),
        Checkable(Command(2, English, {"&English", "&English", "&English"}, "English", false, kNoKeys, kNoCell, false,
                          language, languageChecked, 0)),
        Checkable(Command(2, ChineseSimplified, {"Chinese &Simplified", "Chinese &Simplified", "Chinese &Simplified"},
                          "Chinese Simplified", false, kNoKeys, kNoCell, false, language, languageChecked, 1)),
        Checkable(Command(2, ChineseTraditional,
                          {"Chinese &Traditional", "Chinese &Traditional", "Chinese &Traditional"},
                          "Chinese Traditional", false, kNoKeys, kNoCell, false, language, languageChecked, 2)),

        Popup(0, {"&Help", "帮助(&H)", "説明(&H)"}),
        Command(1, Help, {"&Help", "帮助(&H)", "幫助(&H)"}, "Help", false, kNoKeys, kNoCell, false,
                [](CMainFrame& f, int) { f.OnHelp(); }),
        Command(1, About, {"&About...", "关于...(&A)", "關於...(&A)"}, "About", false, kNoKeys, kNoCell, false,
                [](CMainFrame& f, int) { f.m_dialogs.showAbout(); }),

        // The tools, after the menus of the original program. Their single
        // keys reach the canvas only: typing into a text field keeps them.
        Popup(0, {"&Tools", "工具(&T)", "工具(&T)"}),
        Checkable(Command(1, ToolClick, {"&Click Dots", "单点(&C)", "單點(&C)"}, "Click Dots", true, {"D", nullptr},
                          kToolCells, false, takeUpTool, toolChecked, CImageView::ClickTool)),
        Checkable(Command(1, ToolPencil, {"&Pencil", "铅笔(&P)", "鉛筆(&P)"}, "Pencil", true, {"P", nullptr},
                          kToolCells + 1, false, takeUpTool, toolChecked, CImageView::PencilTool)),
        Checkable(Command(1, ToolLine, {"&Line", "直线(&L)", "直線(&L)"}, "Line", true, {"L", nullptr},
                          kToolCells + 2, false, takeUpTool, toolChecked, CImageView::LineTool)),
        Checkable(Command(1, ToolRectangle, {"&Rectangle", "矩形(&R)", "矩形(&R)"}, "Rectangle", true, {"R", nullptr},
                          kToolCells + 3, false, takeUpTool, toolChecked, CImageView::RectangleTool)),
        Checkable(Command(1, ToolFilledRectangle, {"F&illed Rectangle", "实心矩形(&I)", "實心矩形(&I)"},
                          "Filled Rectangle", true, {"Shift+R", nullptr}, kToolCells + 4, false, takeUpTool,
                          toolChecked, CImageView::FilledRectangleTool)),
        Checkable(Command(1, ToolEllipse, {"&Ellipse", "椭圆(&E)", "橢圓(&E)"}, "Ellipse", true, {"E", nullptr},
                          kToolCells + 5, false, takeUpTool, toolChecked, CImageView::EllipseTool)),
        Checkable(Command(1, ToolFilledEllipse, {"Fille&d Ellipse", "实心椭圆(&D)", "實心橢圓(&D)"}, "Filled Ellipse",
                          true, {"Shift+E", nullptr}, kToolCells + 6, false, takeUpTool, toolChecked,
                          CImageView::FilledEllipseTool)),
        Checkable(Command(1, ToolFill, {"&Fill", "填充(&F)", "填滿(&F)"}, "Fill", true, {"F", nullptr},
                          kToolCells + 7, false, takeUpTool, toolChecked, CImageView::FillTool)),
        Checkable(Command(1, ToolPicker, {"Color Pic&ker", "取色(&K)", "取色(&K)"}, "Color Picker", true,
                          {"I", nullptr}, kToolCells + 8, false, takeUpTool, toolChecked, CImageView::PickerTool)),
        Checkable(Command(1, ToolSelect, {"&Select", "选择(&S)", "選取(&S)"}, "Select", true, {"S", nullptr},
                          kToolCells + 9, false, takeUpTool, toolChecked, CImageView::SelectTool)),

        Popup(0, {"&View", "视图(&V)", "檢視(&V)"}),
        Command(1, SignPreview, {"Sign &Preview", "显示屏预览(&P)", "顯示屏預覽(&P)"}, "Sign Preview", false,
                {"F5", nullptr}, kNoCell, false, [](CMainFrame& f, int) { f.OnSignPreview(); }),

        Popup(0, {"F&rames", "帧(&R)", "幀(&R)"}),
        Command(1, AddFrame, {"&Add Frame", "添加帧(&A)", "新增幀(&A)"}, "Add Frame", false, kNoKeys, kNoCell, false,
                [](CMainFrame& f, int) { f.m_pAnimation->AddFrame(); }, framesFree),
        Command(1, DuplicateFrame, {"&Duplicate Frame", "复制帧(&D)", "複製幀(&D)"}, "Duplicate Frame", false, kNoKeys,
                kNoCell, false, [](CMainFrame& f, int) { f.m_pAnimation->DuplicateFrame(); }, framesFree),
        Command(1, DeleteFrame, {"De&lete Frame", "删除帧(&L)", "刪除幀(&L)"}, "Delete Frame", false, kNoKeys, kNoCell,
                false, [](CMainFrame& f, int) { f.m_pAnimation->DeleteFrame(); }, severalFrames),
        Separator(1),
        Command(1, PreviousFrame, {"&Previous Frame", "上一帧(&P)", "上一幀(&P)"}, "Previous Frame", false,
                {"Ctrl+PgUp", nullptr}, kNoCell, false, [](CMainFrame& f, int) { f.m_pAnimation->StepFrame(-1); },
                severalFrames),
        Command(1, NextFrame, {"&Next Frame", "下一帧(&N)", "下一幀(&N)"}, "Next Frame", false,
                {"Ctrl+PgDown", nullptr}, kNoCell, false, [](CMainFrame& f, int) { f.m_pAnimation->StepFrame(1); },
                severalFrames),
        Command(1, MoveFrameEarlier, {"Move Frame &Earlier", "帧前移(&E)", "幀前移(&E)"}, "Move Frame Earlier", false,
                kNoKeys, kNoCell, false, moveFrame, canMove, -1),
        Command(1, MoveFrameLater, {"Move Frame &Later", "帧后移(&L)", "幀後移(&L)"}, "Move Frame Later", false,
                kNoKeys, kNoCell, false, moveFrame, canMove, 1),
        Command(1, FrameDuration, {"Frame D&uration...", "帧时长...(&U)", "幀時長...(&U)"}, "Frame Duration", false,
                kNoKeys, kNoCell, false, [](CMainFrame& f, int) { f.m_pAnimation->AskFrameDuration(f.m_dialogs); },
                framesFree),
        Separator(1),
        Command(1, ScrollLeft, {"Scroll &Left...", "向左滚动...(&L)", "向左捲動...(&L)"}, "Scroll Left", false, kNoKeys,
                kNoCell, false, scroll, framesFree, static_cast<int>(CFrameEffects::Direction::Left)),
        Command(1, ScrollLeft + 1, {"Scroll &Right...", "向右滚动...(&R)", "向右捲動...(&R)"}, "Scroll Right", false,
                kNoKeys, kNoCell, false, scroll, framesFree, static_cast<int>(CFrameEffects::Direction::Right)),
        Command(1, ScrollLeft + 2, {"Scroll &Up...", "向上滚动...(&U)", "向上捲動...(&U)"}, "Scroll Up", false, kNoKeys,
                kNoCell, false, scroll, framesFree, static_cast<int>(CFrameEffects::Direction::Up)),
        Command(1, ScrollDown, {"Scroll Do&wn...", "向下滚动...(&W)", "向下捲動...(&W)"}, "Scroll Down", false,
                kNoKeys, kNoCell, false, scroll, framesFree, static_cast<int>(CFrameEffects::Direction::Down)),
        Command(1, Blink, {"&Blink...", "闪烁...(&B)", "閃爍...(&B)"}, "Blink", false, kNoKeys, kNoCell, false,
                [](CMainFrame& f, int) { f.m_pAnimation->AskBlink(f.m_dialogs); }, framesFree),
        Command(1, Wipe, {"W&ipe...", "擦除...(&I)", "擦除...(&I)"}, "Wipe", false, kNoKeys, kNoCell, false,
                [](CMainFrame& f, int) { f.m_pAnimation->AskWipe(f.m_dialogs, CFrameEffects::Direction::Right); },
                framesFree),
        Separator(1),
        Command(1, SaveAnimation, {"&Save Animation...", "保存动画...(&S)", "保存動畫...(&S)"}, "Save Animation",
                false, kNoKeys, kNoCell, false, [](CMainFrame& f, int) { f.m_pAnimation->AskSaveGif(f.m_dialogs); }),
        Command(1, SaveFrames, {"Save &Frames...", "保存各帧...(&F)", "保存各幀...(&F)"}, "Save Frames", false, kNoKeys,
                kNoCell, false, [](CMainFrame& f, int) { f.m_pAnimation->AskSaveFrames(f.m_dialogs); }),

        // On the toolbar only.
        Command(kNoMenu, TextUp, {}, "Move Text Up", false, kNoKeys, 17, false, moveText, textButtons,
                CInputTextView::KeyUp),
        Command(kNoMenu, TextDown, {}, "Move Text Down", false, kNoKeys, 18, false, moveText, textButtons,
                CInputTextView::KeyDown),
        Command(kNoMenu, TextLeft, {}, "Move Text Left", false, kNoKeys, 19, false, moveText, textButtons,
                CInputTextView::KeyLeft),
        Command(kNoMenu, TextRight, {}, "Move Text Right", false, kNoKeys, 20, false, moveText, textButtons,
                CInputTextView::KeyRight),
        Command(kNoMenu, TextOrigin, {}, "Text Back to Origin", false, kNoKeys, 21, true, moveText, textButtons,
                CInputTextView::KeyHome),
        // The bar ends with a separator after Pan.
        Checkable(Command(kNoMenu, Pan, {}, "Pan", false, kNoKeys, 23, true,
                          [](CMainFrame& f, int) { f.m_pCanvas->TogglePanMode(); },
                          [](const CMainFrame& f, int) { return Checked(f.m_pCanvas->PanMode() != 0); })),
    };
    return entries;
}

std::vector<const SCommandEntry*> CCommandRegistry::Commands()
{
    std::vector<const SCommandEntry*> commands;
    for (const SCommandEntry& entry : Entries()) {
        if (entry.nRow == SCommandEntry::Command)
            commands.push_back(&entry);
    }
    return commands;
}

const SCommandEntry* CCommandRegistry::Find(int id)
{
    for (const SCommandEntry* entry : Commands()) {
        if (entry->nId == id)
            return entry;
    }
    return nullptr;
}

std::vector<const SCommandEntry*> CCommandRegistry::ToolbarLayout()
{
    std::vector<const SCommandEntry*> buttons;
    for (const SCommandEntry* entry : Commands()) {
        if (entry->nToolbarCell != kNoCell)
            buttons.push_back(entry);
    }
    std::sort(buttons.begin(), buttons.end(),
              [](const SCommandEntry* a, const SCommandEntry* b) { return a->nToolbarCell < b->nToolbarCell; });
    std::vector<const SCommandEntry*> layout;
    for (const SCommandEntry* button : buttons) {
        layout.push_back(button);
        if (button->bToolbarGapAfter)
            layout.push_back(nullptr);
    }
    return layout;
}

QList<QKeySequence> CCommandRegistry::Shortcuts(const SCommandEntry& entry)
{
    QList<QKeySequence> keys;
    for (const char* text : entry.aszShortcuts) {
        if (text)
            keys << QKeySequence(QString::fromLatin1(text), QKeySequence::PortableText);
    }
    return keys;
}
