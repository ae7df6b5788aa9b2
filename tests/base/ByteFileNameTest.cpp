#include "base/ByteFileName.h"

#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

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
