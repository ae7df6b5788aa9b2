#include "dialogs/AboutDlg.h"
#include "dialogs/SplashWnd.h"

#include "ModalAnswers.h"

#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>
#include <QSet>
#include <QTest>

#include <gtest/gtest.h>

namespace {

constexpr int kNoSuchPicture = 999;

QPoint ScreenCentreFor(QSize size)
{
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    return QPoint(screen.left() + (screen.width() - size.width()) / 2, screen.top() + (screen.height() - size.height()) / 2);
}

} // namespace

TEST(SplashWnd, FramelessTopmostCentredAndClosesOnTheSecondTick)
{
    CSplashWnd splash(5);
    ASSERT_TRUE(splash.HasPicture());
    EXPECT_EQ(splash.size(), QSize(800, 434));
    EXPECT_TRUE(splash.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_TRUE(splash.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(splash.pos(), ScreenCentreFor(QSize(800, 434)));

    EXPECT_EQ(splash.windowTitle(), QStringLiteral("Pellmark"));

    EXPECT_EQ(splash.exec(), 0);
    EXPECT_EQ(splash.TicksSeen(), 2);
    // Closed, it stops ticking; shown again, it counts afresh.
    QTest::qWait(40);
    EXPECT_EQ(splash.TicksSeen(), 2);
    EXPECT_EQ(splash.exec(), 0);
    EXPECT_EQ(splash.TicksSeen(), 2);

    // Nothing to show: no picture, or a caller that wants no splash.
    CSplashWnd bare(5, kNoSuchPicture);
    EXPECT_FALSE(bare.HasPicture());
    EXPECT_FALSE(CSplashWnd::RunSplash(0));
    if (QGuiApplication::platformName() == QLatin1String("offscreen"))
        EXPECT_FALSE(CSplashWnd::RunSplash(1));
    else
        EXPECT_TRUE(CSplashWnd::RunSplash(1));
}

TEST(AboutDlg, SizedFromThePictureWithTheButtonBelowIt)
{
    CAboutDlg box;
    ASSERT_TRUE(box.HasPicture());
    EXPECT_EQ(box.windowTitle(), QStringLiteral("关于 Pellmark"));
    EXPECT_EQ(box.size(), QSize(802, 462));
    EXPECT_EQ(box.OkButton()->geometry(), QRect(730, 436, 60, 24));
    EXPECT_TRUE(box.OkButton()->isDefault());
    EXPECT_EQ(box.pos(), ScreenCentreFor(QSize(804, 486)));

    box.show();
    QTest::mouseClick(box.OkButton(), Qt::LeftButton);
    EXPECT_FALSE(box.isVisible());
    EXPECT_EQ(box.result(), QDialog::Accepted);

    box.show();
    QTest::keyClick(&box, Qt::Key_Escape);
    EXPECT_FALSE(box.isVisible());

    // The picture is painted: its part of the box is no plain colour.
    const QImage shown = box.grab().toImage();
    QSet<QRgb> colours;
    for (int y = 0; y < 430; y += 7)
        for (int x = 1; x < 800; x += 7)
            colours.insert(shown.pixel(x, y));
    EXPECT_GT(colours.size(), 8);
    // It fills x 1 to 799 of rows 0 to 433: the first column, the last two
    // and the button row keep the box's own colour.
    const QRgb boxColour = shown.pixel(400, 445);
    int leftLit = 0, rightLit = 0;
    for (int y = 0; y < 462; ++y) {
        ASSERT_EQ(shown.pixel(0, y), boxColour) << y;
        ASSERT_EQ(shown.pixel(800, y), boxColour) << y;
        if (y >= 434) {
            ASSERT_EQ(shown.pixel(100, y), boxColour) << y;
        }
        leftLit += y < 434 && shown.pixel(1, y) != boxColour;
        rightLit += y < 434 && shown.pixel(799, y) != boxColour;
    }
    EXPECT_GT(leftLit, 100);
    EXPECT_GT(rightLit, 100);

    // Shown from the menu, the box waits for its OK.
    QString shownTitle;
    Answering(
        [&shownTitle](QWidget* box) {
            auto* about = qobject_cast<CAboutDlg*>(box);
            ASSERT_NE(about, nullptr);
            shownTitle = about->windowTitle();
            about->OkButton()->click();
        },
        [] {
            CAboutDlg::ShowAbout(nullptr);
            return true;
        });
    EXPECT_EQ(shownTitle, QStringLiteral("关于 Pellmark"));

    // Without the picture: the plain layout, caption and button only.
    CAboutDlg plain(nullptr, kNoSuchPicture);
    EXPECT_FALSE(plain.HasPicture());
    EXPECT_EQ(plain.windowTitle(), QStringLiteral("关于 Pellmark"));
    EXPECT_EQ(plain.size(), QSize(352, 82));
    EXPECT_EQ(plain.OkButton()->geometry(), QRect(267, 51, 75, 21));
}
