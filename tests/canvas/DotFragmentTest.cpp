#include "ShapeArt.h"

#include "../SevenColours.h"
#include "canvas/DotFragment.h"
#include "dotdata/ColorMatcher.h"

#include <QBuffer>
#include <QImageReader>
#include <gtest/gtest.h>

namespace {

// One dot of each colour on the top row, unlit below.
CDotFragment SevenDots()
{
    CDotFragment fragment(7, 2);
    for (const SDotColour& colour : kSevenColours)
        fragment.SetIndex(colour.index, 0, colour.index);
    return fragment;
}

void ExpectSevenDots(const CDotFragment& fragment)
{
    ASSERT_EQ(fragment.Width(), 7);
    ASSERT_EQ(fragment.Height(), 2);
    for (const SDotColour& colour : kSevenColours) {
        EXPECT_EQ(fragment.IndexAt(colour.index, 0), colour.index) << colour.name;
        EXPECT_EQ(fragment.IndexAt(colour.index, 1), kUnlitIndex) << colour.name;
    }
}

QImage ThroughPng(const QImage& image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return QImage::fromData(bytes, "PNG");
}

} // namespace

TEST(DotFragment, CopyAndPlaceCarryColoursAndUnlitTakesTheNewBackground)
{
    CDotGrid grid;
    grid.Create(10, 4, ImageMode);
    SevenDots().Place(grid, QPoint(2, 1));
    for (const SDotColour& colour : kSevenColours)
        EXPECT_EQ(grid.DotAt(2 + colour.index, 4 - 1 - 1), colour.Value()) << colour.name;

    const CDotFragment copy = CDotFragment::Copy(grid, QRect(2, 1, 7, 2));
    ExpectSevenDots(copy);
    CDotGrid other;
    other.SetBackgroundColor(MakeColor(9, 9, 9), false);
    other.Create(8, 8, ImageMode);
    other.SetDot(0, 6, DotPalette[0]);
    copy.Place(other, QPoint(0, 0));
    EXPECT_EQ(other.DotAt(0, 6), MakeColor(9, 9, 9)) << "an unlit dot of the fragment clears what was lit";
    EXPECT_EQ(other.DotAt(6, 7), kSevenColours[6].Value());
}

TEST(DotFragment, PartsOutsideTheGridAreUnlitAndDroppedWhenPlaced)
{
    CDotGrid grid = GridFromArt("##\n##\n", DotPalette[1]);
    const CDotFragment copy = CDotFragment::Copy(grid, QRect(-1, -1, 3, 3));
    EXPECT_EQ(copy.IndexAt(0, 0), kUnlitIndex);
    EXPECT_EQ(copy.IndexAt(1, 1), 1);
    EXPECT_EQ(copy.IndexAt(2, 2), 1);
    EXPECT_EQ(copy.IndexAt(3, 3), kUnlitIndex);
    EXPECT_EQ(copy.IndexAt(0, 3), kUnlitIndex);
    EXPECT_EQ(copy.IndexAt(3, 0), kUnlitIndex);
    // Left of a row is not the end of the row above.
    EXPECT_EQ(copy.IndexAt(-1, 2), kUnlitIndex);

    CDotGrid target = GridFromArt("...\n...\n...\n", DotPalette[0]);
    // Unlit dots are placed too: the fragment is opaque.
    copy.Place(target, QPoint(1, 1));
    EXPECT_EQ(Art(target), "...\n...\n..#\n");
    copy.Place(target, QPoint(-2, -2));
    EXPECT_EQ(Art(target), "#..\n...\n..#\n");
}

TEST(DotFragment, PictureRoundTripIsExactForEveryColour)
{
    // On black, and on a navy background that lies nearer to Blue than to
    // black: unlit dots come back unlit only when read against that background.
    for (const QRgb back : {qRgb(0, 0, 0), qRgb(0, 0, 128)}) {
        const COLORREF background = MakeColor(qRed(back), qGreen(back), qBlue(back));
        const QImage picture = SevenDots().ToImage(background);
        EXPECT_EQ(picture.pixel(4, 0), qRgb(188, 143, 143));
        EXPECT_EQ(picture.pixel(4, 1), back);
        for (int matching : {ExactColors, NearestColor, DitheredColors})
            ExpectSevenDots(CDotFragment::FromImage(ThroughPng(picture), matching, background));
    }
}

