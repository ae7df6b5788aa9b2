#include "base/SaveTarget.h"

#include "base/MessageTexts.h"
#include "base/QuotedText.h"

#include <QFile>

#include <sys/stat.h>

QString CSaveTarget::Refusal(const QString& path)
{
    struct stat st {};
    // stat follows symbolic links; a dangling link names a file yet to be made.
    if (::stat(QFile::encodeName(path).constData(), &st) != 0 || S_ISREG(st.st_mode))
        return {};
    const STriText& what = S_ISDIR(st.st_mode) ? MessageText::FolderLeftAlone : MessageText::SpecialFileLeftAlone;
    return MessageText::English(what, {CQuotedText::Quote(path)});
}
