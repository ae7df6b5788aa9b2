#pragma once

#include <QString>

#include <functional>

// Where option.ini lives: beside the executable when that folder can be
// written, as for a program run where it was built; otherwise, as for a
// program installed in a system folder, in the user's configuration folder
// (QStandardPaths::AppConfigLocation), so that the settings still persist.
class CSettingsLocation
{
public:
    static constexpr const char* kFileName = "option.ini";

    // Whether the settings file at this path could be written.
    using CanWrite = std::function<bool(const QString& settingsFile)>;

    explicit CSettingsLocation(CanWrite canWrite = &CanWriteFile);

    // The settings file for a program whose executable is in this folder.
    QString SettingsPath(const QString& executableFolder) const;

    // The file itself when it exists, else the folder it would be made in.
    static bool CanWriteFile(const QString& settingsFile);
    static QString UserSettingsPath();
    // Makes the folder of a settings file about to be written; false when
    // it cannot be made.
    static bool MakeFolderFor(const QString& settingsFile);

private:
    CanWrite m_fnCanWrite;
};
