#include "CanvasFixture.h"
#include "ShapeArt.h"

#include "canvas/CanvasTool.h"
#include "canvas/DotSelection.h"

#include <QPaintEvent>
#include <QSignalSpy>
#include <QRegion>

#include <set>
#include <tuple>
#include <utility>

namespace {

constexpr COLORREF kRed = MakeColor(255, 0, 0);
constexpr COLORREF kGreen = MakeColor(0, 255, 0);

// A 16 x 16 image-mode canvas at dot size 8; gestures are given in dots.
class DrawingTools : public CanvasFixture
{
protected:
    void SetUp() override
    {
        Show(400, 300);
        NewGrid(16, 16);
        ZoomTo(8);
        m_view.Grid().SetDotColor(0);
    }
    QPoint At(int column, int row) const { return m_view.DotToClient(column, row).center(); }
    void Press(QPoint dot, Qt::MouseButton button = Qt::LeftButton, Qt::KeyboardModifiers keys = {})
    {
        QTest::mousePress(m_view.viewport(), button, keys, At(dot.x(), dot.y()));
    }
    void MoveTo(QPoint dot, Qt::KeyboardModifiers keys = {})
    {
        // QTest moves carry no modifiers; the event is sent as a drag would send it.
        QMouseEvent move(QEvent::MouseMove, At(dot.x(), dot.y()), m_view.viewport()->mapToGlobal(At(dot.x(), dot.y())),
                         Qt::NoButton, m_nHeld, keys);
        QCoreApplication::sendEvent(m_view.viewport(), &move);
    }
    void Release(QPoint dot, Qt::MouseButton button = Qt::LeftButton, Qt::KeyboardModifiers keys = {})
    {
        QTest::mouseRelease(m_view.viewport(), button, keys, At(dot.x(), dot.y()));
    }
    void Drag(QPoint from, QPoint to, Qt::MouseButton button = Qt::LeftButton, Qt::KeyboardModifiers keys = {})
    {
        m_nHeld = button;
        Press(from, button, keys);
        MoveTo(to, keys);
        Release(to, button, keys);
        m_nHeld = Qt::NoButton;
    }
    std::string Lit() const { return Art(m_view.Grid()); }
    std::size_t Steps() const { return m_view.History().UndoCount(); }

    Qt::MouseButtons m_nHeld = Qt::NoButton;
};

std::string ShapeArt(void (CDotShape::*add)(QPoint, QPoint, bool), QPoint a, QPoint b, bool filled)
{
    CDotShape shape(QSize(16, 16));
    (shape.*add)(a, b, filled);
    return Art(shape);
}

} // namespace

TEST_F(DrawingTools, APencilDragWithFarApartEventsPaintsTheWholePathAsOneStep)
{
    m_view.TakeUpTool(CImageView::PencilTool);
    m_nHeld = Qt::LeftButton;
    Press({0, 0});
    MoveTo({9, 2});
    MoveTo({2, 6});
    Release({2, 6});
    CDotShape path(QSize(16, 16));
    path.AddLine({0, 0}, {9, 2});
    path.AddLine({9, 2}, {2, 6});
    EXPECT_EQ(Lit(), Art(path));
    EXPECT_EQ(Steps(), 1u);
    ASSERT_TRUE(m_view.Undo());
    EXPECT_EQ(Lit(), Art(CDotShape(QSize(16, 16))));
    ASSERT_TRUE(m_view.Redo());
    EXPECT_EQ(Lit(), Art(path));
}

