#include "FrameFixture.h"

#include "base/SettingsLocation.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

// A program whose folder cannot be written (installed in a system folder):
// tests run as root, so the answer is given in the file system's place.
class UserSettingsTest : public FrameTest
{
protected:
    void SetUp() override
    {
        QStandardPaths::setTestModeEnabled(true);
        m_szUserFolder = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
        QDir(m_szUserFolder).removeRecursively();
        FrameTest::SetUp();
    }
    void TearDown() override
    {
        frame.reset();
        QDir(m_szUserFolder).removeRecursively();
        QStandardPaths::setTestModeEnabled(false);
    }

    std::unique_ptr<CMainFrame> MakeInstalledFrame() const
    {
        const CSettingsLocation location([](const QString&) { return false; });
        auto made = std::make_unique<CMainFrame>(location.SettingsPath(dir.Path()), false);
        // The changes below are not kept in a project.
        made->Dialogs().askSaveChanges = [](int, const QString&) { return ESaveChoice::Discard; };
        return made;
    }

    QString m_szUserFolder;
};

} // namespace

TEST_F(UserSettingsTest, SettingsPersistInTheUserFolderWhenBesideIsNotWritable)
{
    frame = MakeInstalledFrame();
    const QString userFile = QDir(m_szUserFolder).filePath(QStringLiteral("option.ini"));
    EXPECT_EQ(frame->SettingsPath(), userFile);
    frame->show();
    Trigger(CommandId::English);
    frame->Dialogs().askColor = [](COLORREF) { return std::optional<COLORREF>(MakeColor(0, 0, 128)); };
    Trigger(CommandId::BackgroundColor);
    Trigger(CommandId::ToggleGrid);
    frame->close();

    // The folder is made on the first close; nothing is left beside the executable.
    EXPECT_EQ(ReadAll(userFile), QByteArray("[Main]\nLanguage=0\nBkColor=8388608\nShowGrid=0\nPictureColors=0\n"));
    EXPECT_FALSE(QFileInfo::exists(SettingsPath()));

    frame = MakeInstalledFrame();
    EXPECT_EQ(frame->Language(), 0);
    EXPECT_TRUE(Act(CommandId::English)->isChecked());
    EXPECT_EQ(Canvas()->Grid().BackColor(), MakeColor(0, 0, 128));
    EXPECT_EQ(Canvas()->ShowGrid(), 0);
}
