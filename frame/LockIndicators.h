#pragma once

#include <QString>

// Caps, Num and Scroll Lock as the keyboard LEDs show them. Linux exposes
// the LEDs under /sys/class/leds as "<device>::capslock" and so on; a lock
// whose LED cannot be read counts as off.
class CLockIndicators
{
public:
    enum Lock { CapsLock, NumLock, ScrollLock };

    explicit CLockIndicators(QString ledDirectory = QStringLiteral("/sys/class/leds"));

    bool IsOn(Lock lock) const;

private:
    QString m_szLedDirectory;
};