TEST_F(DrawingTools, EachShapeToolDrawsItsShapeAsOneStepAndTheRightButtonClears)
{
    struct SCase
    {
        int tool;
        void (CDotShape::*add)(QPoint, QPoint, bool);
        bool filled;
    };
    const SCase cases[] = {
        {CImageView::RectangleTool, &CDotShape::AddRectangle, false},
        {CImageView::FilledRectangleTool, &CDotShape::AddRectangle, true},
        {CImageView::EllipseTool, &CDotShape::AddEllipse, false},
        {CImageView::FilledEllipseTool, &CDotShape::AddEllipse, true},
    };
    for (const SCase& c : cases) {
        ASSERT_TRUE(m_view.Document().NewCanvas(16, 16, ImageMode));
        m_view.TakeUpTool(c.tool);
        Drag({12, 11}, {2, 3});
        EXPECT_EQ(Lit(), ShapeArt(c.add, {2, 3}, {12, 11}, c.filled)) << c.tool;
        EXPECT_EQ(Steps(), 1u) << c.tool;
        // The same shape with the right button takes every dot back.
        Drag({2, 3}, {12, 11}, Qt::RightButton);
        EXPECT_EQ(Lit(), Art(CDotShape(QSize(16, 16)))) << c.tool;
        EXPECT_EQ(Steps(), 2u) << c.tool;
    }
    m_view.TakeUpTool(CImageView::LineTool);
    Drag({0, 15}, {15, 0});
    EXPECT_EQ(m_view.Grid().DisplayDotAt(0, 15), kRed);
    EXPECT_EQ(m_view.Grid().DisplayDotAt(15, 0), kRed);
    EXPECT_EQ(Steps(), 3u);
}

TEST_F(DrawingTools, EveryDrawingToolUndoesAndRedoesAsOneWholeStep)
{
    for (int tool : {CImageView::PencilTool, CImageView::LineTool, CImageView::RectangleTool,
                     CImageView::FilledRectangleTool, CImageView::EllipseTool, CImageView::FilledEllipseTool,
                     CImageView::FillTool}) {
        ASSERT_TRUE(m_view.Document().NewCanvas(16, 16, ImageMode));
        m_view.Grid().SetDisplayDot(0, 15, kGreen);
        const std::string before = Lit();
        m_view.TakeUpTool(tool);
        m_nHeld = Qt::LeftButton;
        Press({1, 2});
        MoveTo({7, 4});
        MoveTo({12, 9});
        Release({12, 9});
        m_nHeld = Qt::NoButton;
        const std::string after = Lit();
        EXPECT_NE(after, before) << tool;
        EXPECT_EQ(Steps(), 1u) << tool;
        ASSERT_TRUE(m_view.Undo()) << tool;
        EXPECT_EQ(Lit(), before) << tool;
        EXPECT_EQ(m_view.Grid().DisplayDotAt(0, 15), kGreen) << tool;
        ASSERT_TRUE(m_view.Redo()) << tool;
        EXPECT_EQ(Lit(), after) << tool;
    }
}

TEST_F(DrawingTools, ShiftDragsASquareAndACircle)
{
    m_view.TakeUpTool(CImageView::RectangleTool);
    Drag({1, 1}, {9, 4}, Qt::LeftButton, Qt::ShiftModifier);
    EXPECT_EQ(Lit(), ShapeArt(&CDotShape::AddRectangle, {1, 1}, {9, 9}, false));
}

TEST_F(DrawingTools, ThePreviewShowsOnScreenWithoutTouchingTheDots)
{
    m_view.TakeUpTool(CImageView::LineTool);
    m_nHeld = Qt::LeftButton;
    Press({1, 1});
    MoveTo({8, 1});
    QCoreApplication::processEvents();
    EXPECT_EQ(m_view.Grid().DisplayDotAt(5, 1), m_view.Grid().BackColor());
    EXPECT_EQ(Grab().pixel(At(5, 1)), Rgb(kRed));
    EXPECT_EQ(Steps(), 0u);
    // Taking up another tool ends the gesture without effect.
    m_view.TakeUpTool(CImageView::ClickTool);
    Release({8, 1});
    QCoreApplication::processEvents();
    EXPECT_EQ(Grab().pixel(At(5, 1)), Rgb(m_view.Grid().BackColor()));
    EXPECT_EQ(Steps(), 0u);
}

