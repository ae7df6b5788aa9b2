#include "CanvasFixture.h"

#include "canvas/DotFragment.h"
#include "canvas/DotRaster.h"
#include "canvas/DotShape.h"
#include "canvas/ToolPreview.h"

#include <functional>
#include <optional>

namespace {

constexpr QRgb kUntouched = qRgb(1, 2, 3);

// A 40 x 30 canvas at 8 pixels a dot in a 200 x 150 window, scrolled by
// whole dots on both axes, so previews are cut at every edge of the window.
class ToolPreview : public CanvasFixture
{
protected:
    void SetUp() override
    {
        Show(200, 150);
        NewGrid(40, 30);
        ZoomTo(8);
        HBar()->setValue(3 * 8);
        VBar()->setValue(2 * 8);
        QCoreApplication::processEvents();
        ASSERT_EQ(m_view.ScrollOffset(), QPoint(24, 16));
    }
    QImage Surface() const
    {
        QImage surface(m_view.viewport()->size(), QImage::Format_RGB32);
        surface.fill(kUntouched);
        return surface;
    }
    // Checks every pixel: a dot that 'colourOf' gives a colour shows it,
    // with grid lines on every 8th logical pixel; all else is untouched.
    void ExpectDots(const QImage& surface, const std::function<std::optional<QRgb>(int, int)>& colourOf,
                    bool lines = true) const
    {
        const QPoint origin = m_view.Origin() - m_view.ScrollOffset();
        for (int y = 0; y < surface.height(); ++y) {
            for (int x = 0; x < surface.width(); ++x) {
                const int lx = x - origin.x();
                const int ly = y - origin.y();
                const std::optional<QRgb> colour
                    = lx < 0 || ly < 0 ? std::nullopt : colourOf(lx / 8, ly / 8);
                QRgb expected = kUntouched;
                if (colour)
                    expected = lines && ((x + 24) % 8 == 0 || (y + 16) % 8 == 0) ? kGridLineColor : *colour;
                ASSERT_EQ(surface.pixel(x, y), expected) << x << "," << y;
            }
        }
    }
};

TEST_F(ToolPreview, AnAreaIsPaintedOnlyWhereItIsInTheWindow)
{
    // The window shows dots 3..27 across and 2..20 down (the last ones in part).
    ASSERT_EQ(m_view.Origin(), QPoint(0, 0));
    const QRect areas[] = {QRect(5, 4, 3, 2), QRect(0, 0, 6, 5), QRect(20, 15, 20, 15), QRect(3, 2, 1, 1)};
    for (const QRect& area : areas) {
        QImage surface = Surface();
        PaintAreaPreview(surface, m_view, area, MakeColor(255, 0, 0));
        ExpectDots(surface, [&](int c, int r) -> std::optional<QRgb> {
            return area.contains(c, r) ? std::optional<QRgb>(qRgb(255, 0, 0)) : std::nullopt;
        });
    }
    // Without grid lines the dots are whole squares.
    m_view.SetShowGrid(0);
    QImage surface = Surface();
    PaintAreaPreview(surface, m_view, QRect(4, 3, 2, 3), MakeColor(0, 0, 255));
    ExpectDots(
        surface,
        [](int c, int r) -> std::optional<QRgb> {
            return QRect(4, 3, 2, 3).contains(c, r) ? std::optional<QRgb>(qRgb(0, 0, 255)) : std::nullopt;
        },
        false);
}

TEST_F(ToolPreview, AShapePaintsItsDotsInItsColour)
{
    CDotShape shape(QSize(40, 30));
    shape.AddRun(4, 2, 6);    // starts left of the window
    shape.AddDot(10, 1);      // above it
    shape.AddDot(9, 5);
    shape.AddRun(19, 20, 30); // the last, partly shown row, past the right edge
    QImage surface = Surface();
    PaintShapePreview(surface, m_view, shape, MakeColor(0, 255, 0));
    ExpectDots(surface, [&](int c, int r) -> std::optional<QRgb> {
        return shape.Contains(c, r) ? std::optional<QRgb>(qRgb(0, 255, 0)) : std::nullopt;
    });
}

// Each dot shows its own colour, unlit ones the background, in runs that
// start and end anywhere, the fragment cut by the window on all sides.
TEST_F(ToolPreview, AFragmentShowsEachDotsColourAndUnlitAsBackground)
{
    CDotFragment fragment(30, 25);
    for (int r = 0; r < 25; ++r)
        for (int c = 0; c < 30; ++c)
            fragment.SetIndex(c, r, (c / 2 + r) % 8); // runs of two, every colour and unlit
    const COLORREF background = MakeColor(9, 8, 7);
    for (const QPoint at : {QPoint(1, 0), QPoint(5, 3)}) {
        QImage surface = Surface();
        PaintFragmentPreview(surface, m_view, fragment, at, background);
        ExpectDots(surface, [&](int c, int r) -> std::optional<QRgb> {
            if (!QRect(at, QSize(30, 25)).contains(c, r))
                return std::nullopt;
            const int index = ((c - at.x()) / 2 + r - at.y()) % 8;
            return index == kUnlitIndex ? qRgb(9, 8, 7) : Rgb(DotPalette[static_cast<std::size_t>(index)]);
        });
    }
}

// The frame runs along the outer pixels of the selected dots, each pixel
// white or black; the pixels just inside and outside keep what they had.
TEST_F(ToolPreview, TheSelectionFrameRunsAroundTheSelectedDots)
{
    const QRect area(5, 4, 3, 2);
    const QRect client = ClientAreaOf(m_view, area);
    EXPECT_EQ(client, QRect(2 * 8, 2 * 8, 3 * 8, 2 * 8));
    EXPECT_TRUE(ClientAreaOf(m_view, QRect()).isEmpty());
    QImage surface = Surface();
    PaintSelectionFrame(surface, m_view, area);
    int white = 0;
    int black = 0;
    for (int y = 0; y < surface.height(); ++y) {
        for (int x = 0; x < surface.width(); ++x) {
            const bool onFrame = client.contains(x, y) && (x == client.left() || x == client.right()
                                                           || y == client.top() || y == client.bottom());
            const QRgb p = surface.pixel(x, y);
            if (!onFrame) {
                ASSERT_EQ(p, kUntouched) << x << "," << y;
                continue;
            }
            white += p == qRgb(255, 255, 255);
            black += p == qRgb(0, 0, 0);
        }
    }
    EXPECT_EQ(white + black, 2 * (24 + 16) - 4);
    EXPECT_GT(white, 0) << "dashes leave the white between them";
    EXPECT_GT(black, 0);
    QImage untouched = Surface();
    PaintSelectionFrame(untouched, m_view, QRect());
    EXPECT_EQ(untouched, Surface());
}

} // namespace
