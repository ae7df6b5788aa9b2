#include "CanvasFixture.h"

#include <QScrollBar>

namespace {

constexpr COLORREF kRed = DotPalette[0];
constexpr COLORREF kGreen = DotPalette[1];
const COLORREF kBack = MakeColor(0, 0, 40);

class MouseEdit : public CanvasFixture
{
protected:
    // 16 x 16 at dot size 8 in 500 x 300 puts the grid at (192, 88); 128 x 64
    // in 300 x 200 scrolls.
    void Start(int w, int h, int viewW, int viewH, int mode = ImageMode)
    {
        Show(viewW, viewH);
        NewGrid(w, h, mode);
        m_view.Grid().SetBackgroundColor(kBack, true);
        m_view.SetDotColor(0);
    }
    int LitDots() const
    {
        int count = 0;
        for (int r = 0; r < m_view.Grid().Height(); ++r)
            for (int c = 0; c < m_view.Grid().Width(); ++c)
                count += m_view.Grid().DotAt(c, r) != kBack;
        return count;
    }
    void Click(Qt::MouseButton button, QPoint at) { QTest::mouseClick(m_view.viewport(), button, {}, at); }
    void Drag(QPoint from, QPoint to)
    {
        QTest::mousePress(m_view.viewport(), Qt::LeftButton, {}, from);
        QTest::mouseMove(m_view.viewport(), to);
        QTest::mouseRelease(m_view.viewport(), Qt::LeftButton, {}, to);
    }
};

TEST_F(MouseEdit, ButtonsPaintOnlyTheDotUnderThePress)
{
    Start(16, 16, 500, 300);
    Click(Qt::LeftButton, {192, 88});
    Click(Qt::LeftButton, {319, 215});
    Click(Qt::LeftButton, {320, 100});
    Click(Qt::LeftButton, {191, 100});
    EXPECT_EQ(m_view.Grid().DotAt(0, 15), kRed);
    EXPECT_EQ(m_view.Grid().DotAt(15, 0), kRed);
    EXPECT_EQ(LitDots(), 2);

    Click(Qt::RightButton, {195, 90});
    EXPECT_EQ(m_view.Grid().ColorIndexOf(0, 15), kUnlitIndex);
    m_view.SetDotColor(1);
    Drag({200, 100}, {300, 100}); // no painting by dragging
    EXPECT_EQ(Dot(1, 1), kGreen);
    EXPECT_EQ(LitDots(), 2);
}

TEST_F(MouseEdit, ClicksLandUnderThePointerAfterScrolling)
{
    Start(128, 64, 300, 200);
    HBar()->setValue(80);
    VBar()->setValue(40);
    Click(Qt::LeftButton, {3, 3});
    EXPECT_EQ(Dot(10, 5), kRed);
    ZoomTo(0);
    const QPoint origin = m_view.Origin();
    Click(Qt::LeftButton, origin + QPoint(7, 4));
    EXPECT_EQ(Dot(7, 4), kRed);
}

TEST_F(MouseEdit, TextModeAsksWhetherAMergeIsPending)
{
    Start(16, 16, 500, 300, TextMode);
    bool pending = true;
    m_view.SetMergePendingQuery([&] { return pending; });
    Click(Qt::LeftButton, {200, 96});
    EXPECT_EQ(LitDots(), 0);
    EXPECT_EQ(m_view.PointerShape(), Qt::ForbiddenCursor);
    pending = false;
    Click(Qt::LeftButton, {200, 96});
    EXPECT_EQ(LitDots(), 1);
    EXPECT_EQ(m_view.PointerShape(), Qt::ArrowCursor);

    pending = true;
    m_view.Grid().SetMode(ImageMode); // image mode never asks
    EXPECT_TRUE(m_view.CanEditDots());
    m_view.Grid().SetMode(2);
    EXPECT_FALSE(m_view.CanEditDots());
}

TEST_F(MouseEdit, HandToolDragsWholeDotsAndLeavesTheRightButton)
{
    Start(128, 64, 300, 200);
    m_view.TogglePanMode();
    EXPECT_EQ(m_view.cursor().shape(), Qt::SizeAllCursor);
    QTest::mousePress(m_view.viewport(), Qt::LeftButton, {}, {200, 150});
    QTest::mouseMove(m_view.viewport(), {150, 140}); // 50 and 10: up to 56 and 16
    EXPECT_EQ(m_view.ScrollOffset(), QPoint(56, 16));
    // Small moves add up: 16 pixels right in steps of 2 move two dots.
    for (int x = 152; x <= 166; x += 2)
        QTest::mouseMove(m_view.viewport(), {x, 140});
    EXPECT_EQ(m_view.ScrollOffset(), QPoint(40, 16));
    QTest::mouseMove(m_view.viewport(), {260, 140});
    EXPECT_EQ(m_view.ScrollOffset(), QPoint(0, 16));
    QTest::mouseRelease(m_view.viewport(), Qt::LeftButton, {}, {260, 140});
    QTest::mouseMove(m_view.viewport(), {100, 100});
    EXPECT_EQ(m_view.ScrollOffset(), QPoint(0, 16));
    EXPECT_EQ(LitDots(), 0);

    Light(0, 4, kGreen);
    Click(Qt::RightButton, {3, 19});
    EXPECT_EQ(Dot(0, 4), kBack);

    // Switching the tool off mid-drag stops the drag.
    QTest::mousePress(m_view.viewport(), Qt::LeftButton, {}, {200, 150});
    m_view.TogglePanMode();
    QTest::mouseMove(m_view.viewport(), {100, 100});
    QTest::mouseRelease(m_view.viewport(), Qt::LeftButton, {}, {100, 100});
    EXPECT_EQ(m_view.ScrollOffset(), QPoint(0, 16));
}

// Entering a scroll bar sets the tool's pointer again, on the view itself so
// that the bars show it too; leaving one changes nothing.
TEST_F(MouseEdit, ThePointerIsChosenAgainOverTheScrollBars)
{
    Start(128, 64, 300, 200);
    m_view.TogglePanMode();
    for (QScrollBar* bar : {m_view.horizontalScrollBar(), m_view.verticalScrollBar()}) {
        m_view.setCursor(Qt::IBeamCursor);
        QEvent leave(QEvent::Leave);
        QCoreApplication::sendEvent(bar, &leave);
        EXPECT_EQ(m_view.cursor().shape(), Qt::IBeamCursor);
        QEvent enter(QEvent::Enter);
        QCoreApplication::sendEvent(bar, &enter);
        EXPECT_EQ(m_view.cursor().shape(), Qt::SizeAllCursor);
    }
}

// Only the left button's release ends a drag of the hand.
TEST_F(MouseEdit, HandToolDragGoesOnThroughAnotherButtonsRelease)
{
    Start(128, 64, 300, 200);
    m_view.TogglePanMode();
    QTest::mousePress(m_view.viewport(), Qt::LeftButton, {}, {200, 150});
    QTest::mouseRelease(m_view.viewport(), Qt::RightButton, {}, {200, 150});
    QTest::mouseMove(m_view.viewport(), {150, 140});
    EXPECT_EQ(m_view.ScrollOffset(), QPoint(56, 16));
    QTest::mouseRelease(m_view.viewport(), Qt::LeftButton, {}, {150, 140});
}

TEST_F(MouseEdit, HandToolLeavesAGridThatFits)
{
    Start(16, 16, 500, 300);
    m_view.TogglePanMode();
    Drag({250, 150}, {150, 50});
    EXPECT_EQ(m_view.ScrollOffset(), QPoint(0, 0));
    EXPECT_EQ(LitDots(), 0);
}

} // namespace
