#include "dotdata/SaveDot.h"

#include "base/FrameDialogs.h"
#include "dotdata/DotFile.h"

#include <QDir>

bool CSaveDot::Save(const CFrameDialogs& dialogs, const QString& paneText, QString& path)
{
    const QString chosen = dialogs.AskSaveDotPath(path);
    if (chosen.isEmpty())
        return false;
    path = chosen;
    if (CDotFile::Write(chosen, CDotFile::Bytes(paneText)))
        return true;
    dialogs.ShowMessage(FailureMessage(chosen));
    return false;
}

QString CSaveDot::FailureMessage(const QString& path)
{
    return QStringLiteral("The file %1 could not be saved.").arg(QDir::toNativeSeparators(path));
}
