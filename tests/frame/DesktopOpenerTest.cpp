#include "frame/DesktopOpener.h"

#include "TestSupport.h"

#include <QFile>

#include <gtest/gtest.h>

namespace {

// PATH and BROWSER as a desktop would have them, restored afterwards.
class DesktopOpenerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_oldPath = qgetenv("PATH");
        m_oldBrowser = qgetenv("BROWSER");
        qputenv("PATH", m_dir.Path().toLocal8Bit());
        qunsetenv("BROWSER");
    }
    void TearDown() override
    {
        qputenv("PATH", m_oldPath);
        if (m_oldBrowser.isEmpty())
            qunsetenv("BROWSER");
        else
            qputenv("BROWSER", m_oldBrowser);
    }
    // An xdg-mime that names the given program for text/html only.
    void InstallQuery(const QByteArray& program)
    {
        const QString path = m_dir.FilePath(QStringLiteral("xdg-mime"));
        ASSERT_TRUE(WriteAll(path, "#!/bin/sh\n[ \"$3\" = text/html ] && echo '" + program + "'\nexit 0\n"));
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    CScratchDir m_dir;
    QByteArray m_oldPath;
    QByteArray m_oldBrowser;
};

} // namespace

TEST_F(DesktopOpenerTest, AProgramMustBeRegisteredForTheType)
{
    // No query tool: nothing is known to show the page.
    EXPECT_FALSE(CDesktopOpener::HasProgramFor(QStringLiteral("text/html")));
    // The tool answers, but names nothing.
    InstallQuery("");
    EXPECT_FALSE(CDesktopOpener::HasProgramFor(QStringLiteral("text/html")));
    InstallQuery("browser.desktop");
    EXPECT_TRUE(CDesktopOpener::HasProgramFor(QStringLiteral("text/html")));
    EXPECT_FALSE(CDesktopOpener::HasProgramFor(QStringLiteral("image/bmp")));
}

TEST_F(DesktopOpenerTest, ABrowserInTheEnvironmentShowsWebPages)
{
    qputenv("BROWSER", "some-browser");
    EXPECT_TRUE(CDesktopOpener::HasProgramFor(QStringLiteral("text/html")));
    EXPECT_FALSE(CDesktopOpener::HasProgramFor(QStringLiteral("image/bmp")));
    // Nothing to show the page with: Open says so instead of starting anything.
    qunsetenv("BROWSER");
    EXPECT_FALSE(CDesktopOpener::Open(m_dir.FilePath(QStringLiteral("page.html"))));
}

// A query that fails says nothing, whatever it prints.
TEST_F(DesktopOpenerTest, AFailedQueryNamesNoProgram)
{
    const QString path = m_dir.FilePath(QStringLiteral("xdg-mime"));
    ASSERT_TRUE(WriteAll(path, "#!/bin/sh\necho browser.desktop\nexit 1\n"));
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_FALSE(CDesktopOpener::HasProgramFor(QStringLiteral("text/html")));
}
