#include "AnimationSupport.h"
#include "animation/FrameList.h"
#include "animation/FrameStrip.h"
#include "animation/LedPreview.h"
#include "animation/PreviewWindow.h"

#include <QApplication>
#include <QLayout>
#include <QLabel>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <algorithm>

TEST(FrameStrip, ShownOnlyWithMoreThanOneFrameAndChoosesFrames)
{
    CDotGrid live = PatternGrid(16, 8);
    CFrameList list(live);
    QWidget canvasArea;
    CFrameStrip strip(&canvasArea);
    strip.SetFrames(&list);
    canvasArea.show();
    EXPECT_FALSE(strip.isVisible());
    EXPECT_EQ(strip.count(), 0);

    ASSERT_TRUE(list.Duplicate(0));
    ASSERT_TRUE(list.AddBlank());
    ASSERT_TRUE(list.SetDuration(2, 250));
    strip.Refresh();
    EXPECT_TRUE(strip.isVisible());
    ASSERT_EQ(strip.count(), 3);
    EXPECT_EQ(strip.currentRow(), 2);
    EXPECT_EQ(strip.item(2)->text(), QStringLiteral("3 \u00B7 250 ms"));
    // Each thumbnail shows whole, its caption under it, with no scrolling up and down.
    QApplication::processEvents();
    const QRect cell = strip.visualItemRect(strip.item(0));
    EXPECT_GE(cell.height(), CFrameStrip::kThumbHeight + strip.fontMetrics().height());
    EXPECT_TRUE(strip.viewport()->rect().contains(cell)) << cell.height() << " in " << strip.viewport()->height();
    // 16 x 8 dots fill the 32-pixel height at 4 pixels a dot, one colour a dot.
    const QImage thumb = strip.item(0)->icon().pixmap(QSize(128, 32)).toImage();
    ASSERT_EQ(thumb.size(), QSize(64, 32));
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 16; ++x) {
            const QRgb p = thumb.pixel(x * 4 + 3, y * 4 + 3);
            ASSERT_EQ(MakeColor(qRed(p), qGreen(p), qBlue(p)), PatternColor(x, y)) << x << "," << y;
        }

    // Choosing a thumbnail asks for that frame; refreshing does not.
    QSignalSpy chosen(&strip, &CFrameStrip::FrameChosen);
    strip.setCurrentRow(0);
    ASSERT_EQ(chosen.count(), 1);
    EXPECT_EQ(chosen.at(0).at(0).toInt(), 0);
    strip.Refresh();
    strip.RefreshCurrent();
    EXPECT_EQ(chosen.count(), 1);
    EXPECT_EQ(strip.currentRow(), 2);
    // Without frames the strip is empty and hidden, however it is refreshed.
    strip.SetFrames(nullptr);
    strip.RefreshCurrent();
    EXPECT_FALSE(strip.isVisible());
    EXPECT_EQ(strip.count(), 0);
    strip.SetFrames(&list);
    EXPECT_EQ(strip.count(), 3);

    ASSERT_TRUE(list.Remove(0));
    ASSERT_TRUE(list.Remove(0));
    strip.Refresh();
    EXPECT_FALSE(strip.isVisible());
}

// Drawing on the current frame redraws its thumbnail only: the strip stays
// where the user scrolled it, away from the frame being edited.
TEST(FrameStrip, AnEditOfTheCurrentFrameKeepsTheStripWhereItWasScrolled)
{
    CDotGrid live = PatternGrid(16, 8);
    CFrameList list(live);
    for (int i = 0; i < 30; ++i)
        ASSERT_TRUE(list.Duplicate(0));
    ASSERT_TRUE(list.Select(0));
    QWidget canvasArea;
    CFrameStrip strip(&canvasArea);
    strip.SetFrames(&list);
    strip.resize(300, strip.height());
    canvasArea.show();
    QCoreApplication::processEvents();
    QScrollBar* bar = strip.horizontalScrollBar();
    ASSERT_GT(bar->maximum(), 0);
    bar->setValue(bar->maximum());

    LightAt(list.Live(), 0, 0, kSevenColours[2].Value());
    strip.RefreshCurrent();
    QCoreApplication::processEvents();
    EXPECT_EQ(bar->value(), bar->maximum());
    EXPECT_EQ(strip.currentRow(), 0);
    const QImage thumb = strip.item(0)->icon().pixmap(QSize(128, 32)).toImage();
    const QRgb p = thumb.pixel(3, 3);
    EXPECT_EQ(MakeColor(qRed(p), qGreen(p), qBlue(p)), kSevenColours[2].Value());
}

