#include "dotdata/SaveDot.h"

#include "base/FrameDialogs.h"
#include "base/MessageTexts.h"
#include "base/SaveTarget.h"
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
    return Save(dialogs, [&listing](const QString& chosen) { return WriteListing(chosen, listing); }, path);
}

COutcome CSaveDot::WriteListing(const QString& path, const QString& listing)
{
    return WriteBytes(path, CDotFile::Bytes(listing));
}

COutcome CSaveDot::WriteBytes(const QString& path, const QByteArray& bytes)
{
    if (CDotFile::Write(path, bytes))
        return COutcome::Ok();
    // Say why when the name is not a regular file's, such as a folder or a pipe.
    const QString refusal = CSaveTarget::Refusal(path);
    return COutcome::Failed(refusal.isEmpty() ? FailureMessage(path) : FailureMessage(path) + QLatin1Char('\n') + refusal);
}

QString CSaveDot::FailureMessage(const QString& path)
{
    return MessageText::English(MessageText::FileNotSaved, {QDir::toNativeSeparators(path)});
}
