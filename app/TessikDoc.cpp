#include "app/TessikDoc.h"

#include <QFileInfo>
#include <QSettings>

namespace {
const QString kProfileRoot = QStringLiteral("Local AppWizard-Generated Applications");
const QString kAppName = QStringLiteral("Tessik");
const QString kRecentGroup = QStringLiteral("Recent File List");

QString EntryKey(int i)
{
    return QStringLiteral("File%1").arg(i + 1);
}
}

void CTessikDoc::SetPathName(const QString& path)
{
    m_szPathName = QFileInfo(path).absoluteFilePath();
    QStringList recent = RecentFiles();
    recent.removeAll(m_szPathName);
    recent.prepend(m_szPathName);
    while (recent.size() > kRecentFileCount)
        recent.removeLast();

    QSettings settings(kProfileRoot, kAppName);
    settings.beginGroup(kRecentGroup);
    settings.remove(QString());
    for (int i = 0; i < recent.size(); ++i)
        settings.setValue(EntryKey(i), recent.at(i));
}

QStringList CTessikDoc::RecentFiles()
{
    QSettings settings(kProfileRoot, kAppName);
    settings.beginGroup(kRecentGroup);
    QStringList recent;
    for (int i = 0; i < kRecentFileCount; ++i) {
        const QString path = settings.value(EntryKey(i)).toString();
        if (!path.isEmpty())
            recent << path;
    }
    return recent;
}
