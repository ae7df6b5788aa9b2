#include "canvas/DotRaster.h"
#include "canvas/TextOverlay.h"

#include <QPainter>
#include <gtest/gtest.h>

namespace {

const QRgb kSentinel = qRgb(1, 2, 3);
const QRgb kLine = qRgb(212, 208, 200);

QImage Blank(int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(kSentinel);
    return image;
}

QRgb Rgb(COLORREF c)
{
    return qRgb(RedOf(c), GreenOf(c), BlueOf(c));
}

// A 3 x 2 grid: display row 0 is red, green, blue; row 1 is white, yellow, pink.
CDotGrid SmallGrid()
{
    CDotGrid grid;
    grid.Create(3, 2, CDotGrid::ImageMode);
    for (int c = 0; c < 3; ++c) {
        grid.SetDot(c, 1, DotPalette[static_cast<std::size_t>(c)]);
        grid.SetDot(c, 0, DotPalette[static_cast<std::size_t>(c + 3)]);
    }
    return grid;
}

QRgb ExpectedDot(int column, int displayRow)
{
    return Rgb(DotPalette[static_cast<std::size_t>(column + 3 * displayRow)]);
}

TEST(DotRaster, WrapSharesTheGridBytes)
{
    CDotGrid grid = SmallGrid();
    const QImage wrap = WrapGridBits(grid);
    EXPECT_EQ(wrap.constBits(), grid.Bits());
    EXPECT_EQ(wrap.bytesPerLine(), 9);
    EXPECT_TRUE(WrapGridBits(CDotGrid()).isNull());
}

TEST(DotRaster, StretchReplicatesEachDotTopDown)
{
    const CDotGrid grid = SmallGrid();
    QImage target = Blank(14, 10);
    StretchDots(target, WrapGridBits(grid), {2, 1}, 4, target.rect());
    for (int y = 0; y < target.height(); ++y) {
        for (int x = 0; x < target.width(); ++x) {
            const int column = (x - 2) / 4;
            const int row = (y - 1) / 4;
            const bool inside = x >= 2 && x < 14 && y >= 1 && y < 9;
            ASSERT_EQ(target.pixel(x, y), inside ? ExpectedDot(column, row) : kSentinel) << x << "," << y;
        }
    }
}

TEST(DotRaster, StretchWritesOnlyInsideTheClip)
{
    const CDotGrid grid = SmallGrid();
    QImage target = Blank(20, 12);
    // The clip starts and ends inside dots; the grid corner is off the picture.
    const QRect clip(3, 2, 7, 5);
    StretchDots(target, WrapGridBits(grid), {-2, -1}, 5, clip);
    for (int y = 0; y < target.height(); ++y) {
        for (int x = 0; x < target.width(); ++x) {
            const QRgb expected = clip.contains(x, y) ? ExpectedDot((x + 2) / 5, (y + 1) / 5) : kSentinel;
            ASSERT_EQ(target.pixel(x, y), expected) << x << "," << y;
        }
    }
    // A clip beyond the picture or the grid writes nothing.
    QImage untouched = Blank(20, 12);
    StretchDots(untouched, WrapGridBits(grid), {0, 0}, 2, QRect(8, 0, 40, 40));
    EXPECT_EQ(untouched, Blank(20, 12));
}

TEST(DotRaster, GridLinesFollowTheScrollOffset)
{
    QImage target = Blank(30, 20);
    // Logical coordinate = target coordinate + (5, -3).
    DrawGridLines(target, QRect(2, 1, 25, 17), 6, {5, -3}, kLine);
    for (int y = 0; y < target.height(); ++y) {
        for (int x = 0; x < target.width(); ++x) {
            const bool inClip = x >= 2 && x < 27 && y >= 1 && y < 18;
            const bool onLine = (x + 5) % 6 == 0 || (y - 3 + 6) % 6 == 0;
            ASSERT_EQ(target.pixel(x, y), inClip && onLine ? kLine : kSentinel) << x << "," << y;
        }
    }
}

TEST(DotRaster, FillStaysInsideThePicture)
{
    QImage target = Blank(8, 8);
    FillArea(target, QRect(-4, 6, 20, 20), qRgb(0, 128, 0));
    EXPECT_EQ(target.pixel(0, 5), kSentinel);
    EXPECT_EQ(target.pixel(0, 6), qRgb(0, 128, 0));
    EXPECT_EQ(target.pixel(7, 7), qRgb(0, 128, 0));
}

TEST(TextOverlayCopy, BlackIsTransparentAndDotsBecomeSquares)
{
    QImage source(3, 2, QImage::Format_RGB32);
    source.fill(Qt::black);
    source.setPixel(0, 0, qRgb(255, 0, 0));
    source.setPixel(2, 1, qRgb(1, 0, 0));
    QImage target = Blank(20, 12);
    CopyColourKeyed(target, QRect(2, 3, 12, 8), source);
    for (int y = 0; y < target.height(); ++y) {
        for (int x = 0; x < target.width(); ++x) {
            QRgb expected = kSentinel;
            if (QRect(2, 3, 4, 4).contains(x, y))
                expected = qRgb(255, 0, 0);
            else if (QRect(10, 7, 4, 4).contains(x, y))
                expected = qRgb(1, 0, 0);
            ASSERT_EQ(target.pixel(x, y), expected) << x << "," << y;
        }
    }
}

class TextOverlayRender : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_text.m_lfText.lfFaceName = QStringLiteral("DejaVu Sans");
        m_text.m_lfText.lfHeight = -10;
        m_text.m_crText = 0x000000FF;
    }
    static QRect Inked(const QImage& image)
    {
        QRect box;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if ((image.pixel(x, y) & 0xFFFFFF) != 0)
                    box |= QRect(x, y, 1, 1);
        return box;
    }
    CCanvasText m_text;
};

