#include "frame/DesktopOpener.h"

#include <QDesktopServices>
#include <QMimeDatabase>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

namespace {
constexpr int kQueryTimeoutMs = 3000;
}

bool CDesktopOpener::Open(const QString& path)
{
    const QString type = QMimeDatabase().mimeTypeForFile(path).name();
    return HasProgramFor(type) && QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

bool CDesktopOpener::HasProgramFor(const QString& mimeType)
{
    if (mimeType == QLatin1String("text/html") && !qEnvironmentVariableIsEmpty("BROWSER"))
        return true;
    const QString query = QStandardPaths::findExecutable(QStringLiteral("xdg-mime"));
    if (query.isEmpty())
        return false;
    QProcess process;
    process.start(query, {QStringLiteral("query"), QStringLiteral("default"), mimeType});
    if (!process.waitForFinished(kQueryTimeoutMs)) {
        process.kill();
        process.waitForFinished();
        return false;
    }
    return process.exitCode() == 0 && !process.readAllStandardOutput().trimmed().isEmpty();
}