// On a canvas taller than it is wide, shapes reach its lowest rows.
TEST_F(DrawingTools, ShapesReachTheBottomOfATallCanvas)
{
    NewGrid(8, 24);
    m_view.TakeUpTool(CImageView::LineTool);
    Drag({1, 21}, {6, 21});
    for (int x = 1; x <= 6; ++x)
        EXPECT_EQ(m_view.Grid().DisplayDotAt(x, 21), kRed) << x;
}

TEST_F(DrawingTools, FillColoursTheAreaAsOneStepAndRefillingRecordsNothing)
{
    m_view.TakeUpTool(CImageView::RectangleTool);
    Drag({2, 2}, {10, 8});
    m_view.Grid().SetDotColor(1);
    m_view.TakeUpTool(CImageView::FillTool);
    QTest::mouseClick(m_view.viewport(), Qt::LeftButton, {}, At(5, 5));
    int green = 0;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            green += m_view.Grid().DisplayDotAt(x, y) == kGreen;
    EXPECT_EQ(green, 7 * 5);
    EXPECT_EQ(Steps(), 2u);
    QTest::mouseClick(m_view.viewport(), Qt::LeftButton, {}, At(5, 5));
    EXPECT_EQ(Steps(), 2u) << "a fill that changes nothing is no step";
    ASSERT_TRUE(m_view.Undo());
    EXPECT_EQ(m_view.Grid().DisplayDotAt(5, 5), m_view.Grid().BackColor());
}

TEST_F(DrawingTools, ThePickerTakesALitDotsColour)
{
    m_view.Grid().SetDisplayDot(3, 3, kGreen);
    int picked = -1;
    QObject::connect(&m_view, &CImageView::DotColorPicked, [&](int index) { picked = index; });
    m_view.TakeUpTool(CImageView::PickerTool);
    QTest::mouseClick(m_view.viewport(), Qt::LeftButton, {}, At(4, 4));
    EXPECT_EQ(m_view.Grid().ColorIndex(), 0) << "an unlit dot has no colour to take";
    QTest::mouseClick(m_view.viewport(), Qt::LeftButton, {}, At(3, 3));
    EXPECT_EQ(m_view.Grid().ColorIndex(), 1);
    EXPECT_EQ(picked, 1);
    EXPECT_EQ(Steps(), 0u);
}

