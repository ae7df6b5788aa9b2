#include "frame/LockIndicators.h"

#include <QDir>
#include <QFile>

#include <array>

namespace {
constexpr std::array<const char*, 3> kLedSuffixes = {"::capslock", "::numlock", "::scrolllock"};
}

CLockIndicators::CLockIndicators(QString ledDirectory)
    : m_szLedDirectory(std::move(ledDirectory))
{
}

bool CLockIndicators::IsOn(Lock lock) const
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
