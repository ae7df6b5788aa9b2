#include "CanvasFixture.h"

#include <QPlainTextEdit>
#include <QSignalSpy>

namespace {

using ZoomLayout = CanvasFixture;

TEST_F(ZoomLayout, CentresTheGridOnWholeDots)
{
    ShowView(500, 300);
    NewGrid(16, 16, CDotGrid::ImageMode);
    EXPECT_EQ(m_view.DotSize(), 8);
    // x: (500 - 128) / 2 = 186 -> 192; y: (300 - 128) / 2 = 86 -> 88.
    EXPECT_EQ(m_view.Origin(), QPoint(192, 88));
    EXPECT_EQ(HBar()->maximum(), 0);
    EXPECT_EQ(VBar()->maximum(), 0);

    // One pixel per dot: the margin itself, no rounding.
    ZoomTo(0);
    EXPECT_EQ(m_view.Origin(), QPoint(242, 142));
    ZoomTo(3);
    // (500 - 48) / 2 = 226 -> 228; (300 - 48) / 2 = 126 -> 126.
    EXPECT_EQ(m_view.Origin(), QPoint(228, 126));
}

TEST_F(ZoomLayout, LargeGridStartsAtTheCornerAndScrollsItsPixelSize)
{
    ShowView(500, 300);
    NewGrid(1024, 768, CDotGrid::ImageMode);
    ZoomTo(20);
    EXPECT_EQ(m_view.Origin(), QPoint(0, 0));
    EXPECT_EQ(HBar()->maximum() + m_view.viewport()->width(), 20480);
    EXPECT_EQ(VBar()->maximum() + m_view.viewport()->height(), 15360);

    HBar()->setValue(400);
    VBar()->setValue(260);
    EXPECT_EQ(m_view.ScrollOffset(), QPoint(400, 260));
    // Every layout step scrolls back to the corner.
    m_view.SetGridSize(1024, 768);
    EXPECT_EQ(m_view.ScrollOffset(), QPoint(0, 0));
    EXPECT_EQ(HBar()->value(), 0);
    EXPECT_EQ(VBar()->value(), 0);
}

TEST_F(ZoomLayout, ZoomStepsSkipSizeOneAndStopAtTheEnds)
{
    ShowView(400, 300);
    NewGrid(64, 32, CDotGrid::ImageMode);
    const std::vector<int> down = {7, 6, 5, 4, 3, 2, 0};
    for (int expected : down)
        EXPECT_EQ(m_view.ZoomOut(), expected);
    EXPECT_EQ(m_view.ZoomOut(), 0);
    EXPECT_EQ(m_view.ZoomIn(), 2);
    for (int i = 0; i < 17; ++i)
        m_view.ZoomIn();
    EXPECT_EQ(m_view.DotSize(), 19);
    EXPECT_EQ(m_view.ZoomIn(), 20);

    // At the top a Zoom In changes nothing, not even the scroll position.
    HBar()->setValue(100);
    QSignalSpy spy(&m_view, &CZoomView::GridSizeChanged);
    EXPECT_EQ(m_view.ZoomIn(), 20);
    EXPECT_EQ(m_view.ScrollOffset().x(), 100);
    EXPECT_EQ(spy.count(), 0);
}

TEST_F(ZoomLayout, ZoomWithoutAGridGivesNoScrollRange)
{
    ShowView(300, 200);
    m_view.ZoomIn();
    EXPECT_EQ(m_view.DotSize(), 9);
    EXPECT_EQ(HBar()->maximum(), 0);
    EXPECT_EQ(VBar()->maximum(), 0);
}

TEST_F(ZoomLayout, ToggleGridDoesNothingAtDotSizeZero)
{
    ShowView(300, 200);
    NewGrid(16, 16, CDotGrid::ImageMode);
    EXPECT_EQ(m_view.ShowGrid(), 1);
    m_view.ToggleGrid();
    EXPECT_EQ(m_view.ShowGrid(), 0);
    m_view.ToggleGrid();
    ZoomTo(0);
    m_view.ToggleGrid();
    EXPECT_EQ(m_view.ShowGrid(), 1);
}

TEST_F(ZoomLayout, LayoutStepReportsTheSize)
{
    ShowView(300, 200);
    QSignalSpy spy(&m_view, &CZoomView::GridSizeChanged);
    NewGrid(48, 24, CDotGrid::TextMode);
    ASSERT_EQ(spy.count(), 1);
    EXPECT_EQ(spy.at(0).at(0).toInt(), 48);
    EXPECT_EQ(spy.at(0).at(1).toInt(), 24);
    // Each zoom step is a layout step too.
    m_view.ZoomIn();
    EXPECT_EQ(spy.count(), 2);
}

TEST_F(ZoomLayout, ThumbTrackingStopsOnWholeDots)
{
    ShowView(300, 200);
    NewGrid(128, 128, CDotGrid::ImageMode);
    HBar()->setSliderDown(true);
    HBar()->setSliderPosition(13);
    HBar()->setSliderDown(false);
    EXPECT_EQ(HBar()->value(), 16);
    EXPECT_EQ(m_view.ScrollOffset().x(), 16);

    VBar()->setSliderPosition(17);
    EXPECT_EQ(m_view.ScrollOffset().y(), 24);
    // Rounding up never leaves the range.
    HBar()->setSliderPosition(HBar()->maximum() - 1);
    EXPECT_EQ(m_view.ScrollOffset().x(), HBar()->maximum());
}

TEST_F(ZoomLayout, LineAndPageStepsKeepTheScrollOffsetInStep)
{
    ShowView(300, 200);
    NewGrid(128, 128, CDotGrid::ImageMode);
    HBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(m_view.ScrollOffset().x(), 8);
    VBar()->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(m_view.ScrollOffset().y() % 8, 0);
    EXPECT_EQ(m_view.ScrollOffset().y(), VBar()->value());
    VBar()->triggerAction(QAbstractSlider::SliderToMaximum);
    EXPECT_EQ(m_view.ScrollOffset().y(), VBar()->maximum());
}

TEST_F(ZoomLayout, ResizeRecentresAndKeepsTheScrollInRange)
{
    ShowView(500, 300);
    NewGrid(16, 16, CDotGrid::ImageMode);
    m_view.resize(300, 500);
    QCoreApplication::processEvents();
    // x: (300 - 128) / 2 = 86 -> 88; y: (500 - 128) / 2 = 186 -> 192.
    EXPECT_EQ(m_view.Origin(), QPoint(88, 192));

    NewGrid(64, 16, CDotGrid::ImageMode);
    m_view.resize(400, 300);
    QCoreApplication::processEvents();
    HBar()->setValue(HBar()->maximum());
    const int before = m_view.ScrollOffset().x();
    m_view.resize(480, 300);
    QCoreApplication::processEvents();
    EXPECT_LT(m_view.ScrollOffset().x(), before);
    EXPECT_EQ(m_view.ScrollOffset().x(), HBar()->value());
    EXPECT_EQ(HBar()->maximum() + m_view.viewport()->width(), 512);
}

TEST_F(ZoomLayout, TextPaneFollowsTheWindowAndFreezesTheOrigin)
{
    ShowView(500, 300);
    NewGrid(16, 16, CDotGrid::ImageMode);
    m_view.ShowTextPane(1);
    EXPECT_EQ(m_view.IsTextPaneShown(), 1);
    EXPECT_TRUE(m_view.TextPane()->isVisible());
    EXPECT_EQ(m_view.TextPane()->geometry(), m_view.viewport()->rect());

    m_view.resize(300, 200);
    QCoreApplication::processEvents();
    EXPECT_EQ(m_view.TextPane()->geometry(), m_view.viewport()->rect());
    EXPECT_EQ(m_view.Origin(), QPoint(192, 88));

    m_view.ShowTextPane(7);
    EXPECT_EQ(m_view.IsTextPaneShown(), 1);
    m_view.ShowTextPane(0);
    EXPECT_FALSE(m_view.TextPane()->isVisible());
    m_view.resize(310, 200);
    QCoreApplication::processEvents();
    // (310 - 128) / 2 = 91 -> 96; (200 - 128) / 2 = 36 -> 40.
    EXPECT_EQ(m_view.Origin(), QPoint(96, 40));
}

TEST_F(ZoomLayout, HitTestFindsTheDotUnderThePoint)
{
    ShowView(500, 300);
    NewGrid(16, 16, CDotGrid::ImageMode);
    int column = -1;
    int row = -1;
    ASSERT_TRUE(m_view.ClientToDot({192, 88}, column, row));
    EXPECT_EQ(column, 0);
    EXPECT_EQ(row, 15);
    ASSERT_TRUE(m_view.ClientToDot({319, 215}, column, row));
    EXPECT_EQ(column, 15);
    EXPECT_EQ(row, 0);
    EXPECT_FALSE(m_view.ClientToDot({320, 100}, column, row));
    EXPECT_FALSE(m_view.ClientToDot({191, 100}, column, row));
    EXPECT_FALSE(m_view.ClientToDot({200, 216}, column, row));
    EXPECT_EQ(m_view.DotToClient(15, 15), QRect(312, 208, 8, 8));

    ZoomTo(0);
    ASSERT_TRUE(m_view.ClientToDot({242 + 5, 142 + 2}, column, row));
    EXPECT_EQ(column, 5);
    EXPECT_EQ(row, 13);
}

TEST_F(ZoomLayout, HitTestFollowsTheScrollOffset)
{
    ShowView(300, 200);
    NewGrid(128, 64, CDotGrid::ImageMode);
    HBar()->setValue(80);
    VBar()->setValue(40);
    int column = -1;
    int row = -1;
    ASSERT_TRUE(m_view.ClientToDot({0, 0}, column, row));
    EXPECT_EQ(column, 10);
    EXPECT_EQ(row, 63 - 5);
    ASSERT_TRUE(m_view.ClientToDot({17, 9}, column, row));
    EXPECT_EQ(column, 12);
    EXPECT_EQ(row, 63 - 6);
    EXPECT_EQ(m_view.DotToClient(12, 6).topLeft(), QPoint(16, 8));
}

} // namespace
