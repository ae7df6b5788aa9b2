// The command registry against the frame it builds: every entry has its
// action, its menu place and its button, and nothing is made twice.
#include "FrameFixture.h"

#include "frame/CommandRegistry.h"

#include <QMenu>
#include <QMap>
#include <QMenuBar>
#include <QSet>
#include <QToolBar>

TEST_F(FrameTest, EveryRegistryCommandHasOneActionItsButtonAndItsMenuItem)
{
    QSet<int> ids;
    QSet<int> cells;
    for (const SCommandEntry* entry : CCommandRegistry::Commands()) {
        SCOPED_TRACE(entry->szName);
        EXPECT_FALSE(ids.contains(entry->nId));
        ids.insert(entry->nId);
        QAction* action = Act(entry->nId);
        ASSERT_TRUE(action);
        // The tools' tips follow the menu language (see the drawing commands' tests).
        if (entry->nToolbarCell < SCommandEntry::kToolCells) {
            EXPECT_EQ(action->toolTip(), QString::fromLatin1(entry->szName));
        }
        EXPECT_EQ(action->isCheckable(), entry->bCheckable);
        EXPECT_EQ(action->shortcuts(), CCommandRegistry::Shortcuts(*entry));
        EXPECT_TRUE(entry->pfnRun);
        if (entry->nToolbarCell != SCommandEntry::kNoCell) {
            EXPECT_FALSE(cells.contains(entry->nToolbarCell));
            cells.insert(entry->nToolbarCell);
            EXPECT_TRUE(frame->ToolBar()->actions().contains(action));
            EXPECT_FALSE(action->icon().isNull());
        } else {
            EXPECT_FALSE(frame->ToolBar()->actions().contains(action));
        }
        if (entry->nDepth == SCommandEntry::kNoMenu)
            continue;
        EXPECT_TRUE(entry->text.IsComplete());
        EXPECT_FALSE(action->associatedObjects().isEmpty());
    }
    // The toolbar strip holds 24 cells, the tools' strip 10, all used.
    EXPECT_EQ(cells.size(), 24 + 10);
    for (int cell = 0; cell < 24; ++cell)
        EXPECT_TRUE(cells.contains(cell)) << cell;
    for (int cell = SCommandEntry::kToolCells; cell < SCommandEntry::kToolCells + 10; ++cell)
        EXPECT_TRUE(cells.contains(cell)) << cell;
    EXPECT_EQ(CCommandRegistry::Find(0), nullptr);
}

TEST_F(FrameTest, RegistryRowsNestAsTheMenuBarShowsThem)
{
    // Each row is at most one level below the popup before it.
    int depth = 0;
    int topMenus = 0;
    for (const SCommandEntry& entry : CCommandRegistry::Entries()) {
        if (entry.nDepth == SCommandEntry::kNoMenu)
            continue;
        EXPECT_LE(entry.nDepth, depth) << entry.text.szEnglish;
        if (entry.nRow == SCommandEntry::Popup) {
            depth = entry.nDepth + 1;
            topMenus += entry.nDepth == 0 ? 1 : 0;
        }
        if (entry.nDepth == 0) {
            EXPECT_EQ(entry.nRow, SCommandEntry::Popup) << entry.text.szEnglish;
        }
    }
    EXPECT_EQ(frame->menuBar()->actions().size(), topMenus);
}

// Which commands carry a check mark and which keys reach each command,
// written out by hand: every command not named here has neither.
TEST_F(FrameTest, CheckMarksAndShortcutsBelongToTheirCommandsOnly)
{
    using namespace CommandId;
    QSet<int> checkable = {ViewImage, Pan, English, ChineseSimplified, ChineseTraditional};
    for (int id = Red; id <= Orange; ++id)
        checkable.insert(id);
    for (int id = PictureExact; id <= PictureDithered; ++id)
        checkable.insert(id);
    for (int id = ToolClick; id <= ToolSelect; ++id)
        checkable.insert(id);

    const QMap<int, QStringList> keys = {
        {New, {"Ctrl+N"}},
        {Open, {"Ctrl+O"}},
        {SaveDot, {"Ctrl+S"}},
        {Print, {"Ctrl+P"}},
        {OpenProject, {"Ctrl+Shift+O"}},
        {SaveProject, {"Ctrl+Shift+S"}},
        {SaveProjectAs, {"Ctrl+Alt+S"}},
        {Undo, {"Ctrl+Z"}},
        {Redo, {"Ctrl+Y", "Ctrl+Shift+Z"}},
        {ZoomIn, {"Ctrl++", "Ctrl+="}},
        {ZoomOut, {"Ctrl+-"}},
        {Cut, {"Ctrl+X", "Shift+Del"}},
        {Copy, {"Ctrl+C", "Ctrl+Ins"}},
        {Paste, {"Ctrl+V", "Shift+Ins"}},
        {Delete, {"Del"}},
        {SelectAll, {"Ctrl+A"}},
        {ToolClick, {"D"}},
        {ToolPencil, {"P"}},
        {ToolLine, {"L"}},
        {ToolRectangle, {"R"}},
        {ToolFilledRectangle, {"Shift+R"}},
        {ToolEllipse, {"E"}},
        {ToolFilledEllipse, {"Shift+E"}},
        {ToolFill, {"F"}},
        {ToolPicker, {"I"}},
        {ToolSelect, {"S"}},
        {SignPreview, {"F5"}},
        {PreviousFrame, {"Ctrl+PgUp"}},
        {NextFrame, {"Ctrl+PgDown"}},
    };
    int commands = 0;
    for (const SCommandEntry* entry : CCommandRegistry::Commands()) {
        SCOPED_TRACE(entry->szName);
        ++commands;
        const QAction* action = Act(entry->nId);
        ASSERT_TRUE(action);
        EXPECT_EQ(action->isCheckable(), checkable.contains(entry->nId));
        QStringList shown;
        for (const QKeySequence& key : action->shortcuts())
            shown << key.toString(QKeySequence::PortableText);
        EXPECT_EQ(shown, keys.value(entry->nId));
    }
    EXPECT_EQ(commands, 81);
    // A command that runs no state function stays enabled and unchecked.
    Trigger(Mirror);
    EXPECT_TRUE(Act(Mirror)->isEnabled());
    EXPECT_FALSE(Act(Mirror)->isChecked());
}
