#include "dotdata/SaveDot.h"

#include "base/FrameDialogs.h"
#include "dotdata/DotFile.h"

#include <QDir>

bool CSaveDot::Save(const CFrameDialogs& dialogs, const Writer& write, QString& path)
{
    const QString chosen = dialogs.AskSaveDotPath(path);
    if (chosen.isEmpty())
        return false;
    path = chosen;
    const COutcome written = write(chosen);
    if (!written)
        dialogs.ShowMessage(written.Message());
    return written.IsOk();
}

bool CSaveDot::Save(const CFrameDialogs& dialogs, const QString& listing, QString& path)
{
    const auto write = [&listing](const QString& chosen) {
        return CDotFile::Write(chosen, CDotFile::Bytes(listing)) ? COutcome::Ok()
                                                                 : COutcome::Failed(FailureMessage(chosen));
    };
    return Save(dialogs, write, path);
}

QString CSaveDot::FailureMessage(const QString& path)
{
    return QStringLiteral("The file %1 could not be saved.").arg(QDir::toNativeSeparators(path));
}