TEST_F(DrawingTools, ASelectionMovesByDragAndArrowsAndLandsAsOneStep)
{
    m_view.Grid().SetDisplayDot(1, 1, kGreen);
    m_view.Grid().SetDisplayDot(2, 2, kRed);
    m_view.Grid().SetDisplayDot(6, 4, kRed); // passed over by the move, and kept
    m_view.TakeUpTool(CImageView::SelectTool);
    Drag({1, 1}, {2, 2});
    EXPECT_EQ(m_view.Selection().Area(), QRect(1, 1, 2, 2));
    Drag({1, 1}, {5, 3});
    m_view.setFocus();
    // Each arrow moves the dots one dot its own way.
    const struct
    {
        Qt::Key key;
        QRect area;
    } arrows[] = {{Qt::Key_Left, QRect(4, 3, 2, 2)}, {Qt::Key_Up, QRect(4, 2, 2, 2)},
                  {Qt::Key_Right, QRect(5, 2, 2, 2)}, {Qt::Key_Down, QRect(5, 3, 2, 2)},
                  {Qt::Key_Right, QRect(6, 3, 2, 2)}, {Qt::Key_Down, QRect(6, 4, 2, 2)}};
    for (const auto& a : arrows) {
        QTest::keyClick(&m_view, a.key);
        EXPECT_EQ(m_view.Selection().Area(), a.area) << a.key;
    }
    EXPECT_TRUE(m_view.Selection().IsFloating());
    EXPECT_EQ(m_view.Grid().DisplayDotAt(1, 1), kGreen) << "nothing changes while the dots float";
    EXPECT_EQ(Steps(), 0u);
    // The screen shows them moved: the place they left unlit, the floating
    // dots over what lies under them, the selection framed in white and black.
    QCoreApplication::processEvents();
    const QImage shown = Grab();
    const QRgb back = Rgb(m_view.Grid().BackColor());
    for (const QPoint left : {QPoint(1, 1), QPoint(2, 1), QPoint(1, 2), QPoint(2, 2)})
        EXPECT_EQ(shown.pixel(At(left.x(), left.y())), back) << left.x() << "," << left.y();
    EXPECT_EQ(shown.pixel(At(6, 4)), Rgb(kGreen));
    EXPECT_EQ(shown.pixel(At(7, 5)), Rgb(kRed));
    EXPECT_EQ(shown.pixel(At(7, 4)), back);
    EXPECT_EQ(shown.pixel(At(8, 4)), back);
    const QRect area = m_view.DotToClient(6, 4) | m_view.DotToClient(7, 5);
    for (const QPoint corner : {area.topLeft(), area.bottomRight(), area.topLeft() + QPoint(3, 0)}) {
        const QRgb p = shown.pixel(corner);
        EXPECT_TRUE(p == qRgb(255, 255, 255) || p == qRgb(0, 0, 0)) << corner.x() << "," << corner.y();
    }

    m_view.TakeUpTool(CImageView::ClickTool);
    EXPECT_EQ(m_view.Grid().DisplayDotAt(1, 1), m_view.Grid().BackColor());
    EXPECT_EQ(m_view.Grid().DisplayDotAt(2, 2), m_view.Grid().BackColor());
    EXPECT_EQ(m_view.Grid().DisplayDotAt(6, 4), kGreen);
    EXPECT_EQ(m_view.Grid().DisplayDotAt(7, 5), kRed);
    EXPECT_EQ(Steps(), 1u);
    ASSERT_TRUE(m_view.Undo());
    EXPECT_EQ(m_view.Grid().DisplayDotAt(1, 1), kGreen);
    EXPECT_EQ(m_view.Grid().DisplayDotAt(2, 2), kRed);
    EXPECT_EQ(m_view.Grid().DisplayDotAt(6, 4), kRed);
    EXPECT_EQ(m_view.Grid().DisplayDotAt(7, 5), m_view.Grid().BackColor());
}

// Dots moved partly off the canvas land; what stays selected is their part
// on the canvas.
TEST_F(DrawingTools, APlacedSelectionKeepsOnlyItsPartOnTheCanvas)
{
    const int width = m_view.Grid().Width();
    m_view.Grid().SetDisplayDot(0, 0, kGreen);
    m_view.Selection().Select(QRect(0, 0, 2, 2));
    m_view.Selection().MoveBy(QPoint(width - 1, 1));
    ASSERT_TRUE(m_view.Selection().Place());
    EXPECT_EQ(m_view.Selection().Area(), QRect(width - 1, 1, 1, 2));
    EXPECT_EQ(m_view.Grid().DisplayDotAt(width - 1, 1), kGreen);
}

TEST_F(DrawingTools, ToolsRefuseWhileTypedTextWaitsForItsMerge)
{
    NewGrid(16, 16, TextMode);
    m_view.SetMergePendingQuery([] { return true; });
    for (int tool : {CImageView::PencilTool, CImageView::LineTool, CImageView::RectangleTool, CImageView::FillTool}) {
        m_view.TakeUpTool(tool);
        Drag({1, 1}, {5, 5});
        EXPECT_EQ(Steps(), 0u) << tool;
        EXPECT_EQ(m_view.PointerShape(), Qt::ForbiddenCursor) << tool;
    }
    EXPECT_EQ(Lit(), Art(CDotShape(QSize(16, 16))));
}

