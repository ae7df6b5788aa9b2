#include "CanvasFixture.h"

#include "canvas/TextOverlay.h"

#include "dotdata/ListingView.h"

namespace {

const QRgb kField = qRgb(0, 128, 0);
const QRgb kLine = qRgb(212, 208, 200);
constexpr COLORREF kRed = DotPalette[0];
constexpr COLORREF kBlue = DotPalette[2];
const COLORREF kBack = MakeColor(0, 0, 90);

// Every pixel of the picture against an expectation.
template <typename F>
void ExpectPixels(const QImage& shot, F expected)
{
    for (int y = 0; y < shot.height(); ++y)
        for (int x = 0; x < shot.width(); ++x)
            ASSERT_EQ(shot.pixel(x, y), expected(x, y)) << x << "," << y;
}

using CanvasPaint = CanvasFixture;

TEST_F(CanvasPaint, EmptyCanvasIsGreenWithLinesEveryDot)
{
    Show(120, 80);
    ExpectPixels(Grab(), [](int x, int y) { return x % 8 == 0 || y % 8 == 0 ? kLine : kField; });
    m_view.ToggleGrid();
    ExpectPixels(Grab(), [](int, int) { return kField; });
}

TEST_F(CanvasPaint, DotsFillTheirSquaresInsideTheLines)
{
    Show(500, 300);
    NewGrid(16, 16);
    m_view.Grid().SetBackgroundColor(kBack, true);
    Light(2, 1, kRed);
    m_view.Grid().SetDot(0, 0, kBlue); // storage row 0 is the bottom row
    ExpectPixels(Grab(), [](int x, int y) {
        const int dx = x - 192, dy = y - 88;
        if (dx < 0 || dy < 0 || dx > 128 || dy > 128)
            return x % 8 == 0 || y % 8 == 0 ? kLine : kField;
        if (dx % 8 == 0 || dy % 8 == 0)
            return kLine; // top and left of each dot, and just past the grid
        if (dx == 128 || dy == 128)
            return kField;
        if (dx / 8 == 2 && dy / 8 == 1)
            return Rgb(kRed);
        return dx / 8 == 0 && dy / 8 == 15 ? Rgb(kBlue) : Rgb(kBack);
    });
}

TEST_F(CanvasPaint, DotSizeZeroShowsOnePixelPerDotAndNoLines)
{
    Show(100, 60);
    NewGrid(16, 8);
    m_view.Grid().SetBackgroundColor(kBack, true);
    ZoomTo(0);
    Light(3, 2, kRed);
    ASSERT_EQ(m_view.Origin(), QPoint(42, 26));
    ExpectPixels(Grab(), [](int x, int y) {
        const QPoint dot(x - 42, y - 26);
        if (!QRect(0, 0, 16, 8).contains(dot))
            return kField;
        return dot == QPoint(3, 2) ? Rgb(kRed) : Rgb(kBack);
    });
}

TEST_F(CanvasPaint, ScrolledDotsKeepTheirLines)
{
    Show(200, 150);
    NewGrid(64, 64);
    Light(5, 4, kRed);
    HBar()->setValue(24);
    VBar()->setValue(16);
    const QImage shot = Grab();
    const QPoint corner(5 * 8 - 24, 4 * 8 - 16);
    EXPECT_EQ(shot.pixel(corner), kLine);
    EXPECT_EQ(shot.pixel(corner + QPoint(1, 1)), Rgb(kRed));
    EXPECT_EQ(shot.pixel(corner + QPoint(7, 7)), Rgb(kRed));
    EXPECT_EQ(shot.pixel(corner + QPoint(8, 4)), kLine);
}

class OverlayPaint : public CanvasFixture
{
protected:
    QImage GrabWith(COLORREF colour, int mode, const QString& text)
    {
        CCanvasText& t = m_view.Text();
        t.m_lfText.lfFaceName = QStringLiteral("DejaVu Sans");
        t.m_lfText.lfHeight = -12;
        t.m_crText = colour;
        t.m_nTextX = 2;
        t.m_nTextY = 3;
        t.m_szText = text;
        m_view.Grid().SetMode(mode);
        return Grab();
    }
    void SetUp() override
    {
        Show(500, 300);
        NewGrid(32, 24);
        m_view.Grid().SetBackgroundColor(kBack, true);
    }
};

TEST_F(OverlayPaint, RedTextIsEnlargedFromItsPosition)
{
    const QImage shot = GrabWith(kRed, ImageMode, QStringLiteral("HW"));
    const QImage dots = RenderTextOverlay(m_view.Text(), 32, 24);
    QRect inked;
    for (int y = 0; y < 24; ++y) {
        for (int x = 0; x < 32; ++x) {
            const bool ink = (dots.pixel(x, y) & 0xFFFFFF) != 0;
            inked |= ink ? QRect(x, y, 1, 1) : QRect();
            // The middle of each dot square; the grid corner is (128, 56).
            ASSERT_EQ(shot.pixel(128 + x * 8 + 4, 56 + y * 8 + 4), ink ? Rgb(kRed) : Rgb(kBack)) << x << "," << y;
        }
    }
    // "H" starts at dot (2, 3) give or take its bearing: 16 and 24 pixels in.
    EXPECT_GE(inked.left(), 2);
    EXPECT_LE(inked.left(), 3);
    EXPECT_GE(inked.top(), 3);
    EXPECT_LE(inked.top(), 6);
    EXPECT_EQ(Dot(3, inked.top()), kBack); // shown, not burnt in
}

TEST_F(OverlayPaint, BlackTextAndTextModeShowNothing)
{
    const QImage plain = GrabWith(kRed, ImageMode, QString());
    EXPECT_EQ(GrabWith(0x00000000, ImageMode, QStringLiteral("HW")), plain);
    EXPECT_EQ(GrabWith(kRed, TextMode, QStringLiteral("HW")), plain);
    // Only the colour changes: the overlay is drawn afresh.
    EXPECT_NE(GrabWith(kRed, ImageMode, QStringLiteral("HW")), plain);
}

TEST_F(CanvasPaint, TextPaneStopsTheCanvasPainting)
{
    Show(300, 200);
    NewGrid(16, 16);
    QImage canvasOnly(m_view.viewport()->size(), QImage::Format_RGB32);
    const auto render = [&] {
        canvasOnly.fill(Qt::magenta);
        m_view.viewport()->render(&canvasOnly, {}, {}, QWidget::RenderFlags());
        return canvasOnly.pixel(5, 5);
    };
    m_view.ShowTextPane(1);
    EXPECT_TRUE(m_view.TextPane()->isVisible());
    EXPECT_EQ(render(), QColor(Qt::magenta).rgb());
    m_view.ShowTextPane(2); // not a face: nothing changes
    EXPECT_EQ(m_view.IsTextPaneShown(), 1);
    m_view.ShowTextPane(0);
    EXPECT_FALSE(m_view.TextPane()->isVisible());
    EXPECT_EQ(render(), kField);
}

} // namespace
