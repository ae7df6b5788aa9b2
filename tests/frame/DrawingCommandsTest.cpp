// The Edit menu's selection and clipboard commands, Resize Canvas, Crop to
// Selection, the Tools menu and the canvas readout in the status bar, on a
// real frame. The clipboard is the offscreen platform's own.
#include "FrameFixture.h"

#include "canvas/DotSelection.h"
#include "canvas/CanvasSize.h"
#include "base/GridImage.h"
#include "frame/CanvasReadout.h"
#include "frame/DrawingSteps.h"

#include <QBuffer>
#include <QClipboard>
#include <QGuiApplication>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QScrollBar>
#include <QTest>
#include <QTextEdit>
#include <QLabel>
#include <QSet>
#include <QStatusBar>
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

    // Without a canvas (batch mode) the selection and clipboard steps do
    // nothing, even with a picture on the clipboard.
    QImage red(2, 2, QImage::Format_RGB32);
    red.fill(qRgb(255, 0, 0));
    QGuiApplication::clipboard()->setImage(red);
    CDrawingSteps batch(Canvas()->Document());
    batch.SelectAll();
    EXPECT_FALSE(batch.HasSelection());
    EXPECT_FALSE(batch.Copy());
    EXPECT_FALSE(batch.Cut());
    EXPECT_FALSE(batch.Delete());
    EXPECT_FALSE(batch.CropToSelection());
    EXPECT_FALSE(batch.Paste());
    batch.PlaceFloating();
    EXPECT_EQ(Steps(), before + 1);
    EXPECT_TRUE(Canvas()->Selection().IsEmpty());
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
    std::optional<CCanvasSizeRequest> answer;
    int askedWidth = -1, askedHeight = -1;
    frame->Dialogs().askCanvasSize = [&](int width, int height, int) {
        return askedWidth = width, askedHeight = height, answer;
    };
    // Before any canvas there is nothing to resize: not even asked.
    frame->OnCommand(ResizeCanvas);
    EXPECT_EQ(askedWidth, -1);
    OpenSample();
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

