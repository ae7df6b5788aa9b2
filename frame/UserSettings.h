#pragma once

#include "base/LogFont.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

// What is kept per user through Qt's settings (never in option.ini, whose
// keys stay as they are): the four most recent files, the main window's
// geometry and the input pane's font with its size.
class CUserSettings
{
public:
    static constexpr int kRecentFileCount = 4;

    // Newest first.
    static QStringList RecentFiles();
    // Puts the file (as an absolute path) at the top of the list.
    static void AddRecentFile(const QString& path);

    static QByteArray WindowGeometry();
    static void SetWindowGeometry(const QByteArray& geometry);
    // Face and size only; nothing when none was stored or it is unusable.
    static std::optional<LogFont> InputFont();
    static void SetInputFont(const LogFont& font);
};