TEST(PreviewWindow, TextsInThreeLanguagesAndTheFrameShown)
{
    CDotGrid live = PatternGrid(16, 8);
    CFrameList list(live);
    ASSERT_TRUE(list.Duplicate(0));
    ASSERT_TRUE(list.SetDuration(1, 40));
    CPreviewWindow window;
    window.SetFrames(&list);
    window.resize(400, 240);
    window.show();
    const auto* label = window.findChildren<QLabel*>().value(0);
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text(), QStringLiteral("Frame 1 of 2, 100 ms"));
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Sign Preview"));

    QTest::keyClick(&window, Qt::Key_Right);
    EXPECT_EQ(window.Preview().ShownFrame(), 1);
    // The step buttons show which way they go: back to frame 1, forward again.
    QToolButton* arrows[2] = {};
    for (QToolButton* button : window.findChildren<QToolButton*>()) {
        if (button->arrowType() == Qt::LeftArrow)
            arrows[0] = button;
        else if (button->arrowType() == Qt::RightArrow)
            arrows[1] = button;
    }
    ASSERT_NE(arrows[0], nullptr);
    ASSERT_NE(arrows[1], nullptr);
    arrows[0]->click();
    EXPECT_EQ(window.Preview().ShownFrame(), 0);
    arrows[1]->click();
    EXPECT_EQ(window.Preview().ShownFrame(), 1);
    window.SetLanguage(1);
    EXPECT_EQ(window.windowTitle(), QString::fromUtf8("显示屏预览"));
    EXPECT_EQ(label->text(), QString::fromUtf8("第 2 帧，共 2 帧，40 毫秒"));
    window.SetLanguage(2);
    EXPECT_EQ(label->text(), QString::fromUtf8("第 2 幀，共 2 幀，40 毫秒"));

    // Space plays and pauses; the button says what it will do.
    window.SetLanguage(0);
    QToolButton* play = nullptr;
    for (QToolButton* button : window.findChildren<QToolButton*>())
        if (button->text() == QStringLiteral("Play"))
            play = button;
    ASSERT_NE(play, nullptr);
    QTest::keyClick(&window, Qt::Key_Space);
    EXPECT_TRUE(window.Preview().IsPlaying());
    EXPECT_EQ(play->text(), QStringLiteral("Pause"));
    // Still while the frames go by.
    const int started = window.Preview().ShownFrame();
    for (int wait = 0; wait < 100 && window.Preview().ShownFrame() == started; ++wait)
        QTest::qWait(10);
    EXPECT_NE(window.Preview().ShownFrame(), started);
    EXPECT_TRUE(window.Preview().IsPlaying());
    EXPECT_EQ(play->text(), QStringLiteral("Pause"));
    QTest::keyClick(&window, Qt::Key_Space);
    EXPECT_FALSE(window.Preview().IsPlaying());
    EXPECT_EQ(play->text(), QStringLiteral("Play"));

    // A frame's new duration and a new frame count show on the next refresh.
    const int shown = window.Preview().ShownFrame();
    ASSERT_TRUE(list.SetDuration(shown, 730));
    ASSERT_TRUE(list.AddBlank());
    window.Refresh();
    EXPECT_EQ(label->text(), QStringLiteral("Frame %1 of 3, 730 ms").arg(shown + 1));
}

