#include "app/TessikDoc.h"

#include "frame/UserSettings.h"

#include <QFileInfo>

void CTessikDoc::SetPathName(const QString& path)
{
    m_szPathName = QFileInfo(path).absoluteFilePath();
    CUserSettings::AddRecentFile(m_szPathName);
}

QStringList CTessikDoc::RecentFiles()
{
    return CUserSettings::RecentFiles();
}
