#include "AnimationSupport.h"
#include "animation/FrameList.h"
#include "animation/LedPreview.h"

#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {

constexpr QRgb kBlack = 0xFF000000;

// The pixel at the centre of dot (x, y) and at its top-left corner, in the gap.
QRgb CentreOf(const CLedPreview& preview, int x, int y)
{
    const int p = preview.Pitch();
    return preview.Picture().pixel(x * p + p / 2, y * p + p / 2);
}
QRgb CornerOf(const CLedPreview& preview, int x, int y)
{
    const int p = preview.Pitch();
    return preview.Picture().pixel(x * p, y * p);
}

void ExpectShows(const CLedPreview& preview, const CDotGrid& grid)
{
    for (int y = 0; y < grid.Height(); ++y)
        for (int x = 0; x < grid.Width(); ++x) {
            const COLORREF c = ColorAt(grid, x, y);
            const QRgb centre = CentreOf(preview, x, y);
            if (c == kTestBackground) {
                // Unlit: a dark dot, never the canvas background.
                ASSERT_LT(qRed(centre) + qGreen(centre) + qBlue(centre), 150) << x << "," << y;
                ASSERT_EQ(qRed(centre), qGreen(centre));
            } else {
                ASSERT_EQ(MakeColor(qRed(centre), qGreen(centre), qBlue(centre)), c) << x << "," << y;
            }
            ASSERT_EQ(CornerOf(preview, x, y), kBlack) << x << "," << y;
        }
}

struct SPreviewFixture : ::testing::Test
{
    CDotGrid live;
    CFrameList list{live};
    CLedPreview preview;

    void SetUp() override
    {
        live.SetBackgroundColor(kTestBackground, false);
        std::vector<SSignFrame> frames;
        for (int i = 0; i < 3; ++i)
            frames.push_back(SSignFrame{PatternGrid(16, 8, i), 20});
        ASSERT_TRUE(list.Replace(std::move(frames), 0));
        preview.SetFrames(&list);
        preview.resize(16 * 10 + 7, 8 * 10 + 3); // pitch 10, the rest black
        preview.show();
    }
};

} // namespace

TEST_F(SPreviewFixture, RoundDotsInTheSignColoursWithGapsOnBlack)
{
    EXPECT_EQ(preview.Pitch(), 10);
    ExpectShows(preview, list.Grid(0));
    // Square dots whatever the window's shape: the smaller fit wins.
    preview.resize(16 * 30, 8 * 6);
    EXPECT_EQ(preview.Pitch(), 6);
    EXPECT_EQ(preview.Picture().size(), QSize(16 * 6, 8 * 6));
    ExpectShows(preview, list.Grid(0));
}

// Windows too small for round dots: one pixel a dot, or a pixel and a gap.
TEST_F(SPreviewFixture, TinyPitchesShowEveryDotAsAPixel)
{
    const CDotGrid& grid = list.Grid(0);
    for (const int pitch : {1, 2}) {
        preview.resize(16 * pitch, 8 * pitch);
        ASSERT_EQ(preview.Pitch(), pitch);
        const QImage picture = preview.Picture();
        ASSERT_EQ(picture.size(), QSize(16 * pitch, 8 * pitch));
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 16; ++x) {
                const COLORREF c = ColorAt(grid, x, y);
                const QRgb dot = picture.pixel(x * pitch, y * pitch);
                if (c == kTestBackground)
                    ASSERT_LT(qRed(dot) + qGreen(dot) + qBlue(dot), 150) << pitch << ": " << x << "," << y;
                else
                    ASSERT_EQ(MakeColor(qRed(dot), qGreen(dot), qBlue(dot)), c) << pitch << ": " << x << "," << y;
                if (pitch == 2) {
                    ASSERT_EQ(picture.pixel(x * 2 + 1, y * 2), kBlack) << x << "," << y;
                    ASSERT_EQ(picture.pixel(x * 2, y * 2 + 1), kBlack) << x << "," << y;
                }
            }
    }
}

TEST_F(SPreviewFixture, StepsLoopsAndFollowsChanges)
{
    preview.StepForward();
    EXPECT_EQ(preview.ShownFrame(), 1);
    ExpectShows(preview, list.Grid(1));
    preview.StepBack();
    preview.StepBack();
    EXPECT_EQ(preview.ShownFrame(), 2);
    ExpectShows(preview, list.Grid(2));
    preview.StepForward();
    EXPECT_EQ(preview.ShownFrame(), 0);

    // An edit of the shown frame appears on Refresh.
    LightAt(live, 3, 4, kSevenColours[4].Value());
    preview.Refresh();
    EXPECT_EQ(CentreOf(preview, 3, 4), qRgb(188, 143, 143));
    // A frame deleted under the preview: it shows one that exists.
    preview.ShowFrame(2);
    ASSERT_TRUE(list.Remove(2));
    preview.Refresh();
    EXPECT_EQ(preview.ShownFrame(), 1);
    ExpectShows(preview, list.Grid(1));
    // A new size: drawn again at a pitch that fits.
    ASSERT_TRUE(live.Rotate());
    list.FitToLive();
    preview.Refresh();
    EXPECT_EQ(preview.Picture().size(), QSize(8 * preview.Pitch(), 16 * preview.Pitch()));
}

