#include "frame/LockIndicators.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>

#include <array>

#ifdef PELLMARK_HAVE_XKB
#include <X11/XKBlib.h>
#endif

namespace {
constexpr std::array<const char*, 3> kLedSuffixes = {"::capslock", "::numlock", "::scrolllock"};
// The indicator names of the standard XKB keymaps.
constexpr std::array<const char*, 3> kXkbNames = {"Caps Lock", "Num Lock", "Scroll Lock"};
} // namespace

CLockIndicators::CLockIndicators(QString ledDirectory, void* xDisplay)
    : m_szLedDirectory(std::move(ledDirectory))
    , m_pXDisplay(xDisplay)
{
}

void* CLockIndicators::ApplicationXDisplay()
{
#if defined(PELLMARK_HAVE_XKB) && QT_CONFIG(xcb)
    if (const auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr)
        return x11->display();
#endif
    return nullptr;
}

bool CLockIndicators::IsOn(Lock lock) const
{
    const std::optional<bool> fromServer = XkbState(lock);
    return fromServer ? *fromServer : LedState(lock);
}

std::optional<bool> CLockIndicators::XkbState(Lock lock) const
{
#ifdef PELLMARK_HAVE_XKB
    auto* display = static_cast<Display*>(m_pXDisplay);
    if (!display)
        return std::nullopt;
    // Only an existing atom: a keymap without the indicator has nothing to say.
    const Atom name = XInternAtom(display, kXkbNames[static_cast<std::size_t>(lock)], True);
    Bool on = False;
    if (name == None || !XkbGetNamedIndicator(display, name, nullptr, &on, nullptr, nullptr))
        return std::nullopt;
    return on == True;
#else
    Q_UNUSED(lock);
    return std::nullopt;
#endif
}

bool CLockIndicators::LedState(Lock lock) const
{
    const QString suffix = QString::fromLatin1(kLedSuffixes[static_cast<std::size_t>(lock)]);
    const QDir dir(m_szLedDirectory);
    // Any keyboard with the LED lit counts: the lock state is shared.
    const QStringList leds = dir.entryList({QLatin1Char('*') + suffix}, QDir::Dirs | QDir::NoDotAndDotDot | QDir::System);
    for (const QString& led : leds) {
        QFile file(dir.filePath(led + QStringLiteral("/brightness")));
        if (file.open(QIODevice::ReadOnly) && file.readAll().trimmed().toInt() > 0)
            return true;
    }
    return false;
}