// Thumbnails are whole dots: the largest whole scale within 128 x 32, or a
// plain shrink when even one pixel a dot is too large, on either axis.
TEST(FrameStrip, ThumbnailsScaleByWholeDotsOrShrinkToFit)
{
    const struct
    {
        int width, height;
        QSize thumb;
    } cases[] = {{16, 16, {32, 32}}, {40, 8, {120, 24}}, {32, 8, {128, 32}}, {33, 4, {99, 12}},
                 {256, 8, {128, 4}}, {8, 64, {4, 32}}, {128, 32, {128, 32}}};
    for (const auto& c : cases) {
        CDotGrid live = PatternGrid(c.width, c.height);
        CFrameList list(live);
        ASSERT_TRUE(list.Duplicate(0));
        CFrameStrip strip;
        strip.SetFrames(&list);
        ASSERT_EQ(strip.count(), 2);
        const QIcon icon = strip.item(0)->icon();
        ASSERT_FALSE(icon.availableSizes().isEmpty()) << c.width << " x " << c.height;
        EXPECT_EQ(icon.availableSizes().first(), c.thumb) << c.width << " x " << c.height;
    }
}

// One row of thumbnails scrolled across, never down; a strip made before
// any frames stays hidden; edits of the current frame show in its caption;
// another current frame is marked without being asked for.
TEST(FrameStrip, OneRowAcrossAndQuietUpdates)
{
    CDotGrid live = PatternGrid(16, 8);
    CFrameList list(live);
    QWidget canvasArea;
    CFrameStrip strip(&canvasArea);
    canvasArea.show();
    EXPECT_FALSE(strip.isVisible());
    EXPECT_EQ(strip.height(), CFrameStrip::kThumbHeight + strip.fontMetrics().height() + 28);
    EXPECT_EQ(strip.iconSize(), QSize(128, 32));
    EXPECT_EQ(strip.selectionMode(), QAbstractItemView::SingleSelection);
    EXPECT_EQ(strip.verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    EXPECT_EQ(strip.horizontalScrollBarPolicy(), Qt::ScrollBarAsNeeded);

    for (int i = 0; i < 20; ++i)
        ASSERT_TRUE(list.Duplicate(0));
    ASSERT_TRUE(list.Select(20));
    strip.SetFrames(&list);
    strip.resize(300, strip.height());
    QCoreApplication::processEvents();
    ASSERT_TRUE(strip.isVisible());
    const QRect first = strip.visualItemRect(strip.item(0));
    const QRect second = strip.visualItemRect(strip.item(1));
    EXPECT_EQ(second.top(), first.top());
    EXPECT_GT(second.left(), first.right() - 1);
    EXPECT_EQ(strip.visualItemRect(strip.item(20)).top(), first.top());
    EXPECT_EQ(second.size(), first.size());
    // The current frame is the last one: scrolled into view.
    EXPECT_EQ(strip.currentRow(), 20);
    EXPECT_EQ(strip.horizontalScrollBar()->value(), strip.horizontalScrollBar()->maximum());
    EXPECT_GT(strip.horizontalScrollBar()->maximum(), 0);
    // Thumbnails cannot be dragged about.
    EXPECT_EQ(strip.movement(), QListView::Static);

    QSignalSpy chosen(&strip, &CFrameStrip::FrameChosen);
    strip.setCurrentRow(-1);
    EXPECT_EQ(chosen.count(), 0);
    ASSERT_TRUE(list.Select(3));
    ASSERT_TRUE(list.SetDuration(3, 480));
    strip.RefreshCurrent();
    EXPECT_EQ(strip.currentRow(), 3);
    EXPECT_EQ(strip.item(3)->text(), QStringLiteral("4 \u00B7 480 ms"));
    EXPECT_EQ(chosen.count(), 0);
    // A frame added since: the strip is filled again.
    ASSERT_TRUE(list.AddBlank());
    strip.RefreshCurrent();
    EXPECT_EQ(strip.count(), 22);
    EXPECT_EQ(strip.currentRow(), list.Current());
    EXPECT_EQ(chosen.count(), 0);
}

// The buttons sit in a row under the picture: back, play, forward, then
// the frame's line; the picture takes the whole width above them.
TEST(PreviewWindow, PictureAboveARowOfControlsAndKeys)
{
    CDotGrid live = PatternGrid(16, 8);
    CFrameList list(live);
    ASSERT_TRUE(list.Duplicate(0));
    ASSERT_TRUE(list.Duplicate(0));
    CPreviewWindow window;
    const auto* label = window.findChildren<QLabel*>().value(0);
    ASSERT_NE(label, nullptr);
    // Without frames there is no frame to name.
    EXPECT_TRUE(label->text().isEmpty());
    window.SetFrames(&list);
    window.resize(400, 240);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    EXPECT_EQ(window.Preview().geometry().topLeft(), QPoint(0, 0));
    EXPECT_EQ(window.Preview().width(), 400);
    QToolButton* back = nullptr;
    QToolButton* forward = nullptr;
    QToolButton* play = nullptr;
    for (QToolButton* button : window.findChildren<QToolButton*>()) {
        (button->arrowType() == Qt::LeftArrow ? back : button->arrowType() == Qt::RightArrow ? forward : play) = button;
        EXPECT_EQ(button->focusPolicy(), Qt::NoFocus);
    }
    ASSERT_TRUE(back && forward && play);
    EXPECT_EQ(back->toolTip(), QStringLiteral("Previous Frame"));
    EXPECT_EQ(forward->toolTip(), QStringLiteral("Next Frame"));
    EXPECT_EQ(back->x(), 6);
    EXPECT_GT(play->x(), back->geometry().right());
    EXPECT_GT(forward->x(), play->geometry().right());
    const auto* controls = window.layout()->itemAt(1)->layout();
    ASSERT_NE(controls, nullptr);
    EXPECT_EQ(label->x(), forward->geometry().right() + 1 + controls->spacing() + 12);
    EXPECT_EQ(label->geometry().right(), 400 - 1 - 6);
    EXPECT_GT(back->y(), window.Preview().geometry().bottom());
    EXPECT_EQ(std::max(back->geometry().bottom(), label->geometry().bottom()), 240 - 1 - 6);
    EXPECT_EQ(window.focusPolicy(), Qt::StrongFocus);
    window.SetLanguage(2);
    EXPECT_EQ(back->toolTip(), QString::fromUtf8("上一幀"));
    EXPECT_EQ(forward->toolTip(), QString::fromUtf8("下一幀"));
    window.SetLanguage(0);

    // Left steps back round to the last frame; other keys pass by.
    QTest::keyClick(&window, Qt::Key_Left);
    EXPECT_EQ(window.Preview().ShownFrame(), 2);
    QTest::keyClick(&window, Qt::Key_Up);
    EXPECT_EQ(window.Preview().ShownFrame(), 2);
    EXPECT_FALSE(window.Preview().IsPlaying());
    EXPECT_EQ(label->text(), QStringLiteral("Frame 3 of 3, 100 ms"));
    // The play button itself plays and pauses.
    play->click();
    EXPECT_TRUE(window.Preview().IsPlaying());
    play->click();
    EXPECT_FALSE(window.Preview().IsPlaying());

    // Frames taken away: no frame line is left standing.
    window.SetFrames(nullptr);
    EXPECT_TRUE(label->text().isEmpty());

    EXPECT_EQ(CPreviewWindow::Text(-1, 0), QStringLiteral("Sign Preview"));
    EXPECT_EQ(CPreviewWindow::Text(CPreviewWindow::FrameOf + 1, 0), QStringLiteral("Frame %1 of %2, %3 ms"));
}