// Each tool is taken up by its kind and reports it; a kind out of range,
// like Click Dots, gives back the click tool, and the hand is no tool kind.
TEST_F(DrawingTools, EachKindTakesUpItsOwnToolAndNoOther)
{
    for (int kind = CImageView::ClickTool; kind < CImageView::kToolKinds; ++kind) {
        m_view.TakeUpTool(kind);
        EXPECT_EQ(m_view.ToolKind(), kind);
    }
    for (const int kind : {int(CImageView::kToolKinds), CImageView::kToolKinds + 1, -1}) {
        m_view.TakeUpTool(CImageView::SelectTool);
        m_view.TakeUpTool(kind);
        EXPECT_EQ(m_view.ToolKind(), CImageView::ClickTool) << kind;
    }
    m_view.TogglePanMode();
    EXPECT_EQ(m_view.ToolKind(), -1);
    EXPECT_EQ(m_view.PanMode(), 1);
    m_view.TogglePanMode();
    EXPECT_EQ(m_view.ToolKind(), CImageView::ClickTool);
    EXPECT_EQ(m_view.PanMode(), 0);
}

// A drag outside the selection spans the dots between its ends whichever
// way it goes, cut to the canvas; the right button leaves it; a drag inside
// moves it by the whole way the pointer went, over several moves.
TEST_F(DrawingTools, TheSelectToolSpansDragsEitherWayAndMovesByThePointersPath)
{
    m_view.TakeUpTool(CImageView::SelectTool);
    Drag({9, 7}, {3, 2});
    EXPECT_EQ(m_view.Selection().Area(), QRect(QPoint(3, 2), QPoint(9, 7)));
    Drag({3, 12}, {9, 10});
    EXPECT_EQ(m_view.Selection().Area(), QRect(QPoint(3, 10), QPoint(9, 12)));
    Drag({12, 3}, {14, 5});
    EXPECT_EQ(m_view.Selection().Area(), QRect(QPoint(12, 3), QPoint(14, 5)));
    Drag({14, 14}, {20, 19});
    EXPECT_EQ(m_view.Selection().Area(), QRect(QPoint(14, 14), QPoint(15, 15)));
    // A click selects its one dot.
    Drag({5, 6}, {5, 6});
    EXPECT_EQ(m_view.Selection().Area(), QRect(5, 6, 1, 1));
    Drag({1, 1}, {4, 4}, Qt::RightButton);
    EXPECT_EQ(m_view.Selection().Area(), QRect(5, 6, 1, 1));
    EXPECT_FALSE(m_view.Selection().IsFloating());

    m_view.Selection().Select(QRect(2, 2, 3, 2));
    m_nHeld = Qt::LeftButton;
    Press({3, 3});
    MoveTo({5, 4});
    EXPECT_EQ(m_view.Selection().Area(), QRect(4, 3, 3, 2));
    MoveTo({6, 4});
    EXPECT_EQ(m_view.Selection().Area(), QRect(5, 3, 3, 2));
    MoveTo({6, 6});
    Release({6, 6});
    m_nHeld = Qt::NoButton;
    EXPECT_EQ(m_view.Selection().Area(), QRect(5, 5, 3, 2));
    EXPECT_TRUE(m_view.Selection().IsFloating());
    EXPECT_EQ(Steps(), 0u);
}

// Over the selection the pointer offers to move it, elsewhere to select.
TEST_F(DrawingTools, TheSelectToolsPointerShowsWhatADragWouldDo)
{
    m_view.TakeUpTool(CImageView::SelectTool);
    Drag({4, 4}, {6, 5});
    const struct
    {
        QPoint dot;
        Qt::CursorShape shape;
    } cases[] = {{{4, 4}, Qt::SizeAllCursor}, {{6, 5}, Qt::SizeAllCursor}, {{3, 4}, Qt::CrossCursor},
                 {{7, 5}, Qt::CrossCursor},   {{5, 3}, Qt::CrossCursor},   {{5, 6}, Qt::CrossCursor}};
    for (const auto& c : cases) {
        MoveTo(c.dot);
        EXPECT_EQ(m_view.PointerShape(), c.shape) << c.dot.x() << "," << c.dot.y();
    }
}

