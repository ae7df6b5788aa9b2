#include "base/ByteFileName.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <filesystem>
#include <iterator>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A file made under a byte name, as a shell would make it.
bool MakeFile(const QByteArray& name, const QByteArray& content, mode_t mode = 0644)
{
    const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_TRUNC, mode);
    if (fd < 0)
        return false;
    const bool written = ::write(fd, content.constData(), static_cast<size_t>(content.size())) == content.size();
    ::close(fd);
    return written && ::chmod(name.constData(), mode) == 0;
}

QByteArray ContentOf(const QByteArray& name)
{
    const int fd = ::open(name.constData(), O_RDONLY);
    if (fd < 0)
        return "(missing)";
    QByteArray content(4096, '\0');
    const ssize_t n = ::read(fd, content.data(), static_cast<size_t>(content.size()));
    ::close(fd);
    content.truncate(n < 0 ? 0 : static_cast<int>(n));
    return content;
}

bool WriteTo(const QString& path, const QByteArray& content)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
}

// A scratch folder whose files have names Qt cannot spell: it is emptied
// byte-wise before QTemporaryDir removes it.
class CByteDir
{
public:
    CByteDir() = default;
    CByteDir(const CByteDir&) = delete;
    CByteDir& operator=(const CByteDir&) = delete;
    ~CByteDir()
    {
        std::error_code ignored;
        for (const auto& entry : std::filesystem::directory_iterator(m_dir.path().toStdString(), ignored))
            std::filesystem::remove_all(entry.path(), ignored);
    }
    bool IsValid() const { return m_dir.isValid(); }
    QByteArray In(const QByteArray& leaf) const { return QFile::encodeName(m_dir.path()) + '/' + leaf; }
    int Entries() const
    {
        std::error_code ignored;
        const auto it = std::filesystem::directory_iterator(m_dir.path().toStdString(), ignored);
        return static_cast<int>(std::distance(it, std::filesystem::directory_iterator()));
    }

private:
    QTemporaryDir m_dir;
};

} // namespace

// A name that is not UTF-8 is written as a stand-in in its folder, reached
// through a descriptor: at the root, in the current folder and in another.
// Nothing is written until Commit.
TEST(ByteFileName, TheStandInIsMadeInTheTargetsFolder)
{
    const struct
    {
        QByteArray name;
        QString folder;
    } cases[] = {
        {QByteArray("/\xff-sign.txt"), QStringLiteral("/")},
        {QByteArray("\xff-sign.txt"), QDir::currentPath()},
        {QByteArray("/tmp/\xff-sign.txt"), QStringLiteral("/tmp")},
    };
    for (const auto& c : cases) {
        CByteFileName name(c.name);
        QString error;
        const QString path = name.WritePath(error);
        ASSERT_TRUE(error.isEmpty()) << error.toStdString();
        ASSERT_TRUE(path.startsWith(QStringLiteral("/proc/self/fd/"))) << path.toStdString();
        EXPECT_EQ(QFileInfo(QFileInfo(path).path()).symLinkTarget(), c.folder) << c.folder.toStdString();
        EXPECT_FALSE(QFileInfo::exists(path));
    }
}

// Valid UTF-8, Chinese included, is used as it is for reading and writing,
// and Commit has nothing to do; a cut or stray byte is not UTF-8.
TEST(ByteFileName, Utf8NamesAreUsedAsTheyAre)
{
    EXPECT_TRUE(CByteFileName::IsUtf8(QByteArray("sign.txt")));
    EXPECT_TRUE(CByteFileName::IsUtf8(QByteArray("\xe5\x9b\xbe.png")));
    EXPECT_TRUE(CByteFileName::IsUtf8(QByteArray()));
    EXPECT_FALSE(CByteFileName::IsUtf8(QByteArray("\xe5\x9b.png")));
    EXPECT_FALSE(CByteFileName::IsUtf8(QByteArray("a\xff")));

    const CByteDir dir;
    ASSERT_TRUE(dir.IsValid());
    const QByteArray bytes = dir.In("\xe5\x9b\xbe.txt");
    CByteFileName name(bytes);
    EXPECT_EQ(name.ReadPath(), QString::fromUtf8(bytes));
    QString error;
    EXPECT_EQ(name.WritePath(error), QString::fromUtf8(bytes));
    EXPECT_TRUE(error.isEmpty());
    EXPECT_TRUE(name.Commit(error));
    EXPECT_TRUE(error.isEmpty());
    EXPECT_TRUE(dir.Entries() == 0);
}

