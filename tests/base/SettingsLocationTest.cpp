#include "base/SettingsLocation.h"

#include "TestSupport.h"

#include <QDir>
#include <QStandardPaths>

#include <gtest/gtest.h>

TEST(SettingsLocation, BesideTheExecutableOnlyWhereItCanBeWritten)
{
    QStandardPaths::setTestModeEnabled(true);
    const CScratchDir dir;
    QStringList asked;
    const auto answer = [&asked](bool writable) {
        return [&asked, writable](const QString& file) {
            asked << file;
            return writable;
        };
    };
    const QString beside = dir.FilePath(QStringLiteral("option.ini"));
    EXPECT_EQ(CSettingsLocation(answer(true)).SettingsPath(dir.Path()), beside);
    const QString user = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation)
        + QStringLiteral("/option.ini");
    EXPECT_EQ(CSettingsLocation(answer(false)).SettingsPath(dir.Path()), user);
    EXPECT_EQ(CSettingsLocation::UserSettingsPath(), user);
    // Both decisions were asked about the file beside the executable.
    EXPECT_EQ(asked, QStringList({beside, beside}));
    QStandardPaths::setTestModeEnabled(false);
}

TEST(SettingsLocation, WritabilityOfTheFileOrItsFolder)
{
    const CScratchDir dir;
    EXPECT_TRUE(CSettingsLocation::CanWriteFile(dir.FilePath(QStringLiteral("option.ini"))));
    ASSERT_TRUE(WriteAll(dir.FilePath(QStringLiteral("option.ini")), "[Main]\n"));
    EXPECT_TRUE(CSettingsLocation::CanWriteFile(dir.FilePath(QStringLiteral("option.ini"))));
    // A folder in the file's place, or a folder that does not exist.
    ASSERT_TRUE(QDir(dir.Path()).mkdir(QStringLiteral("folder.ini")));
    EXPECT_FALSE(CSettingsLocation::CanWriteFile(dir.FilePath(QStringLiteral("folder.ini"))));
    EXPECT_FALSE(CSettingsLocation::CanWriteFile(dir.FilePath(QStringLiteral("missing/option.ini"))));

    const QString deep = dir.FilePath(QStringLiteral("a/b/option.ini"));
    EXPECT_TRUE(CSettingsLocation::MakeFolderFor(deep));
    EXPECT_TRUE(QDir(dir.FilePath(QStringLiteral("a/b"))).exists());
    EXPECT_TRUE(CSettingsLocation::CanWriteFile(deep));
}
