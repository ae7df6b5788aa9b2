// The Edit menu's selection and clipboard commands, Resize Canvas, Crop to
// Selection, the Tools menu and the canvas readout in the status bar, on a
// real frame. The clipboard is the offscreen platform's own.
#include "FrameFixture.h"

#include "canvas/DotSelection.h"
#include "canvas/CanvasSize.h"
#include "base/GridImage.h"
#include "frame/CanvasReadout.h"
#include "frame/DrawingSteps.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QScrollBar>
#include <QTest>
#include <QTextEdit>
#include <QToolBar>

using namespace CommandId;

namespace {

constexpr COLORREF kRed = MakeColor(255, 0, 0);
constexpr COLORREF kGreen = MakeColor(0, 255, 0);
constexpr COLORREF kBlue = MakeColor(0, 0, 255);

class DrawingCommands : public FrameTest
{
protected:
    const CDotGrid& Grid() const { return Canvas()->Grid(); }
    COLORREF DotAt(int x, int y) const { return Grid().DisplayDotAt(x, y); }
    std::size_t Steps() const { return Canvas()->History().UndoCount(); }
};

} // namespace

TEST_F(DrawingCommands, CopyAndPasteCarryTheDotsThroughTheClipboardAsAPicture)
{
    OpenSample();
    Trigger(SelectAll);
    Trigger(Copy);
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    ASSERT_TRUE(data && data->hasFormat(QStringLiteral("image/png")));
    const QImage png = QImage::fromData(data->data(QStringLiteral("image/png")), "PNG").convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(png.size(), QSize(16, 8));
    EXPECT_EQ(png.pixel(9, 0), qRgb(0, 0, 255));
    EXPECT_EQ(png.pixel(7, 7), qRgb(0, 255, 0));
    const COLORREF back = Grid().BackColor();
    EXPECT_EQ(png.pixel(3, 3), qRgb(RedOf(back), GreenOf(back), BlueOf(back))) << "unlit dots in the background colour";

    NewCanvas(24, 16, ImageMode);
    Trigger(Paste);
    EXPECT_TRUE(Canvas()->Selection().IsFloating());
    EXPECT_EQ(DotAt(9, 0), Grid().BackColor()) << "a paste floats until it is put down";
    Trigger(ToolClick);
    EXPECT_EQ(DotAt(0, 0), kRed);
    EXPECT_EQ(DotAt(1, 0), kRed);
    EXPECT_EQ(DotAt(7, 7), kGreen);
    EXPECT_EQ(DotAt(9, 0), kBlue);
    EXPECT_EQ(Steps(), 1u);
    Trigger(Undo);
    EXPECT_EQ(DotAt(9, 0), Grid().BackColor());
}

// With nothing selected, a paste lands on the first dot in view: scrolled
// across and down by different amounts, both axes count.
TEST_F(DrawingCommands, APasteLandsOnTheFirstDotInView)
{
    NewCanvas(256, 256, ImageMode);
    frame->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(frame.get()));
    const int pitch = Canvas()->EffectiveDotSize();
    Canvas()->horizontalScrollBar()->setValue(40 * pitch);
    Canvas()->verticalScrollBar()->setValue(12 * pitch);
    ASSERT_EQ(Canvas()->FirstVisibleDot(), QPoint(40, 12));
    QImage picture(1, 1, QImage::Format_RGB32);
    picture.setPixel(0, 0, qRgb(0, 255, 0));
    QGuiApplication::clipboard()->setImage(picture);
    Trigger(Paste);
    Trigger(ToolClick);
    EXPECT_EQ(DotAt(40, 12), kGreen);
    EXPECT_EQ(DotAt(12, 40), Grid().BackColor());
}

