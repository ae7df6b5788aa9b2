#include "CanvasFixture.h"

#include "base/DotPalette.h"

#include "TestSupport.h"

#include "dotdata/ListingView.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>

namespace {

// Dots of the grid that are not the background colour.
int InkedDots(const CDotGrid& grid)
{
    int count = 0;
    for (int y = 0; y < grid.Height(); ++y)
        for (int x = 0; x < grid.Width(); ++x)
            count += grid.DotAt(x, y) != grid.BackColor() ? 1 : 0;
    return count;
}

// Rows between the topmost and the bottommost non-black pixel.
int InkRows(const QImage& image)
{
    int top = image.height();
    int bottom = -1;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if ((image.pixel(x, y) & 0x00FFFFFFu) != 0) {
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
        }
    }
    return bottom < 0 ? 0 : bottom - top + 1;
}

using CanvasText = CanvasFixture;

} // namespace

TEST_F(CanvasText, DotTextPaneLinesAreEighteenPixelsHigh)
{
    CListingView* pane = m_view.TextPane();
    pane->SetPlainText(QStringLiteral(" 1-1-1-R,  1-1-2-G\n 2-8-8-W"));
    EXPECT_EQ(pane->LineHeight(), 18);
    EXPECT_EQ(pane->CaretRect().height(), 18);
    EXPECT_EQ(QFontMetrics(pane->font()).height(), 18);
}

// After a text-mode merge, New in image mode starts without text: nothing is
// laid over the dots and the next Merge burns nothing in.
TEST_F(CanvasText, NewAfterAMergeLeavesNoOverlay)
{
    Show(300, 200);
    ASSERT_TRUE(m_view.NewCanvas(32, 16, TextMode));
    QTextEdit source;
    source.setPlainText(QString::fromUtf8("中文"));
    m_view.MergeText(&source, FontOf("WenQuanYi Zen Hei", 16));
    ASSERT_GT(InkedDots(m_view.Grid()), 0);

    ASSERT_TRUE(m_view.NewCanvas(32, 16, ImageMode));
    EXPECT_TRUE(m_view.Text().m_szText.isEmpty());
    QImage overlay(32, 16, QImage::Format_RGB32);
    overlay.fill(Qt::black);
    m_view.DrawTextOverlay(overlay, 0, 0, false);
    EXPECT_EQ(InkRows(overlay), 0);
    m_view.MergeText(&source, FontOf("WenQuanYi Zen Hei", 16));
    EXPECT_EQ(InkedDots(m_view.Grid()), 0);
}

// An overlay typed in image mode is not rendered raw, blanks and all, by the
// first glyph offset step of a text-mode New.
TEST_F(CanvasText, NewInTextModeForgetsTheImageModeOverlay)
{
    ASSERT_TRUE(m_view.NewCanvas(32, 16, ImageMode));
    m_view.SetOverlayText(QStringLiteral("ab cd\nef"));
    ASSERT_TRUE(m_view.NewCanvas(32, 16, TextMode));
    m_view.SetTextX(1);
    EXPECT_EQ(m_view.Grid().Width(), 32);
    EXPECT_EQ(m_view.Grid().Height(), 16);
    EXPECT_EQ(InkedDots(m_view.Grid()), 0);
}

// The overlay takes a positive height as the cell height too: DejaVu Sans
// at 64 has an em of 55, so its H is about 40 rows, not 47; and its dots are
// all exactly the overlay colour.
TEST_F(CanvasText, OverlayHeightIsTheCellHeightAndItsDotsAreOneColour)
{
    ASSERT_TRUE(m_view.NewCanvas(128, 96, ImageMode));
    m_view.SetTextFont(FontOf("DejaVu Sans", 64));
    for (const COLORREF colour : DotPalette) {
        m_view.SetOverlayColor(colour);
        m_view.SetOverlayText(QStringLiteral("H"));
        QImage overlay(128, 96, QImage::Format_RGB32);
        overlay.fill(Qt::black);
        m_view.DrawTextOverlay(overlay, 0, 0, false);
        EXPECT_NEAR(InkRows(overlay), 40, 1);
        const QRgb ink = Rgb(colour);
        for (int y = 0; y < overlay.height(); ++y)
            for (int x = 0; x < overlay.width(); ++x)
                ASSERT_TRUE(overlay.pixel(x, y) == ink || overlay.pixel(x, y) == qRgb(0, 0, 0)) << x << "," << y;
    }
}
