#pragma once

#include <QString>

#include <optional>

// Caps, Num and Scroll Lock as the keyboard lights show them. The X server's
// keyboard state (XKB) comes first: it is right for remote and virtual
// displays, which have no LEDs of their own. Without an X display the lights
// are read from the LEDs Linux exposes under /sys/class/leds as
// "<device>::capslock" and so on. A lock that cannot be read counts as off.
class CLockIndicators
{
public:
    enum Lock { CapsLock, NumLock, ScrollLock };

    // xDisplay: an X11 Display*, or null to read the LED files only.
    explicit CLockIndicators(QString ledDirectory = QStringLiteral("/sys/class/leds"),
                             void* xDisplay = ApplicationXDisplay());

    bool IsOn(Lock lock) const;

    // The X display this program's windows are on, or null (another
    // platform, or built without XKB).
    static void* ApplicationXDisplay();

private:
    std::optional<bool> XkbState(Lock lock) const;
    bool LedState(Lock lock) const;

    QString m_szLedDirectory;
    void* m_pXDisplay;
};
