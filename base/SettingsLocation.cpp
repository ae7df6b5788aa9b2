#include "base/SettingsLocation.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

CSettingsLocation::CSettingsLocation(CanWrite canWrite)
    : m_fnCanWrite(std::move(canWrite))
{
}

QString CSettingsLocation::SettingsPath(const QString& executableFolder) const
{
    const QString beside = QDir(executableFolder).filePath(QLatin1String(kFileName));
    if (m_fnCanWrite(beside))
        return beside;
    return UserSettingsPath();
}

bool CSettingsLocation::CanWriteFile(const QString& settingsFile)
{
    const QFileInfo file(settingsFile);
    if (file.exists())
        return file.isFile() && file.isWritable();
    const QFileInfo folder(file.absolutePath());
    return folder.isDir() && folder.isWritable();
}

QString CSettingsLocation::UserSettingsPath()
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    return QDir(folder).filePath(QLatin1String(kFileName));
}

bool CSettingsLocation::MakeFolderFor(const QString& settingsFile)
{
    return QDir().mkpath(QFileInfo(settingsFile).absolutePath());
}
