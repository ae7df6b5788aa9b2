#include "dialogs/FlatSplitterWnd.h"

#include <QImage>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// The two rows' current sizes for a splitter 600 pixels high.
std::pair<int, int> RowsFor(int topIdeal, int topMin = 0, int bottomMin = 0)
{
    std::vector<CRowColInfo> rows(2);
    rows[0] = {topMin, topIdeal, 0};
    rows[1].nMinSize = bottomMin;
    ComputeSplitterLayout(QSize(300, 600), rows);
    return {rows[0].nCurSize, rows[1].nCurSize};
}

} // namespace

TEST(SplitterLayout, TopPaneBarAndBottomPane)
{
    std::vector<CRowColInfo> rows(2);
    rows[0].nIdealSize = 450;
    const CSplitterLayout layout = ComputeSplitterLayout(QSize(800, 600), rows);
    EXPECT_EQ(layout.rcPane[0], QRect(1, 1, 798, 450));
    EXPECT_EQ(layout.rcBar, QRect(0, 451, 800, 5));
    EXPECT_EQ(layout.rcPane[1], QRect(1, 456, 798, 143));
    EXPECT_EQ(layout.rcBorder[0], QRect(QPoint(0, 0), QPoint(799, 451)));
    EXPECT_EQ(layout.rcBorder[1], QRect(QPoint(0, 455), QPoint(799, 599)));
}

TEST(SplitterLayout, OddTopRowHeights)
{
    // Ideal 0, or negative: the bottom row takes H - 7.
    EXPECT_EQ(RowsFor(0), std::make_pair(0, 593));
    EXPECT_EQ(RowsFor(-40), std::make_pair(0, 593));
    // From H - 7 up the top row gets what is left less 3 pixels: H - 5.
    for (const int ideal : {593, 598, 600, 5000})
        EXPECT_EQ(RowsFor(ideal), std::make_pair(595, 0)) << ideal;
    EXPECT_EQ(RowsFor(592), std::make_pair(592, 1));
    // The same in the smallest windows, H = 6 and up.
    for (const int height : {6, 7, 8, 20}) {
        std::vector<CRowColInfo> rows(2);
        rows[0].nIdealSize = 5000;
        ComputeSplitterLayout(QSize(300, height), rows);
        EXPECT_EQ(rows[0].nCurSize, height - 5) << height;
        EXPECT_EQ(rows[1].nCurSize, 0) << height;
    }
    // An ideal below its minimum counts as 0; a bottom minimum that does not
    // fit hands the space to the top row.
    EXPECT_EQ(RowsFor(10, 20), std::make_pair(0, 593));
    EXPECT_EQ(RowsFor(500, 0, 100), std::make_pair(595, 0));
    // No rows at all: nothing to lay out, and nothing made up.
    std::vector<CRowColInfo> none;
    LayoutRowCol(none, 600, 5);
    EXPECT_TRUE(none.empty());
}

TEST(FlatSplitterWnd, PanesFollowTheBarDragAndBordersAreOneSunkenLine)
{
    CFlatSplitterWnd splitter;
    QWidget top, bottom;
    splitter.SetPane(0, &top);
    splitter.SetPane(1, &bottom);
    splitter.SetRowInfo(0, 450, 0);
    splitter.resize(400, 600);
    splitter.show();
    splitter.RecalcLayout();
    EXPECT_EQ(top.geometry(), QRect(1, 1, 398, 450));
    EXPECT_EQ(bottom.geometry(), QRect(1, 456, 398, 143));

    // Grab the bar in its middle and drag it 100 pixels up.
    QTest::mousePress(&splitter, Qt::LeftButton, {}, QPoint(200, 453));
    QMouseEvent move(QEvent::MouseMove, QPointF(200, 353), QPointF(200, 353), Qt::NoButton, Qt::LeftButton, {});
    QCoreApplication::sendEvent(&splitter, &move);
    QTest::mouseRelease(&splitter, Qt::LeftButton, {}, QPoint(200, 353));
    EXPECT_EQ(splitter.RowInfo(0).nIdealSize, 350);
    EXPECT_EQ(bottom.geometry(), QRect(1, 356, 398, 243));
    // Released, the bar stays where it is; the pointer shows where it can be grabbed.
    for (const int y : {100, 353}) {
        QMouseEvent hover(QEvent::MouseMove, QPointF(200, y), QPointF(200, y), Qt::NoButton, Qt::NoButton, {});
        QCoreApplication::sendEvent(&splitter, &hover);
        EXPECT_EQ(splitter.RowInfo(0).nIdealSize, 350) << y;
        EXPECT_EQ(splitter.cursor().shape(), y == 353 ? Qt::SplitVCursor : Qt::ArrowCursor) << y;
    }

    // A pane set on the shown splitter takes its place at once.
    QWidget other;
    splitter.SetPane(1, &other);
    EXPECT_EQ(other.geometry(), QRect(1, 356, 398, 243));

    splitter.SetPane(0, nullptr);
    splitter.SetPane(1, nullptr);
    splitter.SetRowInfo(0, 40, 0);
    splitter.resize(60, 100);
    splitter.RecalcLayout();
    const QImage image = splitter.grab().toImage();
    const QRgb dark = splitter.palette().color(QPalette::Dark).rgb();
    const QRgb light = splitter.palette().color(QPalette::Light).rgb();
    EXPECT_EQ(image.pixel(10, 0), dark);   // top and left of the top pane
    EXPECT_EQ(image.pixel(0, 10), dark);
    EXPECT_EQ(image.pixel(10, 41), light); // bottom and right
    EXPECT_EQ(image.pixel(59, 10), light);
    EXPECT_EQ(image.pixel(10, 43), splitter.palette().color(QPalette::Button).rgb()); // the bar
    EXPECT_EQ(image.pixel(10, 45), dark);  // the bottom pane's frame starts at t + 5
    EXPECT_NE(image.pixel(1, 1), dark);    // no second, inner frame
}