TEST_F(DrawingCommands, APictureFromAnotherProgramGoesThroughPictureColors)
{
    NewCanvas(8, 8, ImageMode);
    QImage picture(2, 1, QImage::Format_RGB32);
    picture.setPixel(0, 0, qRgb(250, 5, 5));
    picture.setPixel(1, 0, qRgb(0, 255, 0));
    QGuiApplication::clipboard()->setImage(picture);
    Trigger(PictureNearest);
    Trigger(Paste);
    Trigger(ToolClick);
    EXPECT_EQ(DotAt(0, 0), kRed);
    EXPECT_EQ(DotAt(1, 0), kGreen);
    Trigger(Undo);
    Trigger(PictureExact);
    Trigger(Paste);
    Trigger(ToolClick);
    EXPECT_EQ(DotAt(0, 0), Grid().BackColor()) << "exact colours keep only dot colours";
    EXPECT_EQ(DotAt(1, 0), kGreen);
}

TEST_F(DrawingCommands, CutAndDeleteClearTheSelectionAsOneStepEach)
{
    OpenSample();
    const std::size_t before = Steps();
    EXPECT_FALSE(Act(Cut)->isEnabled());
    Canvas()->TakeUpTool(CImageView::SelectTool);
    Canvas()->Selection().Select(QRect(0, 0, 2, 1));
    frame->UpdateCommandStates();
    EXPECT_TRUE(Act(Cut)->isEnabled());
    Trigger(Cut);
    EXPECT_EQ(DotAt(0, 0), Grid().BackColor());
    EXPECT_EQ(DotAt(1, 0), Grid().BackColor());
    EXPECT_EQ(Steps(), before + 1);
    Canvas()->Selection().Select(QRect(7, 7, 1, 1));
    frame->UpdateCommandStates();
    Trigger(Delete);
    EXPECT_EQ(DotAt(7, 7), Grid().BackColor());
    EXPECT_EQ(Steps(), before + 2);
    Trigger(Undo);
    Trigger(Undo);
    EXPECT_EQ(DotAt(0, 0), kRed);
    EXPECT_EQ(DotAt(7, 7), kGreen);
}

// With nothing selected there is nothing to copy, cut or delete; with no
// picture on the clipboard nothing to paste; a fill starts only on the canvas.
TEST_F(DrawingCommands, CommandsWithNothingToWorkOnChangeNothing)
{
    OpenSample();
    const std::size_t before = Steps();
    CDrawingSteps steps(*Canvas());
    QGuiApplication::clipboard()->setText(QStringLiteral("kept"));
    EXPECT_FALSE(steps.Copy());
    EXPECT_FALSE(steps.Cut());
    EXPECT_FALSE(steps.Delete());
    EXPECT_FALSE(steps.CropToSelection());
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("kept"));
    EXPECT_FALSE(steps.Paste());
    EXPECT_TRUE(Canvas()->Selection().IsEmpty());
    for (const QPoint at : {QPoint(-1, 0), QPoint(16, 0), QPoint(0, -1), QPoint(0, 8)})
        EXPECT_FALSE(steps.Fill(at, true)) << at.x() << "," << at.y();
    EXPECT_TRUE(steps.Fill(QPoint(15, 7), true));
    EXPECT_EQ(Steps(), before + 1);
    EXPECT_EQ(Grid().Width(), 16);
}

// While typed text waits for its merge, no command changes the dots.
TEST_F(DrawingCommands, CutDeleteAndPasteWaitForAPendingMerge)
{
    NewCanvas(32, 16, TextMode);
    QTest::keyClicks(Pane()->RichEdit(), QStringLiteral("AB"));
    Trigger(MergeText);
    Canvas()->TakeUpTool(CImageView::SelectTool);
    Canvas()->Selection().Select(QRect(0, 0, 8, 8));
    CDrawingSteps steps(*Canvas());
    ASSERT_TRUE(steps.Copy()); // reading the dots is always allowed
    QTest::keyClicks(Pane()->RichEdit(), QStringLiteral("C"));
    const std::size_t before = Steps();
    const QImage dots = GridToImage(Grid());
    EXPECT_FALSE(steps.Cut());
    EXPECT_FALSE(steps.Delete());
    EXPECT_FALSE(steps.Paste());
    EXPECT_EQ(Steps(), before);
    EXPECT_EQ(GridToImage(Grid()), dots);
}

