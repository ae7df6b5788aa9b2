#pragma once

#include <QString>
#include <QStringList>

// The document holds nothing but the path named on the command line; naming a
// file only enters it in the recent-file list.
class CTessikDoc
{
public:
    const QString& PathName() const { return m_szPathName; }
    void SetPathName(const QString& path);

    // The recent-file list kept in the per-user settings, newest first.
    static QStringList RecentFiles();

private:
    QString m_szPathName;
};
