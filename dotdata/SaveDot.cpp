#include "dotdata/SaveDot.h"

#include "base/FrameDialogs.h"
#include "base/SaveTarget.h"
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
    const QString refusal = CSaveTarget::Refusal(chosen);
    dialogs.ShowMessage(refusal.isEmpty() ? FailureMessage(chosen) : FailureMessage(chosen) + QLatin1Char('\n') + refusal);
    return false;
}

QString CSaveDot::FailureMessage(const QString& path)
{
    return QStringLiteral("The file %1 could not be saved.").arg(QDir::toNativeSeparators(path));
}