TEST_F(DrawingCommands, ResizeCanvasAsksAndCropKeepsTheSelection)
{
    OpenSample();
    std::optional<CCanvasSizeRequest> answer;
    int askedWidth = 0, askedHeight = 0;
    frame->Dialogs().askCanvasSize = [&](int width, int height, int) {
        return askedWidth = width, askedHeight = height, answer;
    };
    Trigger(ResizeCanvas);
    EXPECT_EQ(askedWidth, 16);
    EXPECT_EQ(askedHeight, 8);
    EXPECT_EQ(Grid().Width(), 16) << "a cancelled dialog changes nothing";
    answer = CCanvasSizeRequest{32, 16, AnchorBottomRight};
    Trigger(ResizeCanvas);
    ASSERT_EQ(QSize(Grid().Width(), Grid().Height()), QSize(32, 16));
    EXPECT_EQ(DotAt(16 + 9, 8), kBlue);
    EXPECT_EQ(frame->Readout().Text(CCanvasReadout::SizePane), QStringLiteral("32 × 16"));

    Canvas()->Selection().Select(QRect(16 + 7, 8 + 7, 3, 1));
    frame->UpdateCommandStates();
    Trigger(CropToSelection);
    ASSERT_EQ(QSize(Grid().Width(), Grid().Height()), QSize(8, 8));
    EXPECT_EQ(DotAt(0, 0), kGreen);
    Trigger(Undo);
    Trigger(Undo);
    ASSERT_EQ(QSize(Grid().Width(), Grid().Height()), QSize(16, 8));
    EXPECT_EQ(DotAt(9, 0), kBlue);
}

TEST_F(DrawingCommands, OtherCommandsPutFloatingDotsDownFirst)
{
    OpenSample();
    Canvas()->TakeUpTool(CImageView::SelectTool);
    Canvas()->Selection().Select(QRect(9, 0, 1, 1));
    Canvas()->Selection().MoveBy(QPoint(0, 1));
    Trigger(Mirror);
    // Moved to (9, 1), then mirrored to (6, 1).
    EXPECT_EQ(DotAt(6, 1), kBlue);
    EXPECT_EQ(DotAt(6, 0), Grid().BackColor());
    EXPECT_FALSE(Canvas()->Selection().IsFloating());
}

TEST_F(DrawingCommands, ToolsMenuComesAfterHelpAndOneToolIsChecked)
{
    // File, Edit, System, Help, then Tools.
    const QList<QAction*> menus = frame->menuBar()->actions();
    ASSERT_GT(menus.size(), 4);
    QMenu* tools = menus.at(4)->menu();
    ASSERT_TRUE(tools);
    EXPECT_EQ(tools->actions().size(), 10);
    EXPECT_EQ(tools->actions().first(), Act(ToolClick));
    frame->UpdateCommandStates();
    EXPECT_TRUE(Act(ToolClick)->isChecked()) << "clicking dots stays the default";
    Trigger(ToolEllipse);
    EXPECT_TRUE(Act(ToolEllipse)->isChecked());
    EXPECT_FALSE(Act(ToolClick)->isChecked());
    EXPECT_EQ(Canvas()->ToolKind(), CImageView::EllipseTool);
    Trigger(Pan);
    EXPECT_FALSE(Act(ToolEllipse)->isChecked());
    EXPECT_EQ(Act(ToolPencil)->shortcut(), QKeySequence(QStringLiteral("P")));
    EXPECT_EQ(Act(Copy)->shortcut(), QKeySequence(QStringLiteral("Ctrl+C")));
}

TEST_F(DrawingCommands, ToolTipsAndReadoutTipsFollowTheMenuLanguage)
{
    const struct
    {
        int language;
        const char* lineTip;
        const char* filledTip;
        const char* blockTipStart;
    } cases[] = {
        {English, "Line (L)", "Filled Rectangle (Shift+R)", "The same dot"},
        {ChineseSimplified, "直线 (L)", "实心矩形 (Shift+R)", "该格点"},
        {ChineseTraditional, "直線 (L)", "實心矩形 (Shift+R)", "該格點"},
    };
    for (const auto& c : cases) {
        Trigger(c.language);
        EXPECT_EQ(Act(ToolLine)->toolTip(), QString::fromUtf8(c.lineTip));
        EXPECT_EQ(Act(ToolFilledRectangle)->toolTip(), QString::fromUtf8(c.filledTip));
        EXPECT_TRUE(frame->Readout().ToolTip(CCanvasReadout::BlockPane).startsWith(QString::fromUtf8(c.blockTipStart)))
            << c.language;
    }
    EXPECT_EQ(Act(Mirror)->toolTip(), QStringLiteral("Mirror")) << "the original buttons keep their tips";
}

