#include "canvas/DotRaster.h"
#include "canvas/TextOverlay.h"

#include <gtest/gtest.h>

#include <functional>

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
    // Dots of no size, or less, draw nothing.
    for (int size : {0, -1}) {
        QImage untouched = Blank(20, 12);
        StretchDots(untouched, grid, {4, 4}, size, untouched.rect());
        EXPECT_EQ(untouched, Blank(20, 12)) << size;
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

// Red overlay text in a 10-pixel DejaVu Sans.
CCanvasText SmallRedText(const QString& typed)
{
    CCanvasText text;
    text.m_lfText.lfFaceName = QStringLiteral("DejaVu Sans");
    text.m_lfText.lfHeight = -10;
    text.m_crText = 0x000000FF;
    text.m_szText = typed;
    return text;
}

TEST(TextOverlay, TextWrapsAtWordsAndIsCutAtTheGridEdges)
{
    CCanvasText text = SmallRedText(QStringLiteral("MM MM MM"));
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

namespace {

QRgb ToRgb(COLORREF c)
{
    return qRgb(RedOf(c), GreenOf(c), BlueOf(c));
}

// A 3 x 3 grid whose display dot (c, d) has palette colour (c + 3 d) mod 7,
// so no two neighbours share a colour.
CDotGrid NineColours()
{
    CDotGrid grid;
    grid.Create(3, 3, ImageMode);
    for (int d = 0; d < 3; ++d)
        for (int c = 0; c < 3; ++c)
            grid.SetDisplayDot(c, d, DotPalette[static_cast<std::size_t>((c + 3 * d) % 7)]);
    return grid;
}

// What a pixel of a stretched 3 x 3 picture shows: its dot's colour, or the
// sentinel outside the clip, the image or the enlarged picture.
QRgb StretchedPixel(int x, int y, QPoint origin, int size, const QRect& clip, const QImage& target)
{
    const int dx = x - origin.x();
    const int dy = y - origin.y();
    if (!clip.contains(x, y) || !target.rect().contains(x, y) || dx < 0 || dy < 0 || dx >= 3 * size || dy >= 3 * size)
        return kSentinel;
    return ToRgb(DotPalette[static_cast<std::size_t>((dx / size + 3 * (dy / size)) % 7)]);
}

} // namespace

TEST(DotRaster, FillAreaWritesTheClipInsideTheImageOnly)
{
    constexpr QRgb kInk = qRgb(10, 20, 30);
    // Clips inside, one row, one column, over every edge, and wholly outside.
    const QRect clips[] = {QRect(2, 1, 3, 4), QRect(0, 3, 9, 1), QRect(4, 0, 1, 6), QRect(-2, -3, 5, 6),
                           QRect(6, 4, 10, 10), QRect(-1, -1, 11, 8), QRect(9, 0, 3, 3), QRect(0, 6, 3, 3)};
    for (const QRect& clip : clips) {
        QImage target = Blank(9, 6);
        FillArea(target, clip, kInk);
        for (int y = 0; y < 6; ++y)
            for (int x = 0; x < 9; ++x)
                ASSERT_EQ(target.pixel(x, y), clip.contains(x, y) ? kInk : kSentinel)
                    << clip.x() << "," << clip.y() << " " << clip.width() << "x" << clip.height() << " at " << x << ","
                    << y;
    }
    // Only 32-bit targets are written.
    QImage other = Blank(4, 4).convertToFormat(QImage::Format_RGB888);
    const QImage before = other;
    FillArea(other, QRect(0, 0, 4, 4), kInk);
    EXPECT_EQ(other, before);
}

// Each pixel shows the dot under it, on both axes, for the one-pixel path
// and the replicating one, with the origin before, at and after the clip.
TEST(DotRaster, StretchShowsEachPixelsDotForEverySizeAndOrigin)
{
    const CDotGrid grid = NineColours();
    const QRect clips[] = {QRect(0, 0, 20, 16), QRect(3, 2, 9, 7), QRect(1, 4, 2, 1)};
    const QPoint origins[] = {QPoint(0, 0), QPoint(2, 1), QPoint(-3, -2), QPoint(1, -4)};
    for (const int size : {1, 2, 3, 5}) {
        for (const QPoint origin : origins) {
            for (const QRect& clip : clips) {
                QImage target = Blank(20, 16);
                StretchDots(target, grid, origin, size, clip);
                for (int y = 0; y < 16; ++y)
                    for (int x = 0; x < 20; ++x)
                        ASSERT_EQ(target.pixel(x, y), StretchedPixel(x, y, origin, size, clip, target))
                            << "size " << size << " origin " << origin.x() << "," << origin.y() << " clip " << clip.x()
                            << "," << clip.y() << " at " << x << "," << y;
            }
        }
    }
}

TEST(DotRaster, StretchLeavesTheTargetAloneWhenNothingCanBeDrawn)
{
    const CDotGrid grid = NineColours();
    const QImage blank = Blank(12, 12);
    for (const int size : {0, -1}) {
        QImage target = blank;
        StretchDots(target, grid, {0, 0}, size, target.rect());
        EXPECT_EQ(target, blank) << size;
    }
    QImage target = blank;
    StretchDots(target, CDotGrid(), {0, 0}, 4, target.rect());
    EXPECT_EQ(target, blank);
    QImage other = blank.convertToFormat(QImage::Format_RGB888);
    const QImage otherBefore = other;
    StretchDots(other, grid, {0, 0}, 4, other.rect());
    EXPECT_EQ(other, otherBefore);
    // An ARGB target is 32 bits too.
    QImage argb = blank.convertToFormat(QImage::Format_ARGB32);
    StretchDots(argb, grid, {0, 0}, 4, argb.rect());
    EXPECT_EQ(argb.pixel(11, 11), ToRgb(DotPalette[8 % 7]));
}

// Black source pixels keep the target; others are drawn opaque, whatever
// their alpha, at every size and with the clip starting inside a pixel.
TEST(DotRaster, KeyedStretchDrawsAllButBlackOpaque)
{
    QImage source(3, 2, QImage::Format_ARGB32);
    source.fill(0u);
    source.setPixel(0, 0, 0x00FF0000u);  // red with no alpha
    source.setPixel(2, 0, 0xFF000000u);  // opaque black: still the key
    source.setPixel(1, 1, 0x80000001u);  // the faintest blue
    source.setPixel(2, 1, qRgb(0, 9, 0));
    const auto expectedAt = [&](int x, int y, QPoint origin, int size, const QRect& clip) {
        const int sx = x - origin.x();
        const int sy = y - origin.y();
        if (!clip.contains(x, y) || sx < 0 || sy < 0 || sx >= 3 * size || sy >= 2 * size)
            return kSentinel;
        const QRgb p = source.pixel(sx / size, sy / size);
        return (p & 0x00FFFFFFu) == 0 ? kSentinel : (p | 0xFF000000u);
    };
    const QRect clips[] = {QRect(0, 0, 16, 12), QRect(2, 1, 7, 6), QRect(-4, -4, 40, 40)};
    for (const int size : {1, 2, 4}) {
        for (const QPoint origin : {QPoint(0, 0), QPoint(3, 2), QPoint(-1, -3)}) {
            for (const QRect& clip : clips) {
                QImage target = Blank(16, 12);
                StretchKeyed(target, source, origin, size, clip);
                for (int y = 0; y < 12; ++y)
                    for (int x = 0; x < 16; ++x)
                        ASSERT_EQ(target.pixel(x, y), expectedAt(x, y, origin, size, clip))
                            << "size " << size << " origin " << origin.x() << "," << origin.y() << " at " << x << ","
                            << y;
            }
        }
    }
    // A source that is not 32 bits, or no size, draws nothing.
    const QImage blank = Blank(16, 12);
    QImage target = blank;
    StretchKeyed(target, source.convertToFormat(QImage::Format_RGB888), {0, 0}, 2, target.rect());
    EXPECT_EQ(target, blank);
    StretchKeyed(target, source, {0, 0}, 0, target.rect());
    EXPECT_EQ(target, blank);
}

// Lines fall where coordinate + offset is a multiple of the spacing, also
// for negative offsets and clips that start away from the corner; pixels
// outside the clip and between lines keep what they had.
TEST(DotRaster, GridLinesFollowTheOffsetInsideTheClipOnBothAxes)
{
    constexpr QRgb kLine = qRgb(200, 0, 0);
    const auto onLine = [](int v, int offset, int spacing) { return ((v + offset) % spacing + spacing) % spacing == 0; };
    const QRect clips[] = {QRect(0, 0, 17, 13), QRect(3, 2, 9, 8), QRect(5, 6, 1, 1), QRect(-3, -3, 30, 30)};
    const QPoint offsets[] = {QPoint(0, 0), QPoint(-2, -5), QPoint(1, 4), QPoint(-9, 3)};
    for (const int spacing : {1, 4, 5}) {
        for (const QPoint offset : offsets) {
            for (const QRect& clip : clips) {
                QImage target = Blank(17, 13);
                DrawGridLines(target, clip, spacing, offset, kLine);
                for (int y = 0; y < 13; ++y) {
                    for (int x = 0; x < 17; ++x) {
                        const bool line = clip.contains(x, y) && (onLine(x, offset.x(), spacing) || onLine(y, offset.y(), spacing));
                        ASSERT_EQ(target.pixel(x, y), line ? kLine : kSentinel)
                            << "spacing " << spacing << " offset " << offset.x() << "," << offset.y() << " clip "
                            << clip.x() << "," << clip.y() << " at " << x << "," << y;
                    }
                }
            }
        }
    }
    const QImage blank = Blank(8, 8);
    QImage target = blank;
    DrawGridLines(target, target.rect(), 0, {0, 0}, kLine);
    EXPECT_EQ(target, blank);
    QImage other = blank.convertToFormat(QImage::Format_RGB888);
    const QImage otherBefore = other;
    DrawGridLines(other, other.rect(), 3, {0, 0}, kLine);
    EXPECT_EQ(other, otherBefore);
}

// The cached overlay is the text's picture for every change in turn: a
// moved, recoloured, emptied or resized text leaves nothing of the one
// before, and asking again for the same gives the same picture.
TEST(TextOverlay, TheCacheShowsOnlyTheLatestText)
{
    CCanvasText text = SmallRedText(QStringLiteral("MM MM"));
    COverlayCache cache;
    const struct
    {
        const char* change;
        std::function<void(CCanvasText&)> apply;
        QSize size;
    } steps[] = {
        {"first", [](CCanvasText&) {}, QSize(60, 30)},
        {"same again", [](CCanvasText&) {}, QSize(60, 30)},
        {"moved down", [](CCanvasText& t) { t.m_nTextY = 12; }, QSize(60, 30)},
        {"moved right", [](CCanvasText& t) { t.m_nTextX = 9; }, QSize(60, 30)},
        {"green", [](CCanvasText& t) { t.m_crText = 0x0000FF00; }, QSize(60, 30)},
        {"other text", [](CCanvasText& t) { t.m_szText = QStringLiteral("ii"); }, QSize(60, 30)},
        {"taller", [](CCanvasText&) {}, QSize(60, 40)},
        {"wider", [](CCanvasText&) {}, QSize(70, 40)},
        {"empty", [](CCanvasText& t) { t.m_szText.clear(); }, QSize(70, 40)},
    };
    for (const auto& step : steps) {
        step.apply(text);
        const QImage& cached = cache.Get(text, step.size.width(), step.size.height());
        const QImage fresh = RenderTextOverlay(text, step.size.width(), step.size.height());
        EXPECT_EQ(cached.size(), step.size) << step.change;
        EXPECT_EQ(cached.convertToFormat(QImage::Format_RGB32), fresh.convertToFormat(QImage::Format_RGB32))
            << step.change;
        ASSERT_NE(cache.Layout(), nullptr);
    }
}
