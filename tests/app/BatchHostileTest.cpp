// Batch runs on special files and failed saves: a clear message and exit 2,
// never a hang.
#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>


TEST(BatchHostile, SpecialFilesAreRefusedAtOnce)
{
    CScratchDir dir;
    const QString fifo = dir.FilePath("fifo");
    ASSERT_TRUE(MakeFifo(fifo));
    const QString zero = dir.FilePath("zero.txt");
    ASSERT_TRUE(QFile::link("/dev/zero", zero));
    for (const QString& path : {fifo, zero}) {
        SProcessResult r = RunPellmark({"--new", "16x16:image", "--load-dots", path});
        EXPECT_EQ(r.exitCode, 2);
        EXPECT_TRUE(r.err.startsWith("--load-dots: '")) << r.err.toStdString();
        EXPECT_TRUE(r.err.contains("is not a regular file")) << r.err.toStdString();
        r = RunPellmark({"--open", path});
        EXPECT_EQ(r.exitCode, 2);
        EXPECT_TRUE(r.err.startsWith("--open: cannot read the picture")) << r.err.toStdString();
    }
}

// A listing needs a canvas to be drawn on: without --new or --open first it is refused.
TEST(BatchHostile, AListingWithoutACanvasIsRefused)
{
    CScratchDir dir;
    const QString dots = dir.FilePath("dots.txt");
    ASSERT_TRUE(WriteAll(dots, "1-1-1-R\r\n"));
    const SProcessResult r = RunPellmark({"--load-dots", dots});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(r.err.toStdString(), "--load-dots: the canvas is empty; make one with --new or --open first\n");
}

TEST(BatchHostile, ListingsLargerThanAFullCanvasAreRefused)
{
    CScratchDir dir;
    const QString big = dir.FilePath("big.txt");
    // 12288 lines of 836 bytes is the largest listing; one byte more is refused.
    ASSERT_TRUE(WriteAll(big, QByteArray(12288 * 836 + 1, '\n')));
    const SProcessResult r = RunPellmark({"--new", "16x16:image", "--load-dots", big});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_TRUE(r.err.contains("is larger than 10272768 bytes")) << r.err.toStdString();
}

TEST(BatchHostile, JunkLineIsQuotedShortAndEscaped)
{
    CScratchDir dir;
    const QString junk = dir.FilePath("junk.txt");
    ASSERT_TRUE(WriteAll(junk, "1-1-1-R, " + QByteArray("x\r\0", 3).repeated(1000)));
    const SProcessResult r = RunPellmark({"--new", "16x16:image", "--load-dots", junk});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_LT(r.err.size(), 300) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains("line 1: 'x\\r\\0x\\r\\0")) << r.err.toStdString();
    EXPECT_EQ(r.err.count('\n'), 1);
    EXPECT_FALSE(r.err.contains('\0'));
    EXPECT_FALSE(r.err.contains('\r'));
}

TEST(BatchHostile, FailedImageSaveKeepsItsReason)
{
    CScratchDir dir;
    const QString target = dir.FilePath("missing/out.bmp");
    const SProcessResult r = RunPellmark({"--new", "16x16:image", "--save-image", target});
    EXPECT_EQ(r.exitCode, 2);
    const QString err = QString::fromUtf8(r.err).trimmed();
    EXPECT_EQ(r.err.count('\n'), 1) << r.err.toStdString();
    const QString prefix = QStringLiteral("--save-image: The picture could not be saved as \"%1\": ").arg(target);
    ASSERT_TRUE(err.startsWith(prefix)) << r.err.toStdString();
    EXPECT_GT(err.size(), prefix.size()); // the reason follows
}

TEST(BatchHostile, SavesLeaveWhatIsNotARegularFileAlone)
{
    CScratchDir dir;
    const QString fifo = dir.FilePath("fifo");
    ASSERT_TRUE(MakeFifo(fifo));
    const QString linkToFifo = dir.FilePath("link-to-fifo");
    ASSERT_TRUE(QFile::link(fifo, linkToFifo));
    const QString folder = dir.FilePath("folder.bmp");
    ASSERT_TRUE(QDir().mkpath(folder));
    const char* options[] = {"--save-dots", "--save-image", "--print-pdf"};
    for (const char* option : options) {
        for (const QString& target : {fifo, linkToFifo, folder}) {
            const SProcessResult r = RunPellmark({"--new", "16x16:image", "--set-dot", "1,1", option, target});
            EXPECT_EQ(r.exitCode, 2) << option << " " << target.toStdString();
            EXPECT_EQ(r.err.count('\n'), 1) << r.err.toStdString();
            EXPECT_TRUE(r.err.startsWith(QByteArray(option) + ": ")) << r.err.toStdString();
        }
        EXPECT_EQ(QFileInfo(fifo).isFile(), false);
        EXPECT_TRUE(QFileInfo(linkToFifo).isSymLink());
        EXPECT_TRUE(QFileInfo(folder).isDir());
    }
    EXPECT_EQ(QDir(dir.Path()).entryList(QDir::Files | QDir::System | QDir::Dirs | QDir::NoDotAndDotDot).size(), 3);
}