// Below six pixels the top row keeps what the border leaves it, up to the
// three pixels that would otherwise be taken off.
TEST(SplitterLayout, WindowsOfFewPixels)
{
    const struct
    {
        int height, top;
    } cases[] = {{5, 3}, {4, 2}, {2, 0}, {0, 0}};
    for (const auto& c : cases) {
        std::vector<CRowColInfo> rows(2);
        rows[0].nIdealSize = 5000;
        ComputeSplitterLayout(QSize(300, c.height), rows);
        EXPECT_EQ(rows[0].nCurSize, c.top) << c.height;
        EXPECT_EQ(rows[1].nCurSize, 0) << c.height;
    }
}

// Only a left press on the bar starts a drag; the bar stops at the top;
// rows that do not exist are ignored.
TEST(FlatSplitterWnd, OnlyALeftPressOnTheBarDragsAndUnknownRowsAreIgnored)
{
    CFlatSplitterWnd splitter;
    QWidget top, bottom, stray;
    splitter.SetPane(0, &top);
    splitter.SetPane(1, &bottom);
    splitter.SetPane(2, &stray);
    splitter.SetPane(-1, &stray);
    EXPECT_EQ(top.parentWidget(), &splitter);
    EXPECT_EQ(stray.parentWidget(), nullptr);
    splitter.SetRowInfo(0, 200, 1);
    splitter.SetRowInfo(2, 50, 0);
    splitter.SetRowInfo(-1, 60, 0);
    EXPECT_EQ(splitter.RowInfo(0).nIdealSize, 200);
    EXPECT_EQ(splitter.RowInfo(0).nMinSize, 1);
    EXPECT_EQ(splitter.RowInfo(1).nIdealSize, 0);
    EXPECT_EQ(splitter.RowInfo(2).nIdealSize, 200);
    splitter.resize(400, 600);
    splitter.show();
    EXPECT_EQ(top.geometry(), QRect(1, 1, 398, 200));

    const auto drag = [&splitter](Qt::MouseButton button, int from, int to) {
        QTest::mousePress(&splitter, button, {}, QPoint(200, from));
        QMouseEvent move(QEvent::MouseMove, QPointF(200, to), QPointF(200, to), Qt::NoButton, button, {});
        QCoreApplication::sendEvent(&splitter, &move);
        QTest::mouseRelease(&splitter, button, {}, QPoint(200, to));
    };
    drag(Qt::RightButton, 203, 300);
    EXPECT_EQ(splitter.RowInfo(0).nIdealSize, 200);
    drag(Qt::LeftButton, 100, 300); // on the top pane, not the bar
    EXPECT_EQ(splitter.RowInfo(0).nIdealSize, 200);
    // The bar's first and last pixel rows grab it; dragged past the top it stops.
    drag(Qt::LeftButton, 205, 305);
    EXPECT_EQ(splitter.RowInfo(0).nIdealSize, 300);
    drag(Qt::LeftButton, 301, -50);
    EXPECT_EQ(splitter.RowInfo(0).nIdealSize, 0);
    EXPECT_EQ(top.geometry().height(), 0);
}