TEST(DotFragment, PicturesFromElsewhereGoThroughTheColourMatching)
{
    QImage picture(3, 1, QImage::Format_ARGB32);
    picture.setPixel(0, 0, qRgba(250, 5, 5, 255));
    picture.setPixel(1, 0, qRgba(255, 0, 0, 0));
    picture.setPixel(2, 0, qRgba(0, 255, 0, 255));
    const CDotFragment exact = CDotFragment::FromImage(picture, ExactColors, MakeColor(0, 0, 0));
    EXPECT_EQ(exact.IndexAt(0, 0), kUnlitIndex);
    EXPECT_EQ(exact.IndexAt(1, 0), kUnlitIndex) << "a transparent pixel is unlit";
    EXPECT_EQ(exact.IndexAt(2, 0), 1);
    const CDotFragment nearest = CDotFragment::FromImage(picture, NearestColor, MakeColor(0, 0, 0));
    EXPECT_EQ(nearest.IndexAt(0, 0), 0);
    EXPECT_EQ(nearest.IndexAt(1, 0), kUnlitIndex);
}

TEST(DotFragment, HugeOrEmptyPictures)
{
    QImage huge(1500, 1000, QImage::Format_RGB32);
    huge.fill(qRgb(255, 255, 255));
    const CDotFragment fragment = CDotFragment::FromImage(huge, ExactColors, 0);
    EXPECT_EQ(fragment.Width(), kMaxCanvasWidth);
    EXPECT_EQ(fragment.Height(), kMaxCanvasHeight);
    EXPECT_EQ(fragment.IndexAt(1023, 767), 5);
    EXPECT_TRUE(CDotFragment::FromImage(QImage(), ExactColors, 0).IsEmpty());
    EXPECT_TRUE(CDotFragment(0, 5).IsEmpty());
    EXPECT_TRUE(CDotFragment().ToImage(0).isNull());
}

TEST(DotFragment, SizesBelowOneMakeNoDotsOnEitherAxis)
{
    const struct
    {
        int width, height;
        bool empty;
    } cases[] = {{0, 5, true}, {5, 0, true}, {-1, 3, true}, {3, -1, true}, {1, 1, false}, {4, 2, false}};
    for (const auto& c : cases) {
        const CDotFragment fragment(c.width, c.height);
        EXPECT_EQ(fragment.IsEmpty(), c.empty) << c.width << "x" << c.height;
        EXPECT_EQ(fragment.Width(), c.empty ? 0 : c.width) << c.width << "x" << c.height;
        EXPECT_EQ(fragment.Height(), c.empty ? 0 : c.height) << c.width << "x" << c.height;
        if (!c.empty) {
            EXPECT_EQ(fragment.IndexAt(c.width - 1, c.height - 1), kUnlitIndex);
        }
    }
}

// Positions just outside a 4 x 3 fragment neither read nor write the dots
// they would reach if the row arithmetic ran on: the last dot of the row
// above, the first of the next row.
TEST(DotFragment, ReadsAndWritesStopAtEachEdge)
{
    CDotFragment fragment(4, 3);
    fragment.SetIndex(3, 0, 2);
    fragment.SetIndex(0, 2, 4);
    EXPECT_EQ(fragment.IndexAt(3, 0), 2);
    EXPECT_EQ(fragment.IndexAt(0, 2), 4);
    EXPECT_EQ(fragment.IndexAt(-1, 1), kUnlitIndex);
    EXPECT_EQ(fragment.IndexAt(4, 1), kUnlitIndex);
    EXPECT_EQ(fragment.IndexAt(0, 3), kUnlitIndex);
    fragment.SetIndex(-1, 1, 6); // would land on (3, 0)
    fragment.SetIndex(4, 1, 6);  // would land on (0, 2)
    fragment.SetIndex(0, 3, 6);
    fragment.SetIndex(1, -1, 6);
    EXPECT_EQ(fragment.IndexAt(3, 0), 2);
    EXPECT_EQ(fragment.IndexAt(0, 2), 4);
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 4; ++x) {
            const bool set = (x == 3 && y == 0) || (x == 0 && y == 2);
            EXPECT_EQ(fragment.IndexAt(x, y), set ? fragment.IndexAt(x, y) : kUnlitIndex) << x << "," << y;
        }
    }
    // Indexes outside the palette are stored as unlit.
    const struct
    {
        int given, kept;
    } indexes[] = {{-1, kUnlitIndex}, {0, 0}, {6, 6}, {7, kUnlitIndex}, {8, kUnlitIndex}};
    for (const auto& i : indexes) {
        fragment.SetIndex(1, 1, i.given);
        EXPECT_EQ(fragment.IndexAt(1, 1), i.kept) << i.given;
    }
}

TEST(DotFragment, TransparentPixelsAreSeenOverTheBackground)
{
    // A clear picture over a navy background is all background: unlit, and
    // not the Blue dot colour navy lies nearest to, whichever the matching.
    QImage clear(3, 2, QImage::Format_ARGB32);
    clear.fill(Qt::transparent);
    const COLORREF navy = MakeColor(0, 0, 128);
    for (int matching : {ExactColors, NearestColor, DitheredColors}) {
        const CDotFragment fragment = CDotFragment::FromImage(clear, matching, navy);
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < 3; ++x)
                EXPECT_EQ(fragment.IndexAt(x, y), kUnlitIndex) << matching << " " << x << "," << y;
    }
}
