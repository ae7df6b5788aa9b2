#include "CanvasFixture.h"

#include "canvas/TextOverlay.h"

#include <QPlainTextEdit>

namespace {

const QRgb kField = qRgb(0, 128, 0);
const QRgb kLine = qRgb(212, 208, 200);
constexpr COLORREF kRed = DotPalette[0];
constexpr COLORREF kBlue = DotPalette[2];

using CanvasPaint = CanvasFixture;

TEST_F(CanvasPaint, EmptyCanvasIsGreenWithLinesEveryDot)
{
    ShowView(120, 80);
    const QImage shot = Grab();
    for (int y = 0; y < shot.height(); ++y) {
        for (int x = 0; x < shot.width(); ++x) {
            const bool onLine = x % 8 == 0 || y % 8 == 0;
            ASSERT_EQ(shot.pixel(x, y), onLine ? kLine : kField) << x << "," << y;
        }
    }
    m_view.ToggleGrid();
    const QImage plain = Grab();
    for (int y = 0; y < plain.height(); ++y)
        for (int x = 0; x < plain.width(); ++x)
            ASSERT_EQ(plain.pixel(x, y), kField) << x << "," << y;
}

TEST_F(CanvasPaint, LitDotShowsItsColourInsideTheLines)
{
    ShowView(500, 300);
    NewGrid(16, 16, CDotGrid::ImageMode);
    Light(2, 1, kRed);
    const QImage shot = Grab();
    const QPoint corner(192 + 2 * 8, 88 + 1 * 8);
    for (int dy = 0; dy < 8; ++dy) {
        for (int dx = 0; dx < 8; ++dx) {
            const QRgb expected = dx == 0 || dy == 0 ? kLine : Rgb(kRed);
            ASSERT_EQ(shot.pixel(corner + QPoint(dx, dy)), expected) << dx << "," << dy;
        }
    }
    // Unlit dots show the background colour, black at first.
    EXPECT_EQ(shot.pixel(192 + 1, 88 + 1), Rgb(m_view.Grid().BackColor()));
    // One more line just right of and below the grid, in the green field.
    EXPECT_EQ(shot.pixel(320, 150), kLine);
    EXPECT_EQ(shot.pixel(250, 216), kLine);
    EXPECT_EQ(shot.pixel(321, 150), kField);
    EXPECT_EQ(shot.pixel(250, 217), kField);
    EXPECT_EQ(shot.pixel(191, 150), kField);
}

TEST_F(CanvasPaint, BottomUpRowsAreShownTopDown)
{
    ShowView(200, 200);
    NewGrid(8, 8, CDotGrid::ImageMode);
    m_view.ToggleGrid();
    // Storage row 0 is the bottom row on screen.
    m_view.Grid().SetDot(0, 0, kBlue);
    m_view.Grid().SetDot(7, 7, kRed);
    const QImage shot = Grab();
    const QPoint origin = m_view.Origin();
    EXPECT_EQ(shot.pixel(origin + QPoint(3, 7 * 8 + 3)), Rgb(kBlue));
    EXPECT_EQ(shot.pixel(origin + QPoint(7 * 8 + 3, 3)), Rgb(kRed));
    EXPECT_EQ(shot.pixel(origin + QPoint(3, 3)), Rgb(m_view.Grid().BackColor()));
}

TEST_F(CanvasPaint, DotSizeZeroShowsOnePixelPerDotAndNoLines)
{
    ShowView(100, 60);
    NewGrid(16, 8, CDotGrid::ImageMode);
    m_view.Grid().SetBackgroundColor(MakeColor(10, 20, 30), true);
    ZoomTo(0);
    Light(3, 2, kRed);
    const QImage shot = Grab();
    const QPoint origin = m_view.Origin();
    EXPECT_EQ(origin, QPoint(42, 26));
    for (int y = 0; y < shot.height(); ++y) {
        for (int x = 0; x < shot.width(); ++x) {
            const QPoint dot = QPoint(x, y) - origin;
            QRgb expected = kField;
            if (dot.x() >= 0 && dot.x() < 16 && dot.y() >= 0 && dot.y() < 8)
                expected = dot == QPoint(3, 2) ? Rgb(kRed) : qRgb(10, 20, 30);
            ASSERT_EQ(shot.pixel(x, y), expected) << x << "," << y;
        }
    }
}

TEST_F(CanvasPaint, ScrolledGridKeepsDotsAndLinesTogether)
{
    ShowView(200, 150);
    NewGrid(64, 64, CDotGrid::ImageMode);
    Light(5, 4, kRed);
    HBar()->setValue(24);
    VBar()->setValue(16);
    const QImage shot = Grab();
    const QPoint corner(5 * 8 - 24, 4 * 8 - 16);
    EXPECT_EQ(shot.pixel(corner), kLine);
    EXPECT_EQ(shot.pixel(corner + QPoint(1, 1)), Rgb(kRed));
    EXPECT_EQ(shot.pixel(corner + QPoint(7, 7)), Rgb(kRed));
    EXPECT_EQ(shot.pixel(corner + QPoint(8, 4)), kLine);
    EXPECT_EQ(shot.pixel(corner + QPoint(9, 4)), Rgb(m_view.Grid().BackColor()));
}

class OverlayPaint : public CanvasFixture
{
protected:
    void SetUpOverlay(COLORREF colour, int mode)
    {
        ShowView(500, 300);
        NewGrid(32, 24, mode);
        m_view.Grid().SetBackgroundColor(MakeColor(0, 0, 90), true);
        CCanvasText& text = m_view.Text();
        text.m_lfText.lfFaceName = QStringLiteral("DejaVu Sans");
        text.m_lfText.lfHeight = -12;
        text.m_crText = colour;
        text.m_nTextX = 2;
        text.m_nTextY = 3;
        text.m_szText = QStringLiteral("HW");
    }
    // The picture without any overlay text, for comparison.
    QImage GrabWithoutText()
    {
        const QString saved = m_view.Text().m_szText;
        m_view.Text().m_szText.clear();
        QImage shot = Grab();
        m_view.Text().m_szText = saved;
        return shot;
    }
};

TEST_F(OverlayPaint, TextIsEnlargedByTheDotSizeFromItsPosition)
{
    SetUpOverlay(kRed, CDotGrid::ImageMode);
    const QImage dots = RenderTextOverlay(m_view.Text(), 32, 24);
    const QImage shot = Grab();
    const QPoint origin = m_view.Origin();
    QRect inked;
    for (int y = 0; y < 24; ++y) {
        for (int x = 0; x < 32; ++x) {
            const bool ink = (dots.pixel(x, y) & 0xFFFFFF) != 0;
            if (ink)
                inked |= QRect(x, y, 1, 1);
            // The inside of each dot square, clear of the grid lines.
            const QRgb expected = ink ? Rgb(kRed) : qRgb(0, 0, 90);
            ASSERT_EQ(shot.pixel(origin + QPoint(x * 8 + 4, y * 8 + 4)), expected) << x << "," << y;
        }
    }
    ASSERT_FALSE(inked.isEmpty());
    // The text starts at dot (2, 3), that is 16 and 24 pixels into the grid.
    EXPECT_GE(inked.left(), 2);
    EXPECT_GE(inked.top(), 3);
    EXPECT_LE(inked.left(), 3);
    EXPECT_LE(inked.top(), 6);
    // The overlay is not burnt into the dots.
    for (int y = 0; y < 24; ++y)
        for (int x = 0; x < 32; ++x)
            ASSERT_EQ(DotAtDisplay(x, y), MakeColor(0, 0, 90));
}

TEST_F(OverlayPaint, BlackTextNeverShows)
{
    SetUpOverlay(0x00000000, CDotGrid::ImageMode);
    EXPECT_EQ(Grab(), GrabWithoutText());
}

TEST_F(OverlayPaint, TextModeNeverShowsTheOverlay)
{
    SetUpOverlay(kRed, CDotGrid::TextMode);
    EXPECT_EQ(Grab(), GrabWithoutText());
}

TEST_F(CanvasPaint, TextPaneReplacesTheDots)
{
    ShowView(300, 200);
    NewGrid(16, 16, CDotGrid::ImageMode);
    QPlainTextEdit* pane = m_view.TextPane();
    ASSERT_NE(pane, nullptr);
    EXPECT_FALSE(pane->isVisible());
    EXPECT_TRUE(pane->isReadOnly());
    EXPECT_FALSE(pane->isUndoRedoEnabled());
    EXPECT_EQ(pane->font().pixelSize(), 18);
    EXPECT_EQ(pane->maximumBlockCount(), 0);

    m_view.ShowTextPane(1);
    pane->setPlainText(QStringLiteral("A1-1-1-R"));
    // The canvas itself paints nothing while the pane covers it.
    QImage canvasOnly(m_view.viewport()->size(), QImage::Format_RGB32);
    canvasOnly.fill(Qt::magenta);
    m_view.viewport()->render(&canvasOnly, {}, {}, QWidget::RenderFlags());
    EXPECT_EQ(canvasOnly.pixel(150, 100), QColor(Qt::magenta).rgb());

    m_view.ShowTextPane(0);
    canvasOnly.fill(Qt::magenta);
    m_view.viewport()->render(&canvasOnly, {}, {}, QWidget::RenderFlags());
    EXPECT_EQ(canvasOnly.pixel(5, 5), kField);
}

} // namespace
