#include "base/ByteFileName.h"

#include "base/QuotedText.h"

#include <QCoreApplication>
#include <QStringDecoder>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString ProcPath(int fd)
{
    return QStringLiteral("/proc/self/fd/%1").arg(fd);
}

// The target a symbolic link chain ends at; the name itself when there is none.
QByteArray Resolved(const QByteArray& name)
{
    struct stat st {};
    if (::lstat(name.constData(), &st) != 0 || !S_ISLNK(st.st_mode))
        return name;
    char* real = ::realpath(name.constData(), nullptr);
    if (!real)
        return name; // a dangling link: the name is made as it is
    QByteArray resolved(real);
    std::free(real);
    return resolved;
}

} // namespace

CByteFileName::CByteFileName(QByteArray name)
    : m_abName(std::move(name))
{
}

CByteFileName::~CByteFileName()
{
    if (m_nFd < 0)
        return;
    if (!m_abStandIn.isEmpty())
        ::unlinkat(m_nFd, m_abStandIn.constData(), 0);
    ::close(m_nFd);
}

bool CByteFileName::IsUtf8(const QByteArray& bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = decoder.decode(bytes); // decoding happens on conversion
    return !decoder.hasError();
}

QString CByteFileName::ReadPath()
{
    if (IsUtf8(m_abName))
        return QString::fromUtf8(m_abName);
    // O_PATH opens without reading, so a FIFO does not block here; what the
    // path reaches is checked by whoever reads it.
    if (m_nFd < 0)
        m_nFd = ::open(m_abName.constData(), O_PATH | O_CLOEXEC);
    return m_nFd < 0 ? Display() : ProcPath(m_nFd);
}

QString CByteFileName::WritePath(QString& error)
{
    if (IsUtf8(m_abName))
        return QString::fromUtf8(m_abName);
    const QByteArray target = Resolved(m_abName);
    struct stat st {};
    if (::stat(target.constData(), &st) == 0 && !S_ISREG(st.st_mode)) {
        error = QStringLiteral("\"%1\" is %2 and is left as it is.")
                    .arg(CQuotedText::Quote(Display()),
                         QLatin1String(S_ISDIR(st.st_mode) ? "a folder" : "not a regular file"));
        return {};
    }
    const qsizetype slash = target.lastIndexOf('/');
    const QByteArray folder = slash < 0 ? QByteArray(".") : slash == 0 ? QByteArray("/") : target.left(slash);
    m_abLeaf = target.mid(slash + 1);
    if (m_nFd < 0)
        m_nFd = ::open(folder.constData(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    if (m_nFd < 0) {
        error = QStringLiteral("the folder of \"%1\" cannot be reached").arg(CQuotedText::Quote(Display()));
        return {};
    }
    // The stand-in keeps the target's extension, which chooses the format.
    const qsizetype dot = m_abLeaf.lastIndexOf('.');
    const QByteArray extension = dot < 0 ? QByteArray() : m_abLeaf.mid(dot);
    m_abStandIn = ".pellmark-" + QByteArray::number(QCoreApplication::applicationPid()) + "-save"
        + (IsUtf8(extension) ? extension : QByteArray());
    return ProcPath(m_nFd) + QLatin1Char('/') + QString::fromUtf8(m_abStandIn);
}

bool CByteFileName::Commit(QString& error)
{
    if (IsUtf8(m_abName))
        return true;
    if (m_nFd < 0 || m_abStandIn.isEmpty())
        return false;
    struct stat old {};
    if (::fstatat(m_nFd, m_abLeaf.constData(), &old, 0) == 0)
        ::fchmodat(m_nFd, m_abStandIn.constData(), old.st_mode & 07777, 0);
    if (::renameat(m_nFd, m_abStandIn.constData(), m_nFd, m_abLeaf.constData()) != 0) {
        error = QStringLiteral("\"%1\" could not be written").arg(CQuotedText::Quote(Display()));
        return false;
    }
    m_abStandIn.clear();
    return true;
}
