#include "CanvasFixture.h"

#include "dotdata/ListingView.h"

#include <QFontMetricsF>
#include <QScrollBar>
#include <QFontInfo>

namespace {

// The listing of a full 1024 x 768 image-mode canvas has one line per block.
constexpr int kFullCanvasBlocks = 12288;

class ListingPaneTest : public CanvasFixture
{
protected:
    CListingView* Pane() const { return m_view.TextPane(); }
    QScrollBar* PaneBar() const { return Pane()->verticalScrollBar(); }
    // One line per block, as the listing of a full image-mode canvas.
    void FillListing()
    {
        QStringList lines;
        for (int block = 1; block <= kFullCanvasBlocks; ++block)
            lines << QStringLiteral("%1-1-1-R").arg(block);
        Pane()->SetPlainText(lines.join(QLatin1Char('\n')));
    }
    void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(Pane(), static_cast<Qt::Key>(key), modifiers);
    }
};

} // namespace

TEST_F(ListingPaneTest, OnlyThePanesScrollBarsShowWhileItCoversTheCanvas)
{
    Show(400, 300);
    NewGrid(1024, 768);
    ASSERT_TRUE(HBar()->isVisible());
    ASSERT_TRUE(VBar()->isVisible());

    m_view.ShowTextPane(1);
    FillListing();
    QCoreApplication::processEvents();
    EXPECT_FALSE(HBar()->isVisible());
    EXPECT_FALSE(VBar()->isVisible());
    EXPECT_EQ(Pane()->geometry(), QRect(0, 0, 400, 300));
    EXPECT_TRUE(PaneBar()->isVisible());

    m_view.ShowTextPane(0);
    QCoreApplication::processEvents();
    EXPECT_TRUE(HBar()->isVisible());
    EXPECT_TRUE(VBar()->isVisible());
    EXPECT_FALSE(Pane()->isVisible());
}

TEST_F(ListingPaneTest, UsualKeysMoveThroughALongListing)
{
    Show(400, 300);
    NewGrid(1024, 768);
    m_view.ShowTextPane(1);
    FillListing();
    Pane()->setFocus();
    QCoreApplication::processEvents();
    ASSERT_GT(PaneBar()->maximum(), 0);
    ASSERT_EQ(PaneBar()->value(), 0);

    Key(Qt::Key_End, Qt::ControlModifier);
    // The last line is in view: within a line of the end of the scroll range.
    EXPECT_GE(PaneBar()->value(), PaneBar()->maximum() - 1);
    EXPECT_TRUE(Pane()->viewport()->rect().contains(Pane()->CaretRect()));
    EXPECT_EQ(Pane()->LineText(Pane()->CaretLine()), QStringLiteral("12288-1-1-R"));

    Key(Qt::Key_PageUp);
    const int afterPageUp = PaneBar()->value();
    EXPECT_LT(afterPageUp, PaneBar()->maximum() - 1);
    EXPECT_GT(afterPageUp, 0);

    Key(Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(PaneBar()->value(), 0);
    EXPECT_EQ(Pane()->CaretPosition(), 0);

    Key(Qt::Key_PageDown);
    EXPECT_GT(PaneBar()->value(), 0);
    EXPECT_LT(PaneBar()->value(), PaneBar()->maximum());
    // The listing stays as it was: keys only move through it.
    EXPECT_EQ(Pane()->LineCount(), kFullCanvasBlocks);
}

TEST_F(ListingPaneTest, EntriesKeepTheirColumnsAndAreNeverSplit)
{
    EXPECT_TRUE(QFontInfo(Pane()->font()).fixedPitch()) << Pane()->font().family().toStdString();
    // A block line of 64 entries stays one line, however narrow the pane.
    QStringList entries;
    for (int i = 0; i < 64; ++i)
        entries << QStringLiteral("3-%1-%2-R").arg(i / 8 + 1).arg(i % 8 + 1);
    Show(200, 200);
    m_view.ShowTextPane(1);
    Pane()->SetPlainText(entries.join(QStringLiteral(", ")));
    QCoreApplication::processEvents();
    EXPECT_EQ(Pane()->LineCount(), 1);
    // The horizontal bar reaches the end of the line: 64 entries and 63
    // separators of two characters, at the font's advance.
    const double advance = QFontMetricsF(Pane()->font()).horizontalAdvance(QString(64, QLatin1Char('0'))) / 64;
    const int lineWidth = static_cast<int>((64 * 7 + 63 * 2) * advance);
    QScrollBar* across = Pane()->horizontalScrollBar();
    EXPECT_GE(across->maximum() + Pane()->viewport()->width(), lineWidth);
    EXPECT_LE(across->maximum() + Pane()->viewport()->width(), lineWidth + 2 * advance + 10);
}