// Each shape follows the pointer's last position, not the way it went; Shift
// keeps ellipses round as it keeps rectangles square.
TEST_F(DrawingTools, ShapesFollowTheLastPositionAndShiftMakesCircles)
{
    const auto drawn = [](auto add) {
        CDotShape shape(QSize(16, 16));
        add(shape);
        return Art(shape);
    };
    m_view.TakeUpTool(CImageView::LineTool);
    m_nHeld = Qt::LeftButton;
    Press({1, 1});
    MoveTo({12, 1});
    MoveTo({3, 9});
    Release({3, 9});
    EXPECT_EQ(Lit(), drawn([](CDotShape& s) { s.AddLine({1, 1}, {3, 9}); }));
    for (const bool filled : {false, true}) {
        ASSERT_TRUE(m_view.Document().NewCanvas(16, 16, ImageMode));
        m_view.TakeUpTool(filled ? CImageView::FilledEllipseTool : CImageView::EllipseTool);
        Press({2, 2});
        MoveTo({14, 14});
        MoveTo({12, 6}, Qt::ShiftModifier);
        Release({12, 6}, Qt::LeftButton, Qt::ShiftModifier);
        EXPECT_EQ(Lit(), drawn([filled](CDotShape& s) { s.AddEllipse({2, 2}, {12, 12}, filled); })) << filled;
    }
    m_nHeld = Qt::NoButton;
}

// A gesture starts only on the grid and ends only with its own button.
TEST_F(DrawingTools, AShapeStartsOnTheGridAndEndsWithItsOwnButton)
{
    m_view.TakeUpTool(CImageView::RectangleTool);
    m_nHeld = Qt::LeftButton;
    QTest::mousePress(m_view.viewport(), Qt::LeftButton, {}, m_view.DotToClient(-2, 3).center());
    MoveTo({6, 6});
    Release({6, 6});
    EXPECT_EQ(Steps(), 0u) << "pressed off the grid";
    Press({2, 2});
    MoveTo({6, 6});
    Release({6, 6}, Qt::RightButton);
    EXPECT_EQ(Steps(), 0u) << "another button's release";
    Release({5, 4});
    m_nHeld = Qt::NoButton;
    EXPECT_EQ(Steps(), 1u);
    CDotShape expected(QSize(16, 16));
    expected.AddRectangle({2, 2}, {5, 4}, false);
    EXPECT_EQ(Lit(), Art(expected));
}

// The region of the paint events a widget gets.
class CPaintedRegion : public QObject
{
public:
    QRegion m_region;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            m_region += static_cast<QPaintEvent*>(event)->region();
        return false;
    }
};

// When the preview shrinks, the dots it no longer covers are painted again,
// and only the dots of the old and the new preview are.
TEST_F(DrawingTools, AShrinkingPreviewRepaintsTheDotsItLeft)
{
    m_view.TakeUpTool(CImageView::LineTool);
    m_nHeld = Qt::LeftButton;
    Press({1, 1});
    MoveTo({12, 1});
    QCoreApplication::processEvents();
    CPaintedRegion painted;
    m_view.viewport()->installEventFilter(&painted);
    MoveTo({4, 1});
    QCoreApplication::processEvents();
    m_view.viewport()->removeEventFilter(&painted);
    for (const int column : {1, 4, 5, 10, 12})
        EXPECT_TRUE(painted.m_region.contains(m_view.DotToClient(column, 1))) << column;
    EXPECT_FALSE(painted.m_region.intersects(m_view.DotToClient(13, 1)));
    EXPECT_FALSE(painted.m_region.intersects(m_view.DotToClient(4, 3)));
    EXPECT_EQ(Grab().pixel(At(10, 1)), Rgb(m_view.Grid().BackColor()));
    Release({4, 1});
    m_nHeld = Qt::NoButton;
}

