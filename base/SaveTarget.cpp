#include "base/SaveTarget.h"

#include "base/QuotedText.h"

#include <QFile>

#include <sys/stat.h>

QString CSaveTarget::Refusal(const QString& path)
{
    struct stat st {};
    // stat follows symbolic links; a dangling link names a file yet to be made.
    if (::stat(QFile::encodeName(path).constData(), &st) != 0 || S_ISREG(st.st_mode))
        return {};
    const char* what = S_ISDIR(st.st_mode) ? "a folder" : "not a regular file";
    return QStringLiteral("\"%1\" is %2 and is left as it is.").arg(CQuotedText::Quote(path), QLatin1String(what));
}
