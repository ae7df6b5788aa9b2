#include "dialogs/FlatSplitterWnd.h"

#include <QImage>
#include <QTest>

#include <gtest/gtest.h>

namespace {

std::vector<CRowColInfo> TwoRows(int topIdeal)
{
    std::vector<CRowColInfo> rows(2);
    rows[0].nIdealSize = topIdeal;
    return rows;
}

} // namespace

TEST(SplitterLayout, TopRowIdealHeightWithinTheClient)
{
    auto rows = TwoRows(450);
    const CSplitterLayout layout = ComputeSplitterLayout(QSize(800, 600), rows);
    EXPECT_EQ(layout.rcPane[0], QRect(1, 1, 798, 450));
    EXPECT_EQ(layout.rcBar.top(), 451);
    EXPECT_EQ(layout.rcBar.bottom(), 455);
    EXPECT_EQ(layout.rcPane[1], QRect(1, 456, 798, 143));
    EXPECT_EQ(layout.rcBorder[0], QRect(QPoint(0, 0), QPoint(799, 451)));
    EXPECT_EQ(layout.rcBorder[1], QRect(QPoint(0, 455), QPoint(799, 599)));
    EXPECT_EQ(rows[0].nCurSize, 450);
    EXPECT_EQ(rows[1].nCurSize, 143);
}

TEST(SplitterLayout, OddTopRowHeights)
{
    // Ideal 0 (a frame shrunk to 150 pixels or less): the bottom row takes H - 7.
    auto zero = TwoRows(0);
    ComputeSplitterLayout(QSize(300, 600), zero);
    EXPECT_EQ(zero[0].nCurSize, 0);
    EXPECT_EQ(zero[1].nCurSize, 593);

    // A negative ideal height counts as 0.
    auto negative = TwoRows(-40);
    const CSplitterLayout layout = ComputeSplitterLayout(QSize(300, 600), negative);
    EXPECT_EQ(negative[0].nCurSize, 0);
    EXPECT_EQ(negative[1].nCurSize, 593);
    EXPECT_EQ(layout.rcPane[1].top(), 6);

    // At or above H - 7 the top row gets what is left less 3 pixels: H - 5.
    for (const int ideal : {593, 595, 598, 600, 5000}) {
        auto rows = TwoRows(ideal);
        ComputeSplitterLayout(QSize(300, 600), rows);
        EXPECT_EQ(rows[0].nCurSize, 595) << ideal;
        EXPECT_EQ(rows[1].nCurSize, 0) << ideal;
    }
    // Just below H - 7 the bottom row keeps a sliver.
    auto rows = TwoRows(592);
    ComputeSplitterLayout(QSize(300, 600), rows);
    EXPECT_EQ(rows[0].nCurSize, 592);
    EXPECT_EQ(rows[1].nCurSize, 1);
}

TEST(SplitterLayout, RowStepMinimumsAndEmptySpace)
{
    // A row whose minimum does not fit gives its space to the row before.
    std::vector<CRowColInfo> rows(2);
    rows[0].nIdealSize = 100;
    rows[1].nMinSize = 50;
    LayoutRowCol(rows, 120, 5);
    EXPECT_EQ(rows[0].nCurSize, 117);
    EXPECT_EQ(rows[1].nCurSize, 0);

    // An ideal size below the minimum is dropped to 0.
    std::vector<CRowColInfo> small(2);
    small[0].nIdealSize = 10;
    small[0].nMinSize = 20;
    LayoutRowCol(small, 100, 5);
    EXPECT_EQ(small[0].nIdealSize, 0);
    EXPECT_EQ(small[1].nCurSize, 95);

    // No space at all: every row is 0, a negative size counts as none.
    std::vector<CRowColInfo> none = TwoRows(30);
    LayoutRowCol(none, -10, 5);
    EXPECT_EQ(none[0].nCurSize, 0);
    EXPECT_EQ(none[1].nCurSize, 0);
}

TEST(FlatSplitterWnd, PanesFollowTheLayoutAndTheBarDrags)
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

    // Drag the bar 100 pixels up by grabbing it in its middle.
    QTest::mousePress(&splitter, Qt::LeftButton, {}, QPoint(200, 453));
    QMouseEvent move(QEvent::MouseMove, QPointF(200, 353), QPointF(200, 353), Qt::NoButton, Qt::LeftButton, {});
    QCoreApplication::sendEvent(&splitter, &move);
    QTest::mouseRelease(&splitter, Qt::LeftButton, {}, QPoint(200, 353));
    EXPECT_EQ(splitter.RowInfo(0).nIdealSize, 350);
    EXPECT_EQ(top.height(), 350);
    EXPECT_EQ(bottom.geometry(), QRect(1, 356, 398, 243));
    splitter.SetPane(0, nullptr);
    splitter.SetPane(1, nullptr);
}

TEST(FlatSplitterWnd, BordersAreOneSunkenLine)
{
    CFlatSplitterWnd splitter;
    splitter.SetRowInfo(0, 40, 0);
    splitter.resize(60, 100);
    splitter.RecalcLayout();
    const QImage image = splitter.grab().toImage();
    const QRgb dark = splitter.palette().color(QPalette::Dark).rgb();
    const QRgb light = splitter.palette().color(QPalette::Light).rgb();
    const QRgb face = splitter.palette().color(QPalette::Button).rgb();
    EXPECT_EQ(image.pixel(10, 0), dark);  // top edge of the top pane
    EXPECT_EQ(image.pixel(0, 10), dark);  // left edge
    EXPECT_EQ(image.pixel(10, 41), light); // bottom edge at t + 1
    EXPECT_EQ(image.pixel(59, 10), light); // right edge
    EXPECT_EQ(image.pixel(10, 43), face);  // the bar between the two borders
    EXPECT_EQ(image.pixel(10, 45), dark);  // top edge of the bottom pane at t + 5
    EXPECT_NE(image.pixel(1, 1), dark);    // no second, inner frame
    EXPECT_EQ(image.pixel(10, 99), light);
}
