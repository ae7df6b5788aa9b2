// File names on the command line that are not UTF-8 open and save under
// exactly their bytes.
#include "TestSupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>

#include <gtest/gtest.h>

#include <dirent.h>
#include <algorithm>
#include <fstream>
#include <iterator>
#include <sys/stat.h>

namespace {

// Runs a shell script in folder with $P the program and $N the bytes "caf\xE9".
int RunScript(const QString& folder, const QString& script)
{
    QProcess shell;
    shell.setWorkingDirectory(folder);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("P"), QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("pellmark")));
    env.remove(QStringLiteral("DISPLAY"));
    shell.setProcessEnvironment(env);
    shell.start(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), QStringLiteral("N=$(printf 'caf\\351'); ") + script});
    shell.waitForFinished(60000);
    return shell.exitCode();
}

std::string Bytes(const QString& folder, const char* name)
{
    std::ifstream in(QFile::encodeName(folder).toStdString() + "/" + name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

QList<QByteArray> Entries(const QString& folder)
{
    QList<QByteArray> names;
    DIR* dir = ::opendir(QFile::encodeName(folder).constData());
    for (dirent* e = dir ? ::readdir(dir) : nullptr; e; e = ::readdir(dir)) {
        if (qstrcmp(e->d_name, ".") != 0 && qstrcmp(e->d_name, "..") != 0)
            names << QByteArray(e->d_name);
    }
    if (dir)
        ::closedir(dir);
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace

TEST(BatchByteNames, NamesThatAreNotUtf8OpenAndSaveUnderTheirBytes)
{
    CScratchDir dir;
    const QString folder = dir.Path();
    ASSERT_EQ(RunScript(folder, QStringLiteral("\"$P\" --new 16x8:image --dot-color red --set-dot 0,0 --save-image \"$N.bmp\" "
                                               "--save-dots \"$N.txt\" && \"$P\" --open \"$N.bmp\" --save-dots \"$N-2.txt\"")),
              0);
    EXPECT_EQ(Entries(folder), (QList<QByteArray>{"caf\xE9-2.txt", "caf\xE9.bmp", "caf\xE9.txt"}));
    EXPECT_EQ(Bytes(folder, "caf\xE9.txt"), "1-1-1-R\r\n\r\n");
    EXPECT_EQ(Bytes(folder, "caf\xE9-2.txt"), "1-1-1-R\r\n\r\n");
    EXPECT_EQ(Bytes(folder, "caf\xE9.bmp").substr(0, 2), "BM");

    // Through a symbolic link: the file it points to is replaced, in its mode.
    WriteAll(dir.FilePath(QStringLiteral("real.txt")), "old");
    QFile::setPermissions(dir.FilePath(QStringLiteral("real.txt")), QFile::ReadOwner | QFile::WriteOwner);
    ASSERT_EQ(RunScript(folder, QStringLiteral("ln -s real.txt \"$N.lnk\" && \"$P\" --new 8x8:image --dot-color red --set-dot 1,0 "
                                               "--save-dots \"$N.lnk\"")),
              0);
    EXPECT_EQ(Bytes(folder, "real.txt"), "1-1-2-R\r\n\r\n");
    struct stat st {};
    ASSERT_EQ(::lstat(QFile::encodeName(folder + QStringLiteral("/real.txt")).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
    ASSERT_EQ(::lstat((QFile::encodeName(folder) + "/caf\xE9.lnk").constData(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode));

    // What is not a regular file is left alone, and no stand-in stays behind.
    EXPECT_EQ(RunScript(folder, QStringLiteral("mkfifo \"$N.fifo\" && \"$P\" --new 8x8:image --set-dot 0,0 --save-dots \"$N.fifo\"")), 2);
    ASSERT_EQ(::lstat((QFile::encodeName(folder) + "/caf\xE9.fifo").constData(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));
    EXPECT_EQ(Entries(folder).size(), 6);
}

// A name that is not UTF-8 and reaches no file fails its option, and the
// run stops there.
TEST(BatchByteNames, AMissingFileUnderSuchANameStopsTheRun)
{
    CScratchDir dir;
    const QString folder = dir.Path();
    EXPECT_EQ(RunScript(folder, QStringLiteral("\"$P\" --open \"$N.bmp\" --new 8x8:image --save-dots after.txt")), 2);
    EXPECT_EQ(Entries(folder), QList<QByteArray>{});
    EXPECT_EQ(RunScript(folder, QStringLiteral("\"$P\" --new 8x8:image --load-dots \"$N.txt\" --save-dots after.txt")), 2);
    EXPECT_EQ(Entries(folder), QList<QByteArray>{});
}

// Exports, printouts and the files read back from them go by the same bytes;
// an export read back is known as one by the name it was given.
TEST(BatchByteNames, ExportsPrintoutsAndWhatIsReadBackUseTheBytes)
{
    CScratchDir dir;
    const QString folder = dir.Path();
    ASSERT_EQ(RunScript(folder, QStringLiteral("\"$P\" --new 16x8:image --dot-color red --set-dot 0,0 --export \"$N.bin\" "
                                               "--print-pdf \"$N.pdf\" --save-dots \"$N.txt\" && "
                                               "\"$P\" --new 16x8:image --dot-color red --load-export \"$N.bin\" --save-dots a.txt && "
                                               "\"$P\" --new 16x8:image --load-dots \"$N.txt\" --save-dots b.txt")),
              0);
    EXPECT_EQ(Entries(folder), (QList<QByteArray>{"a.txt", "b.txt", "caf\xE9.bin", "caf\xE9.pdf", "caf\xE9.txt"}));
    EXPECT_EQ(Bytes(folder, "caf\xE9.bin"), std::string("\x80", 1) + std::string(15, '\0'));
    EXPECT_EQ(Bytes(folder, "caf\xE9.pdf").substr(0, 4), "%PDF");
    EXPECT_EQ(Bytes(folder, "a.txt"), "1-1-1-R\r\n\r\n");
    EXPECT_EQ(Bytes(folder, "b.txt"), "1-1-1-R\r\n\r\n");

    // What cannot be read back is named as the user named it.
    ASSERT_TRUE(WriteAll(folder + QStringLiteral("/short.bin"), "x"));
    EXPECT_EQ(RunScript(folder, QStringLiteral("mv short.bin \"$N.bin\" && \"$P\" --new 16x8:image --load-export \"$N.bin\" "
                                               "2> err.txt")),
              2);
    EXPECT_EQ(Bytes(folder, "err.txt"), "--load-export: '" + std::string("caf\xEF\xBF\xBD") + ".bin' holds 1 bytes; a 16 x 8 "
                                        "canvas takes 16 with these options.\n");
}

// A project and an animation are saved under the bytes too, and a project
// opens again from them.
TEST(BatchByteNames, ProjectsAndAnimationsSaveUnderTheBytes)
{
    CScratchDir dir;
    const QString folder = dir.Path();
    ASSERT_EQ(RunScript(folder, QStringLiteral("\"$P\" --new 16x8:image --dot-color red --set-dot 0,0 --save-project \"$N.png\" "
                                               "--save-gif \"$N.gif\" && \"$P\" --open \"$N.png\" --save-dots a.txt")),
              0);
    EXPECT_EQ(Entries(folder), (QList<QByteArray>{"a.txt", "caf\xE9.gif", "caf\xE9.png"}));
    EXPECT_EQ(Bytes(folder, "caf\xE9.gif").substr(0, 6), "GIF89a");
    EXPECT_EQ(Bytes(folder, "a.txt"), "1-1-1-R\r\n\r\n");
}