// Records the regions the preview paints.
class CPaintSpy : public QObject
{
public:
    QRegion painted;
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            painted += static_cast<QPaintEvent*>(event)->region();
        return false;
    }
};

TEST_F(SPreviewFixture, AChangedDotIsRepaintedWhole)
{
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&preview));
    CPaintSpy spy;
    preview.installEventFilter(&spy);
    QCoreApplication::processEvents();
    spy.painted = QRegion();
    LightAt(live, 3, 4, kSevenColours[4].Value());
    preview.Refresh();
    QCoreApplication::processEvents();
    // Pitch 10 in a 167 x 83 window: the picture starts at (3, 1).
    EXPECT_TRUE(spy.painted.contains(QRect(33, 41, 10, 10))) << spy.painted.boundingRect().x() << ","
                                                             << spy.painted.boundingRect().width();
}

// Two changed dots: only the band from one to the other is painted again.
TEST_F(SPreviewFixture, ChangedDotsAreRepaintedAsOneBandAndNothingElse)
{
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&preview));
    CPaintSpy spy;
    preview.installEventFilter(&spy);
    QCoreApplication::processEvents();
    spy.painted = QRegion();
    ASSERT_NE(ColorAt(live, 3, 4), kSevenColours[4].Value());
    ASSERT_NE(ColorAt(live, 5, 6), kSevenColours[4].Value());
    LightAt(live, 5, 6, kSevenColours[4].Value());
    LightAt(live, 3, 4, kSevenColours[4].Value());
    preview.Refresh();
    QCoreApplication::processEvents();
    // Dots (3, 4) to (5, 6) at pitch 10, from (3, 1).
    EXPECT_EQ(spy.painted.boundingRect(), QRect(33, 41, 30, 30));
    // Nothing changed: nothing painted.
    spy.painted = QRegion();
    preview.Refresh();
    QCoreApplication::processEvents();
    EXPECT_TRUE(spy.painted.isEmpty());
}

TEST_F(SPreviewFixture, PlaysInOrderAndLoopsUntilPaused)
{
    QSignalSpy shown(&preview, &CLedPreview::FrameShown);
    preview.Play();
    EXPECT_TRUE(preview.IsPlaying());
    // Four steps take it round the three frames and back to the second.
    for (int wait = 0; wait < 200 && shown.count() < 4; ++wait)
        QTest::qWait(10);
    preview.Pause();
    EXPECT_FALSE(preview.IsPlaying());
    ASSERT_GE(shown.count(), 4);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(shown.at(i).at(0).toInt(), (i + 1) % 3);
    const int stoppedAt = preview.ShownFrame();
    QTest::qWait(60);
    EXPECT_EQ(preview.ShownFrame(), stoppedAt);
}

// A canvas with no dots shows a black window, with no picture left over from
// the dots it had.
TEST_F(SPreviewFixture, AnEmptyCanvasShowsBlack)
{
    ASSERT_FALSE(preview.Picture().isNull());
    live = CDotGrid();
    preview.Refresh();
    EXPECT_TRUE(preview.Picture().isNull());
    const QImage shown = preview.grab().toImage();
    ASSERT_EQ(shown.size(), preview.size());
    for (int y = 0; y < shown.height(); y += 3)
        for (int x = 0; x < shown.width(); x += 3)
            ASSERT_EQ(shown.pixel(x, y), kBlack) << x << "," << y;
}