TEST_F(TextOverlayRender, InkIsExactlyTheTextColourFromThePosition)
{
    m_text.m_szText = QStringLiteral("Hi");
    m_text.m_nTextX = 4;
    m_text.m_nTextY = 5;
    const QImage image = RenderTextOverlay(m_text, 40, 24);
    ASSERT_EQ(image.size(), QSize(40, 24));
    const QRect box = Inked(image);
    ASSERT_FALSE(box.isEmpty());
    EXPECT_GE(box.left(), 4);
    EXPECT_GE(box.top(), 5);
    // No smoothing: every inked pixel is the text colour itself.
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            ASSERT_TRUE(pixel == qRgb(0, 0, 0) || pixel == qRgb(255, 0, 0)) << x << "," << y;
        }
    }
}

TEST_F(TextOverlayRender, LongTextWrapsAtWordsAndIsCutAtTheEdges)
{
    m_text.m_szText = QStringLiteral("MM MM MM");
    const QImage wide = RenderTextOverlay(m_text, 200, 40);
    const QImage narrow = RenderTextOverlay(m_text, 32, 40);
    EXPECT_LT(Inked(wide).height(), 14);
    EXPECT_GT(Inked(narrow).height(), 20);

    // A position below the grid leaves nothing.
    m_text.m_nTextY = 40;
    EXPECT_TRUE(Inked(RenderTextOverlay(m_text, 200, 40)).isEmpty());
    // Only the part inside the grid is drawn.
    m_text.m_nTextY = 34;
    const QRect cut = Inked(RenderTextOverlay(m_text, 200, 40));
    const QRect whole = Inked(RenderTextOverlay(m_text, 200, 80));
    EXPECT_FALSE(cut.isEmpty());
    EXPECT_LT(cut.height(), whole.height());
}

TEST_F(TextOverlayRender, LineBreaksOfEitherKindStartNewLines)
{
    m_text.m_szText = QStringLiteral("M\r\nM\rM");
    const QRect box = Inked(RenderTextOverlay(m_text, 100, 60));
    EXPECT_GT(box.height(), 25);
    EXPECT_LT(box.width(), 12);
}

} // namespace