TEST_F(DrawingCommands, TheStatusBarNamesTheDotUnderThePointerAsTheListingDoes)
{
    frame->resize(800, 600);
    frame->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(frame.get()));
    NewCanvas(32, 16, ImageMode);
    while (Canvas()->DotSize() < 8)
        Canvas()->ZoomIn();
    frame->UpdateCommandStates();
    const QPoint at = Canvas()->DotToClient(10, 3).center();
    QTest::mouseMove(Canvas()->viewport(), at);
    QCoreApplication::processEvents();
    const CCanvasReadout& readout = frame->Readout();
    EXPECT_EQ(readout.Text(CCanvasReadout::PointerPane), QStringLiteral("10, 3"));
    EXPECT_EQ(readout.Text(CCanvasReadout::BlockPane), QStringLiteral("2-4-3"));
    EXPECT_EQ(readout.Text(CCanvasReadout::ZoomPane), QStringLiteral("×8"));
    EXPECT_EQ(readout.Text(CCanvasReadout::SizePane), QStringLiteral("32 × 16"));
    // The last dot on both axes, then the field beside the grid.
    const QRect last = Canvas()->DotToClient(31, 15);
    QTest::mouseMove(Canvas()->viewport(), last.center());
    QCoreApplication::processEvents();
    EXPECT_EQ(readout.Text(CCanvasReadout::PointerPane), QStringLiteral("31, 15"));
    EXPECT_EQ(readout.Text(CCanvasReadout::BlockPane), QStringLiteral("8-8-8"));
    QTest::mouseMove(Canvas()->viewport(), last.bottomRight() + QPoint(last.width() * 2, last.height() * 2));
    QCoreApplication::processEvents();
    EXPECT_EQ(readout.Text(CCanvasReadout::PointerPane), QString()) << "off the grid, no dot is named";
    EXPECT_EQ(readout.Text(CCanvasReadout::BlockPane), QString());
    // The original panes keep their places: progress is still pane 1.
    EXPECT_EQ(frame->StatusPaneText(1), QStringLiteral("100%"));
}

// Each tool command takes up its own tool, checks only itself and has its key.
TEST_F(DrawingCommands, EachToolCommandTakesUpItsToolByItsKey)
{
    const struct
    {
        int id;
        int kind;
        const char* key;
    } tools[] = {{ToolClick, CImageView::ClickTool, "D"},
                 {ToolPencil, CImageView::PencilTool, "P"},
                 {ToolLine, CImageView::LineTool, "L"},
                 {ToolRectangle, CImageView::RectangleTool, "R"},
                 {ToolFilledRectangle, CImageView::FilledRectangleTool, "Shift+R"},
                 {ToolEllipse, CImageView::EllipseTool, "E"},
                 {ToolFilledEllipse, CImageView::FilledEllipseTool, "Shift+E"},
                 {ToolFill, CImageView::FillTool, "F"},
                 {ToolPicker, CImageView::PickerTool, "I"},
                 {ToolSelect, CImageView::SelectTool, "S"}};
    for (const auto& tool : {tools[9], tools[0], tools[1], tools[2], tools[3], tools[4], tools[5], tools[6], tools[7],
                             tools[8]}) {
        Trigger(tool.id);
        EXPECT_EQ(Canvas()->ToolKind(), tool.kind) << tool.key;
        EXPECT_EQ(Act(tool.id)->shortcut(), QKeySequence(QString::fromLatin1(tool.key)));
        for (const auto& other : tools)
            EXPECT_EQ(Act(other.id)->isChecked(), other.id == tool.id) << tool.key << " " << other.key;
    }
}
