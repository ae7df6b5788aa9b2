#include "dotdata/DotFile.h"

#include "base/SaveTarget.h"

#include <QSaveFile>

QByteArray CDotFile::Bytes(const QString& paneText)
{
    QString text = paneText;
    text.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    return text.toUtf8();
}

bool CDotFile::Write(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    return Write(file, bytes);
}

bool CDotFile::Write(QSaveFile& file, const QByteArray& bytes)
{
    if (!CSaveTarget::Refusal(file.fileName()).isEmpty() || !file.open(QIODevice::WriteOnly))
        return false;
    const bool written = file.write(bytes) == bytes.size() && file.flush();
    if (!written) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}
