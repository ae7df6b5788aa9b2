#include "FrameFixture.h"

#include "base/QuotedText.h"
#include "dotdata/ListingView.h"
#include "textinput/SignLayoutBar.h"

#include <QFile>
#include <QMenu>

#include <memory>

using namespace CommandId;

// Messages from the layers below the frame reach the window in the
// interface language.
class MessageLanguageTest : public FrameTest
{
};

TEST_F(MessageLanguageTest, FailuresAreShownInTheInterfaceLanguage)
{
    OpenSample();
    ASSERT_TRUE(messages.isEmpty());
    const QString junk = dir.FilePath(QStringLiteral("junk.bmp"));
    ASSERT_TRUE(WriteAll(junk, "not a picture"));
    const QString name = CQuotedText::Quote(junk);
    const QString folder = CQuotedText::Quote(dir.Path());
    const struct {
        int command;
        const char* unreadable; // %1: the picture's quoted name
        const char* notSaved;   // %1: the folder's quoted name
    } cases[] = {
        {English, "The picture \"%1\" cannot be read.\n'%1' is not a BMP, PNG or JPEG picture that can be read",
         "The animation could not be saved: \"%1\" is a folder and is left as it is."},
        {ChineseSimplified, "无法读取图片“%1”。\n“%1”不是可以读取的 BMP、PNG 或 JPEG 图片",
         "无法保存动画：“%1”是文件夹，未作改动。"},
        {ChineseTraditional, "無法讀取圖片「%1」。\n「%1」不是可以讀取的 BMP、PNG 或 JPEG 圖片",
         "無法儲存動畫：「%1」是資料夾，未作變更。"},
    };
    frame->Dialogs().askOpenFile = [junk] { return junk; };
    frame->Dialogs().askSaveAnimationPath = [this](const QString&) { return dir.Path(); };
    for (const auto& c : cases) {
        messages.clear();
        Trigger(c.command);
        Trigger(Open);
        Trigger(SaveAnimation);
        ASSERT_EQ(messages.size(), 2) << c.command;
        EXPECT_EQ(messages[0], QString::fromUtf8(c.unreadable).replace(QStringLiteral("%1"), name));
        EXPECT_EQ(messages[1], QString::fromUtf8(c.notSaved).replace(QStringLiteral("%1"), folder));
    }
}

// The panes speak the menus' language from the start, not only after a
// language command: Simplified Chinese without settings, else the stored one.
TEST_F(MessageLanguageTest, ThePanesStartInTheMenuLanguage)
{
    const struct
    {
        const char* szSettings; // null: no settings file
        const char* szCopy;     // the listing pane's Copy
        int nCommand;           // the language command that shows the same
    } starts[] = {
        {nullptr, "复制(&Y)", ChineseSimplified},
        {"[Main]\nLanguage=2\n", "複製(&Y)", ChineseTraditional},
        {"[Main]\nLanguage=0\n", "Cop&y", English},
    };
    for (const auto& start : starts) {
        SCOPED_TRACE(start.szCopy);
        QFile::remove(SettingsPath());
        if (start.szSettings) {
            ASSERT_TRUE(WriteAll(SettingsPath(), start.szSettings));
        }
        frame = MakeFrame();
        const std::unique_ptr<QMenu> menu = Canvas()->TextPane()->MakeContextMenu();
        ASSERT_FALSE(menu->actions().isEmpty());
        EXPECT_EQ(menu->actions()[0]->text(), QString::fromUtf8(start.szCopy));
        CSignLayoutBar* bar = Pane()->LayoutBar();
        const QString tip = bar->ButtonAction(CSignLayoutBar::Centre)->toolTip();
        Trigger(start.nCommand == English ? ChineseSimplified : English);
        EXPECT_NE(bar->ButtonAction(CSignLayoutBar::Centre)->toolTip(), tip);
        Trigger(start.nCommand);
        EXPECT_EQ(bar->ButtonAction(CSignLayoutBar::Centre)->toolTip(), tip);
    }
}