// Each readout pane has a tip of its own and is wide enough for the widest
// text it shows, so the bar does not jump; there is no fifth pane.
TEST_F(DrawingCommands, EachReadoutPaneHasItsTipAndRoomForItsWidestText)
{
    const CCanvasReadout& readout = frame->Readout();
    const char* widest[] = {"1023, 767", "12288-8-8", "×20", "1024 × 768"};
    QSet<QString> tips;
    for (int pane = 0; pane < CCanvasReadout::kPaneCount; ++pane) {
        const QString tip = readout.ToolTip(pane);
        ASSERT_FALSE(tip.isEmpty()) << pane;
        tips.insert(tip);
        QLabel* label = nullptr;
        for (QLabel* candidate : frame->statusBar()->findChildren<QLabel*>())
            if (candidate->toolTip() == tip)
                label = candidate;
        ASSERT_NE(label, nullptr) << pane;
        const int room = label->fontMetrics().horizontalAdvance(QString::fromUtf8(widest[pane]));
        EXPECT_GE(label->minimumWidth(), room + 8) << pane;
        EXPECT_LE(label->minimumWidth(), room + 8) << pane;
        EXPECT_EQ(label->alignment(), Qt::AlignCenter) << pane;
    }
    EXPECT_EQ(tips.size(), 4);
    for (const int pane : {-1, int(CCanvasReadout::kPaneCount)}) {
        EXPECT_EQ(readout.Text(pane), QString()) << pane;
        EXPECT_EQ(readout.ToolTip(pane), QString()) << pane;
    }
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

// The drawing steps the tools and batch mode share: each shape reaches the
// far corner of a wide canvas, lights in the dot colour or clears to the
// background, and records one step.
TEST_F(DrawingCommands, TheDrawingStepsLightAndClearShapesOnAWideCanvas)
{
    NewCanvas(32, 16, ImageMode);
    CDrawingSteps& steps = frame->Drawing();
    const COLORREF back = Grid().BackColor();
    const COLORREF lit = Grid().DotColor();
    ASSERT_NE(lit, back);
    ASSERT_TRUE(steps.Line(QPoint(0, 15), QPoint(31, 15), true));
    EXPECT_EQ(DotAt(0, 15), lit);
    EXPECT_EQ(DotAt(31, 15), lit);
    EXPECT_EQ(DotAt(31, 14), back);
    ASSERT_TRUE(steps.Line(QPoint(20, 15), QPoint(31, 15), false));
    EXPECT_EQ(DotAt(31, 15), back);
    EXPECT_EQ(DotAt(19, 15), lit);

    ASSERT_TRUE(steps.Rectangle(QPoint(20, 2), QPoint(22, 4), false, true));
    EXPECT_EQ(DotAt(20, 2), lit);
    EXPECT_EQ(DotAt(22, 4), lit);
    EXPECT_EQ(DotAt(21, 3), back) << "an outline only";
    ASSERT_TRUE(steps.Rectangle(QPoint(20, 2), QPoint(22, 4), true, true));
    EXPECT_EQ(DotAt(21, 3), lit);
    ASSERT_TRUE(steps.Ellipse(QPoint(24, 0), QPoint(30, 6), false, true));
    EXPECT_EQ(DotAt(24, 3), lit);
    EXPECT_EQ(DotAt(30, 3), lit);
    EXPECT_EQ(DotAt(27, 3), back);
    ASSERT_TRUE(steps.Ellipse(QPoint(24, 8), QPoint(30, 14), true, true));
    EXPECT_EQ(DotAt(27, 11), lit);
    EXPECT_EQ(Steps(), 6u);

    // Filling the lit square with the background clears exactly it.
    ASSERT_TRUE(steps.Fill(QPoint(21, 3), false));
    EXPECT_EQ(DotAt(20, 2), back);
    EXPECT_EQ(DotAt(22, 4), back);
    EXPECT_EQ(DotAt(24, 3), lit);
    ASSERT_TRUE(steps.Fill(QPoint(31, 0), true));
    EXPECT_EQ(DotAt(31, 0), lit);
    EXPECT_EQ(DotAt(21, 3), lit);
    EXPECT_EQ(DotAt(27, 3), back) << "inside the ellipse is another area";
    EXPECT_EQ(Steps(), 8u);
}

TEST_F(DrawingCommands, ResizeAndCropPutFloatingDotsDownFirst)
{
    OpenSample();
    CDrawingSteps& steps = frame->Drawing();
    Canvas()->TakeUpTool(CImageView::SelectTool);
    Canvas()->Selection().Select(QRect(9, 0, 1, 1));
    Canvas()->Selection().MoveBy(QPoint(0, 1));
    ASSERT_TRUE(steps.ResizeCanvas(QSize(24, 16), AnchorTopLeft));
    EXPECT_FALSE(Canvas()->Selection().IsFloating());
    EXPECT_EQ(DotAt(9, 1), kBlue);
    EXPECT_EQ(DotAt(9, 0), Grid().BackColor());

    Canvas()->Selection().Select(QRect(9, 1, 1, 1));
    Canvas()->Selection().MoveBy(QPoint(1, 0));
    ASSERT_TRUE(steps.Crop(QRect(8, 0, 8, 8)));
    EXPECT_FALSE(Canvas()->Selection().IsFloating());
    EXPECT_EQ(DotAt(2, 1), kBlue);
    EXPECT_EQ(DotAt(1, 1), Grid().BackColor());
}

// What the clipboard offers decides whether Paste can run: a PNG, or any
// picture when the PNG is unreadable; text is no picture.
TEST_F(DrawingCommands, PasteTakesThePngOrElseAnyPictureAndLandsOnTheSelection)
{
    NewCanvas(16, 8, ImageMode);
    CDrawingSteps& steps = frame->Drawing();
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->setText(QStringLiteral("words"));
    EXPECT_FALSE(CDrawingSteps::ClipboardHasPicture());
    frame->UpdateCommandStates();
    EXPECT_FALSE(Act(Paste)->isEnabled());

    QImage green(1, 1, QImage::Format_RGB32);
    green.fill(qRgb(0, 255, 0));
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    ASSERT_TRUE(green.save(&buffer, "PNG"));
    auto* pngOnly = new QMimeData;
    pngOnly->setData(QStringLiteral("image/png"), png);
    clipboard->setMimeData(pngOnly);
    EXPECT_TRUE(CDrawingSteps::ClipboardHasPicture());
    frame->UpdateCommandStates();
    EXPECT_TRUE(Act(Paste)->isEnabled());
    // A selection gives the paste its corner; the select tool is taken up.
    Canvas()->Selection().Select(QRect(11, 5, 2, 2));
    ASSERT_EQ(Canvas()->ToolKind(), CImageView::ClickTool);
    ASSERT_TRUE(steps.Paste());
    EXPECT_EQ(Canvas()->ToolKind(), CImageView::SelectTool);
    steps.PlaceFloating();
    EXPECT_EQ(DotAt(11, 5), kGreen);
    EXPECT_EQ(DotAt(0, 0), Grid().BackColor()) << "not at the first dot in view";

    auto* brokenPng = new QMimeData;
    brokenPng->setData(QStringLiteral("image/png"), QByteArray("not a picture"));
    QImage blue(1, 1, QImage::Format_RGB32);
    blue.fill(qRgb(0, 0, 255));
    brokenPng->setImageData(blue);
    clipboard->setMimeData(brokenPng);
    Canvas()->Selection().Select(QRect(2, 6, 1, 1));
    ASSERT_TRUE(steps.Paste());
    steps.PlaceFloating();
    EXPECT_EQ(DotAt(2, 6), kBlue);

    // A copy offers both the PNG and a picture of the dots.
    Canvas()->Selection().Select(QRect(11, 5, 1, 1));
    ASSERT_TRUE(steps.Copy());
    const QMimeData* copied = clipboard->mimeData();
    ASSERT_TRUE(copied && copied->hasImage());
    EXPECT_EQ(qvariant_cast<QImage>(copied->imageData()).convertToFormat(QImage::Format_RGB32).pixel(0, 0),
              qRgb(0, 255, 0));
}