TEST(BatchHostile, ALinkToAFileSavesIntoThatFileKeepingItsMode)
{
    CScratchDir dir;
    const char* cases[][2] = {{"--save-dots", "dots.txt"}, {"--save-image", "dots.bmp"}, {"--print-pdf", "dots.pdf"}};
    for (const auto& k : cases) {
        const QString file = dir.FilePath(k[1]);
        const QString link = dir.FilePath(QStringLiteral("link-") + k[1]);
        ASSERT_TRUE(WriteAll(file, "old"));
        const QFileDevice::Permissions mode = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup;
        ASSERT_TRUE(QFile::setPermissions(file, mode));
        ASSERT_TRUE(QFile::link(file, link));
        const SProcessResult r = RunPellmark({"--new", "16x16:image", "--set-dot", "1,1", k[0], link});
        EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
        EXPECT_TRUE(QFileInfo(link).isSymLink()) << k[0];
        EXPECT_NE(ReadAll(file), QByteArray("old")) << k[0];
        EXPECT_EQ(QFile::permissions(file) & QFileDevice::Permissions(0x7077), mode) << k[0]; // owner, group, other
    }
}

// Options that read or write the canvas need one: without --new or --open
// first they stop the run at once and write nothing.
TEST(BatchHostile, OptionsThatNeedACanvasRefuseToRunWithoutOne)
{
    CScratchDir dir;
    const QString bin = dir.FilePath("in.bin");
    ASSERT_TRUE(WriteAll(bin, QByteArray(16, '\0')));
    const struct
    {
        QStringList args;
        const char* error;
    } cases[] = {
        {{"--save-image", dir.FilePath("a.bmp")}, "--save-image: the canvas is empty\n"},
        {{"--save-dots", dir.FilePath("a.txt")}, "--save-dots: the canvas is empty\n"},
        {{"--print-pdf", dir.FilePath("a.pdf")}, "--print-pdf: the canvas is empty\n"},
        {{"--export", dir.FilePath("a.bin")}, "--export: the canvas is empty\n"},
        {{"--save-gif", dir.FilePath("a.gif")}, "--save-gif: the canvas is empty\n"},
        {{"--save-frames", dir.FilePath("a.png")}, "--save-frames: the canvas is empty\n"},
        {{"--resize", "16x16"}, "--resize: the canvas is empty\n"},
        {{"--load-export", bin}, "--load-export: the canvas is empty; make one with --new or --open first\n"},
    };
    for (const auto& c : cases) {
        const SProcessResult r = RunPellmark(c.args);
        EXPECT_EQ(r.exitCode, 2) << c.error;
        EXPECT_EQ(r.err.toStdString(), c.error);
    }
    EXPECT_EQ(QDir(dir.Path()).entryList(QDir::Files), QStringList{"in.bin"});

    // A listing that cannot be read says so first, canvas or not.
    const SProcessResult r = RunPellmark({"--load-dots", dir.FilePath("missing.txt")});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_TRUE(r.err.startsWith("--load-dots: cannot open '")) << r.err.toStdString();
}

// A folder is never a file to write: each writing option says so by name.
TEST(BatchHostile, AFolderAsTheFileToWriteIsNamedAsOne)
{
    CScratchDir dir;
    const QString folder = dir.FilePath("out.png");
    ASSERT_TRUE(QDir().mkpath(folder));
    for (const char* option : {"--save-dots", "--print-pdf", "--export", "--save-gif", "--save-frames", "--save-project"}) {
        const SProcessResult r = RunPellmark({"--new", "16x8:image", "--set-dot", "1,1", option, folder});
        EXPECT_EQ(r.exitCode, 2) << option;
        EXPECT_EQ(r.err.toStdString(), QStringLiteral("%1: '%2' is a folder\n").arg(option, folder).toStdString());
    }
    EXPECT_TRUE(QDir(folder).isEmpty());
}