// An arrow key moves the selection on screen at once: the dots it now covers
// and the ones it left are repainted.
TEST_F(DrawingTools, ANudgedSelectionRepaintsWhereItWentAndWhereItWas)
{
    m_view.Grid().SetDisplayDot(3, 3, kRed);
    m_view.TakeUpTool(CImageView::SelectTool);
    Drag({3, 3}, {4, 4});
    m_view.setFocus();
    for (const auto& [key, from, to] : {std::tuple{Qt::Key_Right, QPoint(3, 3), QPoint(5, 4)},
                                        std::tuple{Qt::Key_Down, QPoint(4, 3), QPoint(5, 5)}}) {
        QCoreApplication::processEvents();
        CPaintedRegion painted;
        m_view.viewport()->installEventFilter(&painted);
        QTest::keyClick(&m_view, key);
        QCoreApplication::processEvents();
        m_view.viewport()->removeEventFilter(&painted);
        EXPECT_TRUE(painted.m_region.contains(m_view.DotToClient(from.x(), from.y()))) << key;
        EXPECT_TRUE(painted.m_region.contains(m_view.DotToClient(to.x(), to.y()))) << key;
    }
    EXPECT_EQ(m_view.Selection().Area(), QRect(4, 4, 2, 2));
}

// Each tool's pointer tells what a click does, and that it is refused while
// typed text waits for its merge.
TEST_F(DrawingTools, EachToolsPointerShowsWhetherItMayDraw)
{
    const struct
    {
        int tool;
        Qt::CursorShape allowed;
    } cases[] = {{CImageView::ClickTool, Qt::ArrowCursor},      {CImageView::PencilTool, Qt::CrossCursor},
                 {CImageView::EllipseTool, Qt::CrossCursor},    {CImageView::FillTool, Qt::PointingHandCursor},
                 {CImageView::SelectTool, Qt::CrossCursor}};
    for (const auto& c : cases) {
        m_view.TakeUpTool(c.tool);
        EXPECT_EQ(m_view.PointerShape(), c.allowed) << c.tool;
    }
    NewGrid(16, 16, TextMode);
    m_view.SetMergePendingQuery([] { return true; });
    m_view.TakeUpTool(CImageView::ClickTool);
    EXPECT_EQ(m_view.PointerShape(), Qt::ForbiddenCursor);
    QTest::mouseClick(m_view.viewport(), Qt::LeftButton, {}, At(2, 2));
    EXPECT_EQ(Steps(), 0u);
}

// The picker takes colours with the left button only; the fill clears with
// the right one.
TEST_F(DrawingTools, ThePickerTakesOnlyWithTheLeftButtonAndTheFillClearsWithTheRight)
{
    m_view.Grid().SetDisplayDot(3, 3, kGreen);
    int picked = -1;
    QObject::connect(&m_view, &CImageView::DotColorPicked, [&](int index) { picked = index; });
    m_view.TakeUpTool(CImageView::PickerTool);
    QTest::mouseClick(m_view.viewport(), Qt::RightButton, {}, At(3, 3));
    EXPECT_EQ(m_view.Grid().ColorIndex(), 0);
    EXPECT_EQ(picked, -1);

    m_view.TakeUpTool(CImageView::FillTool);
    QTest::mouseClick(m_view.viewport(), Qt::LeftButton, {}, At(9, 9));
    EXPECT_EQ(m_view.Grid().DisplayDotAt(9, 9), kRed);
    QTest::mouseClick(m_view.viewport(), Qt::RightButton, {}, At(9, 9));
    EXPECT_EQ(m_view.Grid().DisplayDotAt(9, 9), m_view.Grid().BackColor());
    EXPECT_EQ(m_view.Grid().DisplayDotAt(3, 3), kGreen);
    EXPECT_EQ(Steps(), 2u);
}

