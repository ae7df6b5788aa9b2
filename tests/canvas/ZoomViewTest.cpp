#include "CanvasFixture.h"

#include "dotdata/ListingView.h"
#include <QSignalSpy>

namespace {

using ZoomView = CanvasFixture;

TEST_F(ZoomView, CentresOnWholeDots)
{
    Show(500, 300);
    NewGrid(16, 16);
    EXPECT_EQ(m_view.Origin(), QPoint(192, 88)); // margins 186 and 86, rounded up
    ZoomTo(3);
    EXPECT_EQ(m_view.Origin(), QPoint(228, 126));
    ZoomTo(0);
    EXPECT_EQ(m_view.Origin(), QPoint(242, 142)); // one pixel per dot: no rounding
    // A wide grid: margins 122 and 118 at 8 pixels a dot.
    ZoomTo(8);
    NewGrid(32, 8);
    EXPECT_EQ(m_view.Origin(), QPoint(128, 120));
}

// An odd leftover splits with the spare pixel after the grid: at 8 pixels a
// dot, 289 - 128 leaves 161, margin 80; 209 - 128 leaves 81, margin 40. Both
// are whole dots already, so rounding up leaves them.
TEST_F(ZoomView, OddLeftoverPutsTheSparePixelAfterTheGrid)
{
    Show(289, 209);
    NewGrid(16, 16);
    ASSERT_EQ(m_view.DotSize(), 8);
    EXPECT_EQ(m_view.Origin(), QPoint(80, 40));
}

TEST_F(ZoomView, LayoutStepSetsTheRangeResetsScrollingAndReports)
{
    Show(500, 300);
    NewGrid(1024, 768);
    QSignalSpy spy(&m_view, &CZoomView::GridSizeChanged);
    ZoomTo(20);
    EXPECT_EQ(m_view.Origin(), QPoint(0, 0));
    EXPECT_EQ(HBar()->maximum() + m_view.viewport()->width(), 20480);
    EXPECT_EQ(VBar()->maximum() + m_view.viewport()->height(), 15360);
    ASSERT_EQ(spy.count(), 12);
    EXPECT_EQ(spy.last().at(0).toInt(), 1024);
    EXPECT_EQ(spy.last().at(1).toInt(), 768);

    HBar()->setValue(400);
    VBar()->setValue(260);
    EXPECT_EQ(m_view.ScrollOffset(), QPoint(400, 260));
    m_view.ZoomIn(); // at 20: nothing at all
    EXPECT_EQ(m_view.ScrollOffset(), QPoint(400, 260));
    EXPECT_EQ(spy.count(), 12);
    m_view.SetGridSize(1024, 768);
    EXPECT_EQ(m_view.ScrollOffset(), QPoint(0, 0));
    EXPECT_EQ(HBar()->value(), 0);
}

TEST_F(ZoomView, ZoomStepsSkipSizeOne)
{
    Show(300, 200);
    for (int expected : {7, 6, 5, 4, 3, 2, 0, 0})
        EXPECT_EQ(m_view.ZoomOut(), expected);
    EXPECT_EQ(m_view.ZoomIn(), 2);
    EXPECT_EQ(HBar()->maximum(), 0); // no grid: no range
    // No lines exist at size 0, so Toggle Grid changes nothing there.
    ZoomTo(0);
    m_view.ToggleGrid();
    EXPECT_EQ(m_view.ShowGrid(), 1);
    ZoomTo(20);
    m_view.ToggleGrid();
    EXPECT_EQ(m_view.ShowGrid(), 0);
}

TEST_F(ZoomView, ScrollingMovesByWholeDotsOnBothAxes)
{
    // 300 x 200 with both bars: the viewport is narrower and lower than the
    // widget by the bars; a page is its extent cut down to whole dots of 8.
    Show(300, 200);
    NewGrid(128, 128);
    ZoomTo(8);
    // Rounding up to whole dots of 8 on either side of zero.
    const int rounded[][2] = {{-9, -8}, {-8, -8}, {-1, 0}, {0, 0}, {1, 8}, {8, 8}, {9, 16}};
    for (const auto& r : rounded)
        EXPECT_EQ(m_view.RoundUpToDot(r[0]), r[1]) << r[0];
    const QSize client = m_view.viewport()->size();
    ASSERT_LT(client.width(), 300);
    ASSERT_LT(client.height(), 200);
    const struct
    {
        QScrollBar* bar;
        int extent;
        const char* axis;
    } axes[] = {{HBar(), client.width(), "x"}, {VBar(), client.height(), "y"}};
    for (const auto& a : axes) {
        const auto offset = [this, &a] {
            return a.bar == HBar() ? m_view.ScrollOffset().x() : m_view.ScrollOffset().y();
        };
        EXPECT_EQ(a.bar->singleStep(), 8) << a.axis;
        EXPECT_EQ(a.bar->pageStep(), a.extent - a.extent % 8) << a.axis;
        a.bar->setSliderPosition(13); // thumb dragging stops on whole dots
        EXPECT_EQ(offset(), 16) << a.axis;
        a.bar->setValue(0);
        a.bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        EXPECT_EQ(offset(), 8) << a.axis;
        a.bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
        EXPECT_EQ(offset(), 8 + a.extent - a.extent % 8) << a.axis;
        a.bar->setSliderPosition(a.bar->maximum() - 1);
        EXPECT_EQ(offset(), a.bar->maximum()) << a.axis;
    }
}

TEST_F(ZoomView, ResizeRecentresUnlessTheTextPaneIsShown)
{
    Show(500, 300);
    NewGrid(16, 16);
    m_view.ShowTextPane(1);
    m_view.resize(300, 200);
    QCoreApplication::processEvents();
    EXPECT_EQ(m_view.TextPane()->geometry(), m_view.viewport()->rect());
    EXPECT_EQ(m_view.Origin(), QPoint(192, 88));
    m_view.ShowTextPane(0);
    m_view.resize(310, 200);
    QCoreApplication::processEvents();
    EXPECT_EQ(m_view.Origin(), QPoint(96, 40));

    // A scroll position beyond the new range follows it.
    NewGrid(64, 16);
    HBar()->setValue(HBar()->maximum());
    m_view.resize(480, 200);
    QCoreApplication::processEvents();
    EXPECT_EQ(m_view.ScrollOffset().x(), 512 - 480);
}

TEST_F(ZoomView, HitTestFollowsOriginAndScrolling)
{
    Show(500, 300);
    NewGrid(16, 16);
    int c = -1, r = -1;
    // Display rows: row 0 on top.
    ASSERT_TRUE(m_view.ClientToDot({192, 88}, c, r));
    EXPECT_EQ(QPoint(c, r), QPoint(0, 0));
    ASSERT_TRUE(m_view.ClientToDot({319, 215}, c, r));
    EXPECT_EQ(QPoint(c, r), QPoint(15, 15));
    EXPECT_FALSE(m_view.ClientToDot({320, 100}, c, r));
    EXPECT_FALSE(m_view.ClientToDot({191, 100}, c, r));
    EXPECT_FALSE(m_view.ClientToDot({200, 87}, c, r));
    EXPECT_FALSE(m_view.ClientToDot({200, 216}, c, r));
    // Anywhere: dots past each side of the grid, rounded down on both axes.
    const struct
    {
        QPoint client;
        QPoint dot;
    } anywhere[] = {{{192, 88}, {0, 0}},   {{191, 87}, {-1, -1}}, {{184, 80}, {-1, -1}},
                    {{183, 79}, {-2, -2}}, {{320, 216}, {16, 16}}, {{199, 95}, {0, 0}},
                    {{200, 88}, {1, 0}},   {{192, 96}, {0, 1}}};
    for (const auto& a : anywhere)
        EXPECT_EQ(m_view.ClientToDotAnywhere(a.client), a.dot) << a.client.x() << "," << a.client.y();

    NewGrid(128, 64);
    HBar()->setValue(80);
    VBar()->setValue(40);
    ASSERT_TRUE(m_view.ClientToDot({17, 9}, c, r));
    EXPECT_EQ(QPoint(c, r), QPoint(12, 6));
    EXPECT_EQ(m_view.DotToClient(12, 6).topLeft(), QPoint(16, 8));
}

} // namespace