// At pitch 10 the lamp fills x and y from 1 to 9 of its cell: the outer
// ring of pixels stays black on every side, the inside is lit; an unlit lamp
// is dark grey. The picture sits centred, black around it.
TEST_F(SPreviewFixture, LampsLeaveAGapOfAFifthAndThePictureIsCentred)
{
    ASSERT_EQ(preview.Pitch(), 10);
    const QImage& picture = preview.Picture();
    // Dot (0, 0) is lit, dot (1, 0) unlit.
    ASSERT_NE(ColorAt(list.Grid(0), 0, 0), kTestBackground);
    ASSERT_EQ(ColorAt(list.Grid(0), 1, 0), kTestBackground);
    for (const QPoint edge : {QPoint(0, 5), QPoint(5, 0), QPoint(9, 5), QPoint(5, 9)})
        EXPECT_EQ(picture.pixel(edge), kBlack) << edge.x() << "," << edge.y();
    for (const QPoint inside : {QPoint(2, 5), QPoint(5, 2), QPoint(7, 5), QPoint(5, 7)})
        EXPECT_NE(picture.pixel(inside), kBlack) << inside.x() << "," << inside.y();
    EXPECT_EQ(CentreOf(preview, 1, 0), qRgb(38, 38, 38));

    // 167 x 83: the 160 x 80 picture starts at (3, 1).
    const QImage shown = preview.grab().toImage().convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(shown.size(), QSize(167, 83));
    EXPECT_EQ(shown.pixel(3 + 5, 1 + 5), picture.pixel(5, 5));
    EXPECT_EQ(shown.pixel(3 + 15, 1 + 5), qRgb(38, 38, 38));
    for (const QPoint black : {QPoint(2, 40), QPoint(163, 40), QPoint(80, 0), QPoint(80, 81), QPoint(166, 82)})
        EXPECT_EQ(shown.pixel(black), kBlack) << black.x() << "," << black.y();
}

// It asks for about 8 to 12 pixels a dot, at least 64 x 32; a window smaller
// than the dots still shows each as a pixel.
TEST_F(SPreviewFixture, SizeHintsAndWindowsSmallerThanTheDots)
{
    EXPECT_EQ(preview.sizeHint(), QSize(16 * 12, 8 * 12));
    EXPECT_EQ(preview.minimumSizeHint(), QSize(64, 32));
    // 300 x 100 dots: 1024 / 300 = 3 pixels a dot.
    live.Create(300, 100, ImageMode);
    list.FitToLive();
    preview.Refresh();
    EXPECT_EQ(preview.sizeHint(), QSize(900, 300));
    // 100 x 300: 512 / 300 = 1, raised to 2.
    live.Create(100, 300, ImageMode);
    list.FitToLive();
    preview.Refresh();
    EXPECT_EQ(preview.sizeHint(), QSize(200, 600));
    live.Create(16, 8, ImageMode);
    list.FitToLive();
    preview.resize(10, 5);
    EXPECT_EQ(preview.Pitch(), 1);
    EXPECT_EQ(preview.Picture().size(), QSize(16, 8));
    CLedPreview none;
    EXPECT_EQ(none.sizeHint(), QSize(12, 12));
}

// Play and pause are announced once each; a step pauses; a frame asked for
// past either end shows the nearest one.
TEST_F(SPreviewFixture, PlayPauseAndStepsAreAnnounced)
{
    QSignalSpy playing(&preview, &CLedPreview::PlayingChanged);
    QSignalSpy shown(&preview, &CLedPreview::FrameShown);
    preview.Play();
    preview.Play();
    ASSERT_EQ(playing.count(), 1);
    EXPECT_TRUE(playing.at(0).at(0).toBool());
    preview.StepForward();
    EXPECT_FALSE(preview.IsPlaying());
    ASSERT_EQ(playing.count(), 2);
    EXPECT_FALSE(playing.at(1).at(0).toBool());
    preview.Pause();
    EXPECT_EQ(playing.count(), 2);
    preview.Play();
    preview.StepBack();
    EXPECT_FALSE(preview.IsPlaying());
    EXPECT_EQ(playing.count(), 4);
    shown.clear();
    preview.ShowFrame(7);
    EXPECT_EQ(preview.ShownFrame(), 2);
    preview.ShowFrame(-1);
    EXPECT_EQ(preview.ShownFrame(), 0);
    ASSERT_EQ(shown.count(), 2);
    EXPECT_EQ(shown.at(0).at(0).toInt(), 2);
    EXPECT_EQ(shown.at(1).at(0).toInt(), 0);
    ExpectShows(preview, list.Grid(0));
}

// Without frames every control is quiet: nothing shown, played or announced.
TEST(LedPreview, WithoutFramesNothingMovesOrIsAnnounced)
{
    CLedPreview preview;
    preview.resize(80, 40);
    QSignalSpy playing(&preview, &CLedPreview::PlayingChanged);
    QSignalSpy shown(&preview, &CLedPreview::FrameShown);
    preview.Refresh();
    preview.ShowFrame(1);
    preview.StepForward();
    preview.StepBack();
    preview.Play();
    EXPECT_FALSE(preview.IsPlaying());
    EXPECT_EQ(preview.ShownFrame(), 0);
    EXPECT_TRUE(preview.Picture().isNull());
    EXPECT_EQ(shown.count(), 0);
    EXPECT_EQ(playing.count(), 0);
}
