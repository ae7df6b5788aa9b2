#include "canvas/DotRaster.h"
#include "canvas/TextOverlay.h"

#include <gtest/gtest.h>

namespace {

const QRgb kSentinel = qRgb(1, 2, 3);

QImage Blank(int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(kSentinel);
    return image;
}

TEST(DotRaster, StretchWritesWholeAndPartDotsOnlyInsideTheClip)
{
    // Display row 0: palette 0 1 2; row 1: palette 3 4 5.
    CDotGrid grid;
    grid.Create(3, 2, ImageMode);
    for (int c = 0; c < 3; ++c) {
        grid.SetDot(c, 1, DotPalette[static_cast<std::size_t>(c)]);
        grid.SetDot(c, 0, DotPalette[static_cast<std::size_t>(c + 3)]);
    }
    ASSERT_EQ(WrapGridBits(grid).constBits(), grid.Bits());
    QImage target = Blank(20, 12);
    const QRect clip(3, 2, 7, 5); // starts and ends inside dots
    StretchDots(target, grid, {-2, -1}, 5, clip);
    for (int y = 0; y < target.height(); ++y) {
        for (int x = 0; x < target.width(); ++x) {
            // Only pixels inside the clip lie over a dot: outside it the index would run past the palette.
            QRgb expected = kSentinel;
            if (clip.contains(x, y)) {
                const COLORREF c = DotPalette[static_cast<std::size_t>((x + 2) / 5 + 3 * ((y + 1) / 5))];
                expected = qRgb(RedOf(c), GreenOf(c), BlueOf(c));
            }
            ASSERT_EQ(target.pixel(x, y), expected) << x << "," << y;
        }
    }
}

// Every clip width and every start within a dot: each pixel in the clip and
// over the grid shows its dot, the last part-dot's single pixels included.
TEST(DotRaster, EveryClipWidthAndStartShowsEachPixelsDot)
{
    CDotGrid grid;
    grid.Create(4, 1, ImageMode);
    for (int c = 0; c < 4; ++c)
        grid.SetDot(c, 0, DotPalette[static_cast<std::size_t>(c)]);
    constexpr int kSize = 4;
    for (int start = 0; start < kSize; ++start) {
        for (int width = 1; width <= 4 * kSize - start; ++width) {
            QImage target = Blank(20, 4);
            const QRect clip(start, 0, width, 4);
            StretchDots(target, grid, {0, 0}, kSize, clip);
            for (int x = 0; x < 20; ++x) {
                QRgb expected = kSentinel;
                if (clip.contains(x, 0)) {
                    const COLORREF c = DotPalette[static_cast<std::size_t>(x / kSize)];
                    expected = qRgb(RedOf(c), GreenOf(c), BlueOf(c));
                }
                ASSERT_EQ(target.pixel(x, 2), expected) << "start " << start << ", width " << width << ", x " << x;
            }
        }
    }
}

TEST(TextOverlay, BlackIsTheTransparentKeyOfTheScaledCopy)
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
    // Targets of other formats, such as a top-down copy of the grid's bytes.
    QImage bgr = Blank(20, 12).convertToFormat(QImage::Format_BGR888);
    CopyColourKeyed(bgr, QRect(2, 3, 12, 8), source);
    EXPECT_EQ(bgr.convertToFormat(QImage::Format_RGB32), target);
}

TEST(TextOverlay, TextWrapsAtWordsAndIsCutAtTheGridEdges)
{
    CCanvasText text;
    text.m_lfText.lfFaceName = QStringLiteral("DejaVu Sans");
    text.m_lfText.lfHeight = -10;
    text.m_crText = 0x000000FF;
    text.m_szText = QStringLiteral("MM MM MM");
    const auto inked = [&](int w, int h) {
        QRect box;
        const QImage image = RenderTextOverlay(text, w, h);
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                const QRgb p = image.pixel(x, y);
                EXPECT_TRUE(p == qRgb(0, 0, 0) || p == qRgb(255, 0, 0)); // no smoothing
                box |= p == qRgb(255, 0, 0) ? QRect(x, y, 1, 1) : QRect();
            }
        }
        return box;
    };
    EXPECT_LT(inked(200, 40).height(), 14);
    EXPECT_GT(inked(32, 40).height(), 20);
    text.m_nTextY = 34;
    EXPECT_LT(inked(200, 40).height(), inked(200, 80).height());
    text.m_nTextY = 40;
    EXPECT_TRUE(inked(200, 40).isEmpty());
}

} // namespace

TEST(DotRaster, GridLinesReachTheLastPartlyVisibleColumnAndRow)
{
    // Every width and height modulo the pitch, scrolled and not: a line is
    // drawn at each x (and y) where x + scroll is a multiple of the pitch,
    // up to the last pixel.
    constexpr int kPitch = 7;
    constexpr QRgb kLine = 0xFFFFFFFFu;
    for (int size = 21; size < 21 + kPitch; ++size) {
        for (const int scroll : {0, 3}) {
            QImage target(size, size, QImage::Format_RGB32);
            target.fill(Qt::black);
            DrawGridLines(target, target.rect(), kPitch, QPoint(scroll, scroll), kLine);
            const int between = (kPitch - scroll + 1) % kPitch; // a row and column with no line
            for (int i = 0; i < size; ++i) {
                const bool onLine = (i + scroll) % kPitch == 0;
                EXPECT_EQ(target.pixel(i, between) == kLine, onLine) << size << " scroll " << scroll << " x " << i;
                EXPECT_EQ(target.pixel(between, i) == kLine, onLine) << size << " scroll " << scroll << " y " << i;
            }
        }
    }
}