// Reading reaches the file itself through a held descriptor, as long as the
// object lives; a name that opens nothing comes back as the shown name.
TEST(ByteFileName, ReadingReachesTheFileThroughItsDescriptor)
{
    const CByteDir dir;
    ASSERT_TRUE(dir.IsValid());
    const QByteArray bytes = dir.In("\xff-dots.txt");
    ASSERT_TRUE(MakeFile(bytes, "dots"));
    QString path;
    {
        CByteFileName name(bytes);
        path = name.ReadPath();
        ASSERT_TRUE(path.startsWith(QStringLiteral("/proc/self/fd/"))) << path.toStdString();
        EXPECT_EQ(name.ReadPath(), path) << "the file is opened once";
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_EQ(file.readAll(), QByteArray("dots"));
        EXPECT_EQ(name.Display(), QString::fromUtf8(bytes));
        EXPECT_TRUE(name.Display().contains(QChar(0xFFFD)));
    }
    EXPECT_FALSE(QFileInfo::exists(path)) << "the descriptor is closed with the object";

    CByteFileName missing(dir.In("\xff-none.txt"));
    EXPECT_EQ(missing.ReadPath(), missing.Display());
}

// Commit renames the stand-in onto the target, in the target's old mode; an
// uncommitted stand-in is removed with the object. The stand-in keeps the
// target's extension when that is UTF-8.
TEST(ByteFileName, CommitPutsTheWrittenFileInPlace)
{
    const CByteDir dir;
    ASSERT_TRUE(dir.IsValid());
    const QByteArray target = dir.In("\xff-sign.png");
    ASSERT_TRUE(MakeFile(target, "old", 0600));
    {
        CByteFileName name(target);
        QString error;
        const QString path = name.WritePath(error);
        ASSERT_TRUE(error.isEmpty());
        EXPECT_TRUE(path.endsWith(QStringLiteral("/.pellmark-%1-save.png").arg(QCoreApplication::applicationPid())))
            << path.toStdString();
        ASSERT_TRUE(WriteTo(path, "new"));
        EXPECT_EQ(ContentOf(target), QByteArray("old")) << "nothing replaced before Commit";
        ASSERT_TRUE(name.Commit(error)) << error.toStdString();
        EXPECT_TRUE(error.isEmpty());
        // Committed once: a second Commit has no stand-in left and says nothing.
        EXPECT_FALSE(name.Commit(error));
        EXPECT_TRUE(error.isEmpty()) << error.toStdString();
    }
    EXPECT_EQ(ContentOf(target), QByteArray("new"));
    struct stat st {};
    ASSERT_EQ(::stat(target.constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0600u);
    EXPECT_EQ(dir.Entries(), 1);

    // Written but never committed: the stand-in goes, the target stays.
    {
        CByteFileName name(target);
        QString error;
        ASSERT_TRUE(WriteTo(name.WritePath(error), "lost"));
        EXPECT_EQ(dir.Entries(), 2);
    }
    EXPECT_EQ(dir.Entries(), 1);
    EXPECT_EQ(ContentOf(target), QByteArray("new"));

    // No extension, or one that is not UTF-8: the stand-in has none.
    for (const QByteArray& leaf : {QByteArray("\xff-sign"), QByteArray("sign.\xff")}) {
        CByteFileName name(dir.In(leaf));
        QString error;
        EXPECT_TRUE(name.WritePath(error).endsWith(QStringLiteral("-save"))) << leaf.toHex().toStdString();
    }
}

// What cannot be replaced is named in the error: a folder, a FIFO, a folder
// that does not exist, a Commit with nothing written or before WritePath.
TEST(ByteFileName, TargetsThatCannotBeWrittenSayWhy)
{
    const CByteDir dir;
    ASSERT_TRUE(dir.IsValid());
    const QByteArray folder = dir.In("\xff-folder");
    ASSERT_EQ(::mkdir(folder.constData(), 0755), 0);
    const QByteArray fifo = dir.In("\xff-fifo");
    ASSERT_EQ(::mkfifo(fifo.constData(), 0644), 0);
    const struct
    {
        QByteArray name;
        const char* says;
    } refused[] = {
        {folder, "is a folder and is left as it is."},
        {fifo, "is not a regular file and is left as it is."},
        {dir.In("\xff-missing/sign.txt"), "cannot be reached"},
    };
    for (const auto& r : refused) {
        CByteFileName name(r.name);
        QString error;
        EXPECT_TRUE(name.WritePath(error).isEmpty()) << r.says;
        EXPECT_TRUE(error.contains(QLatin1String(r.says))) << error.toStdString();
        EXPECT_TRUE(error.contains(QStringLiteral("-folder")) || error.contains(QStringLiteral("-fifo"))
                    || error.contains(QStringLiteral("sign.txt")))
            << error.toStdString();
    }
    struct stat st {};
    ASSERT_EQ(::stat(folder.constData(), &st), 0);
    EXPECT_TRUE(S_ISDIR(st.st_mode));

    CByteFileName early(dir.In("\xff-early.txt"));
    QString error;
    EXPECT_FALSE(early.Commit(error));
    EXPECT_TRUE(error.isEmpty());
    CByteFileName unwritten(dir.In("\xff-unwritten.txt"));
    ASSERT_FALSE(unwritten.WritePath(error).isEmpty());
    EXPECT_FALSE(unwritten.Commit(error));
    EXPECT_TRUE(error.contains(QStringLiteral("could not be written"))) << error.toStdString();
}

// A symbolic link is followed to the file it names, which is replaced while
// the link stays; a dangling link is replaced by the file itself.
TEST(ByteFileName, LinksAreFollowedToTheirFile)
{
    const CByteDir dir;
    ASSERT_TRUE(dir.IsValid());
    ASSERT_EQ(::mkdir(dir.In("real").constData(), 0755), 0);
    const QByteArray real = dir.In("real/sign.txt");
    ASSERT_TRUE(MakeFile(real, "old"));
    const QByteArray link = dir.In("\xff-link.txt");
    ASSERT_EQ(::symlink(real.constData(), link.constData()), 0);
    const QByteArray dangling = dir.In("\xff-dangling.txt");
    ASSERT_EQ(::symlink(dir.In("nowhere.txt").constData(), dangling.constData()), 0);

    for (const QByteArray& name : {link, dangling}) {
        CByteFileName file(name);
        QString error;
        const QString path = file.WritePath(error);
        ASSERT_FALSE(path.isEmpty()) << error.toStdString();
        ASSERT_TRUE(WriteTo(path, "new"));
        ASSERT_TRUE(file.Commit(error)) << error.toStdString();
    }
    struct stat st {};
    ASSERT_EQ(::lstat(link.constData(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode));
    EXPECT_EQ(ContentOf(real), QByteArray("new"));
    ASSERT_EQ(::lstat(dangling.constData(), &st), 0);
    EXPECT_TRUE(S_ISREG(st.st_mode));
    EXPECT_EQ(ContentOf(dangling), QByteArray("new"));
    EXPECT_NE(::access(dir.In("nowhere.txt").constData(), F_OK), 0);
}