// Copy, delete, cut and paste on the selection, each a single step named
// for what it did; moving by nothing lifts nothing.
TEST_F(DrawingTools, TheSelectionCopiesDeletesCutsAndPastes)
{
    CDotSelection& selection = m_view.Selection();
    m_view.Grid().SetDisplayDot(2, 3, kGreen);
    m_view.Grid().SetDisplayDot(4, 3, kRed);
    EXPECT_TRUE(selection.Copy().IsEmpty());
    EXPECT_FALSE(selection.Delete());
    selection.SelectAll();
    EXPECT_EQ(selection.Area(), QRect(0, 0, 16, 16));
    selection.Select(QRect(2, 3, 3, 1));
    selection.MoveBy(QPoint(0, 0));
    EXPECT_FALSE(selection.IsFloating());
    const CDotFragment copy = selection.Copy();
    ASSERT_EQ(QSize(copy.Width(), copy.Height()), QSize(3, 1));
    EXPECT_EQ(copy.IndexAt(0, 0), 1);
    EXPECT_EQ(copy.IndexAt(1, 0), kUnlitIndex);
    EXPECT_EQ(copy.IndexAt(2, 0), 0);

    // Floating dots are what is copied; deleting them clears where they came from.
    selection.MoveBy(QPoint(1, 2));
    EXPECT_EQ(selection.LiftedFrom(), QRect(2, 3, 3, 1));
    EXPECT_EQ(selection.Copy().IndexAt(0, 0), 1);
    EXPECT_EQ(selection.Background(), m_view.Grid().BackColor());
    ASSERT_TRUE(selection.Delete());
    EXPECT_TRUE(selection.IsEmpty());
    EXPECT_FALSE(selection.IsFloating());
    EXPECT_EQ(m_view.Grid().DisplayDotAt(2, 3), m_view.Grid().BackColor());
    EXPECT_EQ(m_view.Grid().DisplayDotAt(3, 5), m_view.Grid().BackColor());
    EXPECT_EQ(Steps(), 1u);
    EXPECT_STREQ(m_view.History().NextUndoLabel(), "Delete");
    ASSERT_TRUE(m_view.Undo());

    selection.Select(QRect(4, 3, 1, 1));
    ASSERT_TRUE(selection.Delete(true));
    EXPECT_STREQ(m_view.History().NextUndoLabel(), "Cut");
    EXPECT_EQ(m_view.Grid().DisplayDotAt(4, 3), m_view.Grid().BackColor());

    selection.Paste(copy, QPoint(10, 12));
    EXPECT_TRUE(selection.IsFloating());
    EXPECT_EQ(selection.Area(), QRect(10, 12, 3, 1));
    EXPECT_TRUE(selection.LiftedFrom().isEmpty());
    selection.Deselect();
    EXPECT_TRUE(selection.IsEmpty());
    EXPECT_EQ(m_view.Grid().DisplayDotAt(10, 12), kGreen);
    EXPECT_EQ(m_view.Grid().DisplayDotAt(12, 12), kRed);
    EXPECT_STREQ(m_view.History().NextUndoLabel(), "Paste");
    EXPECT_EQ(Steps(), 2u);
    selection.Paste(CDotFragment(), QPoint(1, 1));
    EXPECT_FALSE(selection.IsFloating());
    EXPECT_TRUE(selection.IsEmpty());
}

// The middle button draws with no tool, not even the background colour over
// lit dots; arrows with nothing selected are no gesture of the select tool.
TEST_F(DrawingTools, TheMiddleButtonDrawsNothingAndArrowsNeedASelection)
{
    for (int kind : {int(CImageView::ClickTool), int(CImageView::PencilTool), int(CImageView::RectangleTool),
                     int(CImageView::FillTool)}) {
        m_view.Grid().SetDisplayDot(5, 5, kGreen);
        m_view.Grid().SetDisplayDot(9, 9, kGreen);
        m_view.TakeUpTool(kind);
        m_nHeld = Qt::MiddleButton;
        Press({5, 5}, Qt::MiddleButton);
        MoveTo({9, 9});
        Release({9, 9}, Qt::MiddleButton);
        m_nHeld = Qt::NoButton;
        EXPECT_EQ(m_view.Grid().DisplayDotAt(5, 5), kGreen) << kind;
        EXPECT_EQ(m_view.Grid().DisplayDotAt(9, 9), kGreen) << kind;
        EXPECT_EQ(Steps(), 0u) << kind;
    }
    m_view.TakeUpTool(CImageView::SelectTool);
    QSignalSpy ended(&m_view, &CImageView::GestureEnded);
    m_view.setFocus();
    QTest::keyClick(&m_view, Qt::Key_Right);
    EXPECT_EQ(ended.count(), 0);
    EXPECT_EQ(Steps(), 0u);
}
