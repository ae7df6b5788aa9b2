#include "dialogs/SplashWnd.h"

#include "base/ProductTitle.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QTimerEvent>

namespace {

// Centred on the primary screen; a picture larger than the screen gets a
// negative position, its excess split on both sides.
QPoint CentredOnScreen(QSize size)
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return QPoint(0, 0);
    const QRect area = screen->geometry();
    return QPoint(area.left() + (area.width() - size.width()) / 2, area.top() + (area.height() - size.height()) / 2);
}

} // namespace

bool CSplashWnd::RunSplash(int tickMs)
{
    // Without a screen (the offscreen platform of headless runs and tests)
    // nobody could see the splash; start-up does not wait for it.
    if (tickMs <= 0 || QGuiApplication::platformName() == QLatin1String("offscreen"))
        return false;
    CSplashWnd splash(tickMs);
    if (!splash.HasPicture())
        return false;
    splash.exec();
    return true;
}

CSplashWnd::CSplashWnd(int tickMs, int pictureId, QWidget* parent)
    : QDialog(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
    , m_nTickMs(tickMs)
{
    // A window without a title would be named after the application.
    setWindowTitle(ProductTitle());
    m_picture.LoadFromResource(pictureId);
    const QSize size = m_picture.GetImageSize();
    if (size.isEmpty())
        return;
    setFixedSize(size);
    move(CentredOnScreen(size));
}

void CSplashWnd::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    m_nTicks = 0;
    m_timer.start(m_nTickMs, this);
}

void CSplashWnd::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    m_picture.Render(painter, rect());
}

void CSplashWnd::timerEvent(QTimerEvent* event)
{
    if (event->timerId() != m_timer.timerId()) {
        QDialog::timerEvent(event);
        return;
    }
    // The first tick only counts; the second closes the window.
    if (m_nTicks++ < 1)
        return;
    m_timer.stop();
    done(0);
}
