#include "CanvasFixture.h"

namespace {

constexpr COLORREF kRed = DotPalette[0];
constexpr COLORREF kGreen = DotPalette[1];
const COLORREF kBack = MakeColor(0, 0, 40);

class MouseEdit : public CanvasFixture
{
protected:
    // A 16 x 16 grid at dot size 8 in a 500 x 300 viewport: origin (192, 88).
    void SetUpSmallGrid(int mode)
    {
        ShowView(500, 300);
        NewGrid(16, 16, mode);
        m_view.Grid().SetBackgroundColor(kBack, true);
        m_view.SetDotColor(0);
    }
    // A grid larger than the window, so that it scrolls.
    void SetUpLargeGrid()
    {
        ShowView(300, 200);
        NewGrid(128, 64, CDotGrid::ImageMode);
        m_view.Grid().SetBackgroundColor(kBack, true);
        m_view.SetDotColor(0);
    }
    int LitDots() const
    {
        int count = 0;
        const CDotGrid& grid = m_view.Grid();
        for (int r = 0; r < grid.Height(); ++r)
            for (int c = 0; c < grid.Width(); ++c)
                count += grid.DotAt(c, r) != kBack;
        return count;
    }
    void Click(Qt::MouseButton button, QPoint at) { QTest::mouseClick(m_view.viewport(), button, {}, at); }
};

TEST_F(MouseEdit, LeftClickPaintsTheDotUnderThePointer)
{
    SetUpSmallGrid(CDotGrid::ImageMode);
    Click(Qt::LeftButton, {192, 88});
    EXPECT_EQ(m_view.Grid().DotAt(0, 15), kRed);
    Click(Qt::LeftButton, {319, 215});
    EXPECT_EQ(m_view.Grid().DotAt(15, 0), kRed);
    Click(Qt::LeftButton, {320, 100});
    Click(Qt::LeftButton, {191, 100});
    Click(Qt::LeftButton, {250, 216});
    EXPECT_EQ(LitDots(), 2);
}

TEST_F(MouseEdit, RightClickRestoresTheBackground)
{
    SetUpSmallGrid(CDotGrid::ImageMode);
    m_view.Grid().SetDot(3, 12, kGreen);
    Click(Qt::RightButton, {192 + 3 * 8 + 4, 88 + 3 * 8 + 4});
    EXPECT_EQ(m_view.Grid().DotAt(3, 12), kBack);
    EXPECT_EQ(m_view.Grid().ColorIndexOf(3, 12), kUnlitIndex);
    // The grid line at a dot's top-left belongs to that dot.
    Click(Qt::LeftButton, {192 + 8, 88 + 8});
    EXPECT_EQ(DotAtDisplay(1, 1), kRed);
}

TEST_F(MouseEdit, ChosenDotColourIsUsed)
{
    SetUpSmallGrid(CDotGrid::ImageMode);
    m_view.SetDotColor(1);
    Click(Qt::LeftButton, {200, 96});
    EXPECT_EQ(DotAtDisplay(1, 1), kGreen);
}

TEST_F(MouseEdit, DraggingPaintsOnlyTheFirstDot)
{
    SetUpSmallGrid(CDotGrid::ImageMode);
    QTest::mousePress(m_view.viewport(), Qt::LeftButton, {}, {196, 92});
    for (int x = 204; x < 300; x += 8)
        QTest::mouseMove(m_view.viewport(), {x, 92});
    QTest::mouseRelease(m_view.viewport(), Qt::LeftButton, {}, {300, 92});
    EXPECT_EQ(LitDots(), 1);
    EXPECT_EQ(DotAtDisplay(0, 0), kRed);
}

TEST_F(MouseEdit, ClicksLandUnderThePointerAfterScrolling)
{
    SetUpLargeGrid();
    HBar()->setValue(80);
    VBar()->setValue(40);
    Click(Qt::LeftButton, {3, 3});
    EXPECT_EQ(DotAtDisplay(10, 5), kRed);

    HBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    Click(Qt::LeftButton, {3, 3});
    EXPECT_EQ(DotAtDisplay(11, 5), kRed);
    EXPECT_EQ(LitDots(), 2);
}

TEST_F(MouseEdit, DotSizeZeroHitsTheExactPixel)
{
    SetUpSmallGrid(CDotGrid::ImageMode);
    ZoomTo(0);
    const QPoint origin = m_view.Origin();
    Click(Qt::LeftButton, origin + QPoint(7, 4));
    EXPECT_EQ(DotAtDisplay(7, 4), kRed);
    EXPECT_EQ(LitDots(), 1);
}

TEST_F(MouseEdit, TextModeRefusesEditsWhileAMergeIsPending)
{
    SetUpSmallGrid(CDotGrid::TextMode);
    bool pending = true;
    int asked = 0;
    m_view.SetMergePendingQuery([&] {
        ++asked;
        return pending;
    });
    EXPECT_FALSE(m_view.CanEditDots());
    Click(Qt::LeftButton, {200, 96});
    Click(Qt::RightButton, {200, 96});
    EXPECT_EQ(LitDots(), 0);
    EXPECT_EQ(m_view.PointerShape(), Qt::ForbiddenCursor);
    EXPECT_GT(asked, 0);

    pending = false;
    EXPECT_TRUE(m_view.CanEditDots());
    EXPECT_EQ(m_view.PointerShape(), Qt::ArrowCursor);
    Click(Qt::LeftButton, {200, 96});
    EXPECT_EQ(DotAtDisplay(1, 1), kRed);
}

TEST_F(MouseEdit, ImageModeAlwaysEditsAndOtherModesNever)
{
    SetUpSmallGrid(CDotGrid::ImageMode);
    m_view.SetMergePendingQuery([] { return true; });
    EXPECT_TRUE(m_view.CanEditDots());
    EXPECT_EQ(m_view.PointerShape(), Qt::ArrowCursor);
    Click(Qt::LeftButton, {200, 96});
    EXPECT_EQ(LitDots(), 1);

    m_view.Grid().SetMode(2);
    EXPECT_FALSE(m_view.CanEditDots());
    Click(Qt::LeftButton, {208, 96});
    EXPECT_EQ(LitDots(), 1);
}

TEST_F(MouseEdit, ClicksOnAnEmptyCanvasDoNothing)
{
    ShowView(300, 200);
    Click(Qt::LeftButton, {0, 0});
    Click(Qt::RightButton, {50, 50});
    EXPECT_TRUE(m_view.Grid().IsEmpty());
}

TEST_F(MouseEdit, PanModeDragsInsteadOfPainting)
{
    SetUpLargeGrid();
    m_view.TogglePanMode();
    EXPECT_EQ(m_view.PanMode(), 1);
    EXPECT_EQ(m_view.PointerShape(), Qt::SizeAllCursor);
    EXPECT_EQ(m_view.cursor().shape(), Qt::SizeAllCursor);

    QTest::mousePress(m_view.viewport(), Qt::LeftButton, {}, {200, 150});
    // Left by 50 and up by 10: the picture follows the hand, rounded up to
    // whole dots.
    QTest::mouseMove(m_view.viewport(), {150, 140});
    EXPECT_EQ(m_view.ScrollOffset(), QPoint(56, 16));
    EXPECT_EQ(HBar()->value(), 56);
    // Back to the right past the start: the position stops at 0.
    QTest::mouseMove(m_view.viewport(), {260, 140});
    EXPECT_EQ(m_view.ScrollOffset().x(), 0);
    QTest::mouseRelease(m_view.viewport(), Qt::LeftButton, {}, {260, 140});
    EXPECT_EQ(LitDots(), 0);

    // After the release moving does not scroll.
    QTest::mouseMove(m_view.viewport(), {100, 100});
    EXPECT_EQ(m_view.ScrollOffset().x(), 0);

    // The right button still paints the background, under the pointer of
    // the scrolled view (now at (0, 16)).
    ASSERT_EQ(m_view.ScrollOffset(), QPoint(0, 16));
    Light(0, 4, kGreen);
    Click(Qt::RightButton, {3, 19});
    EXPECT_EQ(DotAtDisplay(0, 4), kBack);
}

TEST_F(MouseEdit, PanningAGridThatFitsChangesNothing)
{
    SetUpSmallGrid(CDotGrid::ImageMode);
    m_view.TogglePanMode();
    QTest::mousePress(m_view.viewport(), Qt::LeftButton, {}, {250, 150});
    QTest::mouseMove(m_view.viewport(), {150, 50});
    QTest::mouseRelease(m_view.viewport(), Qt::LeftButton, {}, {150, 50});
    EXPECT_EQ(m_view.ScrollOffset(), QPoint(0, 0));
    EXPECT_EQ(LitDots(), 0);
}

TEST_F(MouseEdit, SwitchingPanModeOffStopsTheDrag)
{
    SetUpLargeGrid();
    m_view.TogglePanMode();
    QTest::mousePress(m_view.viewport(), Qt::LeftButton, {}, {200, 150});
    m_view.TogglePanMode();
    EXPECT_EQ(m_view.PointerShape(), Qt::ArrowCursor);
    QTest::mouseMove(m_view.viewport(), {100, 100});
    EXPECT_EQ(m_view.ScrollOffset(), QPoint(0, 0));
    QTest::mouseRelease(m_view.viewport(), Qt::LeftButton, {}, {100, 100});
    EXPECT_EQ(LitDots(), 0);
}

} // namespace
