#pragma once

#include "dialogs/LoadedPicture.h"

#include <QBasicTimer>
#include <QDialog>

// The start-up picture: a frameless, topmost window of the picture's size,
// centred on the screen, that closes itself on the second tick of its timer
// (about two seconds with the standard one-second tick).
class CSplashWnd : public QDialog
{
    Q_OBJECT

public:
    static constexpr int kTickMs = 1000;

    // Shows the splash modally and returns when it has closed. Does nothing,
    // returning false, when the picture cannot be loaded, on the offscreen
    // platform, or when tickMs <= 0 (callers that want no splash pass 0).
    static bool RunSplash(int tickMs = kTickMs);

    explicit CSplashWnd(int tickMs = kTickMs, int pictureId = CLoadedPicture::kSplashPictureId,
                        QWidget* parent = nullptr);

    bool HasPicture() const { return m_picture.IsLoaded(); }
    int TicksSeen() const { return m_nTicks; }

protected:
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void timerEvent(QTimerEvent* event) override;

private:
    CLoadedPicture m_picture;
    QBasicTimer m_timer;
    int m_nTickMs;
    int m_nTicks = 0;
};
