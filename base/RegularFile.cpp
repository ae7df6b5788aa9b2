#include "base/RegularFile.h"

#include "base/MessageTexts.h"
#include "base/QuotedText.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

CRegularFile::Status CRegularFile::Open(const QString& path, qint64 maxBytes, QFile& file)
{
    if (path.isEmpty())
        return CannotOpen;
    // Non-blocking, so that opening a FIFO without a writer returns at once;
    // the descriptor's own type is checked, so nothing can be swapped in
    // between the check and the open.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        return CannotOpen;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return NotRegular;
    }
    if (st.st_size > maxBytes) {
        ::close(fd);
        return TooLarge;
    }
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags >= 0)
        ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return CannotOpen;
    }
    return Ok;
}

CRegularFile::Status CRegularFile::ReadAll(const QString& path, qint64 maxBytes, QByteArray& bytes)
{
    bytes.clear();
    QFile file;
    const Status status = Open(path, maxBytes, file);
    if (status != Ok)
        return status;
    // The file may grow after the check; never read more than the cap.
    bytes = file.read(maxBytes + 1);
    if (bytes.size() > maxBytes) {
        bytes.clear();
        return TooLarge;
    }
    if (file.error() != QFileDevice::NoError) {
        bytes.clear();
        return ReadFailed;
    }
    return Ok;
}

QString CRegularFile::Describe(Status status, const QString& path, qint64 maxBytes)
{
    const QString name = CQuotedText::Quote(path);
    switch (status) {
    case Ok:
        return {};
    case CannotOpen:
        return MessageText::English(MessageText::CannotOpen, {name});
    case NotRegular:
        return MessageText::English(MessageText::NotRegularFile, {name});
    case TooLarge:
        return MessageText::English(MessageText::FileTooLarge, {name, QString::number(maxBytes)});
    case ReadFailed:
        return MessageText::English(MessageText::CannotRead, {name});
    }
    return {};
}
