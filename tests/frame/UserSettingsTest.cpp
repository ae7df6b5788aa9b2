#include "frame/UserSettings.h"

#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QStandardPaths>

#include <gtest/gtest.h>

// The input pane's font comes back with sizes 1 to 1024; any other stored
// size gives no font at all.
TEST(UserSettings, RememberedFontSizesFromOneToTheLimit)
{
    LogFont font = LogFont::DefaultGuiFont();
    font.lfFaceName = QStringLiteral("DejaVu Serif");
    for (const int size : {1, 16, 1024, 0, -16, 1025}) {
        font.lfHeight = size;
        CUserSettings::SetInputFont(font);
        const std::optional<LogFont> back = CUserSettings::InputFont();
        ASSERT_EQ(back.has_value(), size >= 1 && size <= 1024) << size;
        if (back) {
            EXPECT_EQ(back->lfHeight, size);
            EXPECT_EQ(back->lfFaceName, QStringLiteral("DejaVu Serif"));
        }
    }
}

namespace {

// Qt's settings of the program, in the test location, emptied first.
class UserSettingsStore : public ::testing::Test
{
protected:
    void SetUp() override
    {
        QStandardPaths::setTestModeEnabled(true);
        QFile::remove(Raw().fileName());
    }
    void TearDown() override
    {
        QFile::remove(Raw().fileName());
        QStandardPaths::setTestModeEnabled(false);
    }
    static QSettings Raw() { return QSettings(QStringLiteral("Local AppWizard-Generated Applications"), QStringLiteral("Tessik")); }
};

} // namespace

// Four files, newest first, stored as File1 to File4; a file used again
// moves to the top; a relative name is kept absolute; an empty entry is
// skipped.
TEST_F(UserSettingsStore, TheFourLatestFilesNewestFirst)
{
    EXPECT_TRUE(CUserSettings::RecentFiles().isEmpty());
    for (const char* name : {"/s/a.png", "/s/b.png", "/s/c.png", "/s/d.png", "/s/e.png", "/s/c.png"})
        CUserSettings::AddRecentFile(QString::fromLatin1(name));
    EXPECT_EQ(CUserSettings::RecentFiles(), QStringList({"/s/c.png", "/s/e.png", "/s/d.png", "/s/b.png"}));
    {
        QSettings raw = Raw();
        EXPECT_EQ(raw.value(QStringLiteral("Recent File List/File1")).toString(), QStringLiteral("/s/c.png"));
        EXPECT_EQ(raw.value(QStringLiteral("Recent File List/File4")).toString(), QStringLiteral("/s/b.png"));
        EXPECT_FALSE(raw.contains(QStringLiteral("Recent File List/File5")));
        raw.setValue(QStringLiteral("Recent File List/File2"), QString());
    }
    EXPECT_EQ(CUserSettings::RecentFiles(), QStringList({"/s/c.png", "/s/d.png", "/s/b.png"}));
    CUserSettings::AddRecentFile(QStringLiteral("rel.png"));
    EXPECT_EQ(CUserSettings::RecentFiles().first(), QDir::current().absoluteFilePath(QStringLiteral("rel.png")));
    EXPECT_EQ(CUserSettings::RecentFiles().size(), 4);
}

// The window's geometry and the input font are kept under the window's
// group; a stored face is cut to the longest a font name may be, and a
// font without a face is none.
TEST_F(UserSettingsStore, GeometryAndFontUnderTheWindowGroup)
{
    EXPECT_TRUE(CUserSettings::WindowGeometry().isEmpty());
    EXPECT_FALSE(CUserSettings::InputFont().has_value());
    CUserSettings::SetWindowGeometry("geometry bytes");
    EXPECT_EQ(CUserSettings::WindowGeometry(), QByteArray("geometry bytes"));
    LogFont font = FontOf("DejaVu Sans", 20);
    font.lfWeight = 700;
    CUserSettings::SetInputFont(font);
    {
        QSettings raw = Raw();
        EXPECT_EQ(raw.value(QStringLiteral("Window/Geometry")).toByteArray(), QByteArray("geometry bytes"));
        EXPECT_EQ(raw.value(QStringLiteral("Window/FontFace")).toString(), QStringLiteral("DejaVu Sans"));
        EXPECT_EQ(raw.value(QStringLiteral("Window/FontSize")).toInt(), 20);
        raw.setValue(QStringLiteral("Window/FontFace"), QStringLiteral("A Family Name Longer Than Thirty-One Characters"));
    }
    const std::optional<LogFont> back = CUserSettings::InputFont();
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(back->lfFaceName, QStringLiteral("A Family Name Longer Than Thirt"));
    EXPECT_EQ(back->lfWeight, LogFont::DefaultGuiFont().lfWeight); // only face and size are kept
    EXPECT_EQ(back->lfHeight, 20);
    Raw().setValue(QStringLiteral("Window/FontSize"), QStringLiteral("big"));
    EXPECT_FALSE(CUserSettings::InputFont().has_value());
    font.lfFaceName.clear();
    CUserSettings::SetInputFont(font);
    EXPECT_FALSE(CUserSettings::InputFont().has_value());
}
