#include "FrameFixture.h"

#include "frame/CommandIds.h"
#include "frame/CommandTable.h"
#include "frame/MenuTable.h"
#include "frame/ToolbarImages.h"

#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

namespace {

// Every text of the menu bar, depth first, separators as "-".
QStringList MenuTexts(const QList<QAction*>& actions)
{
    QStringList texts;
    for (const QAction* action : actions) {
        if (action->isSeparator()) {
            texts << QStringLiteral("-");
            continue;
        }
        texts << action->text();
        if (action->menu())
            texts << MenuTexts(action->menu()->actions());
    }
    return texts;
}

QStringList TableTexts(int language)
{
    QStringList texts;
    for (const CMenuItem& item : kMenuTable) {
        texts << (item.nId == CMenuItem::kSeparator ? QStringLiteral("-")
                                                    : QString::fromUtf8(item.aszText[static_cast<std::size_t>(language)]));
    }
    return texts;
}

} // namespace

TEST_F(FrameTest, MenusFollowTheLanguageWhole)
{
    // No settings file: Simplified Chinese, and its item is marked.
    EXPECT_EQ(MenuTexts(frame->menuBar()->actions()), TableTexts(kLanguageSimplified));
    frame->UpdateCommandStates();
    EXPECT_TRUE(Act(CommandId::ChineseSimplified)->isChecked());

    const QMenuBar* before = frame->menuBar();
    Trigger(CommandId::English);
    const QStringList english = MenuTexts(frame->menuBar()->actions());
    EXPECT_EQ(english, TableTexts(kLanguageEnglish));
    EXPECT_EQ(english.first(), QStringLiteral("&File"));
    EXPECT_EQ(english.last(), QStringLiteral("&About..."));
    EXPECT_TRUE(Act(CommandId::English)->isChecked());
    EXPECT_FALSE(Act(CommandId::ChineseSimplified)->isChecked());
    EXPECT_EQ(frame->menuBar(), before);

    Trigger(CommandId::ChineseTraditional);
    EXPECT_EQ(MenuTexts(frame->menuBar()->actions()), TableTexts(kLanguageTraditional));
    EXPECT_EQ(Act(CommandId::Help)->text(), QStringLiteral("幫助(&H)"));
    // The same language again rebuilds the same menus.
    Trigger(CommandId::ChineseTraditional);
    EXPECT_EQ(MenuTexts(frame->menuBar()->actions()), TableTexts(kLanguageTraditional));
    EXPECT_EQ(frame->menuBar()->actions().size(), 4);

    // Status prompts and tool tips stay English.
    EXPECT_EQ(Act(CommandId::New)->statusTip(), QStringLiteral("New"));
    EXPECT_EQ(Act(CommandId::New)->toolTip(), QStringLiteral("New"));
    EXPECT_EQ(Act(CommandId::Red + 4)->statusTip(), QStringLiteral("Pink"));
    EXPECT_TRUE(Act(CommandId::Mirror)->statusTip().isEmpty());
}

TEST_F(FrameTest, MenuTableTree)
{
    // Four menus; the colour and language submenus hold exactly their commands.
    Trigger(CommandId::English);
    const QList<QAction*> menus = frame->menuBar()->actions();
    ASSERT_EQ(menus.size(), 4);
    const QMenu* edit = menus.at(1)->menu();
    const QMenu* colours = nullptr;
    for (const QAction* action : edit->actions()) {
        if (action->menu())
            colours = action->menu();
    }
    ASSERT_TRUE(colours);
    EXPECT_EQ(colours->title(), QStringLiteral("Change &Color"));
    ASSERT_EQ(colours->actions().size(), 7);
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(colours->actions().at(i)->data().toInt(), CommandId::Red + i);

    // Every command in a menu has one action, and the toolbar-only ones none.
    QList<int> ids;
    for (const CMenuItem& item : kMenuTable) {
        if (item.nId > 0)
            ids << item.nId;
    }
    EXPECT_EQ(ids.size(), 28);
    for (const int id : ids)
        EXPECT_TRUE(Act(id)) << id;
    for (const int id : {CommandId::TextUp, CommandId::TextOrigin, CommandId::Pan})
        EXPECT_FALSE(ids.contains(id)) << id;
}

TEST_F(FrameTest, ToolbarButtonsInOrder)
{
    const QList<int> expected = {1000, 1001, 1002, 1003, 0, 1005, 1006, 1007, 0,
                                 32777, 32778, 32779, 32780, 32781, 32782, 32783, 0,
                                 1011, 1012, 1013, 0, 1014, 1015, 1016, 1017, 1018, 0,
                                 32776, 0, 32789, 0};
    QList<int> actual;
    for (const QAction* action : frame->ToolBar()->actions())
        actual << (action->isSeparator() ? 0 : action->data().toInt());
    EXPECT_EQ(actual, expected);
    EXPECT_EQ(actual.count(0), 7);
    for (const QAction* action : frame->ToolBar()->actions()) {
        if (action->isSeparator())
            continue;
        EXPECT_FALSE(action->icon().isNull()) << action->data().toInt();
        EXPECT_FALSE(action->toolTip().isEmpty());
    }
    EXPECT_EQ(frame->toolBarArea(frame->ToolBar()), Qt::TopToolBarArea);
    EXPECT_EQ(frame->ToolBar()->allowedAreas(), Qt::AllToolBarAreas);
    EXPECT_TRUE(frame->ToolBar()->isMovable());
}

TEST(ToolbarImages, StripCutIntoTransparentCells)
{
    const QImage strip(QStringLiteral(":/frame/toolbar.bmp"));
    ASSERT_EQ(strip.size(), QSize(384, 15));
    const QList<QImage> cells = ToolbarCells(strip);
    ASSERT_EQ(cells.size(), 24);
    for (const QImage& cell : cells) {
        EXPECT_EQ(cell.size(), QSize(16, 15));
        EXPECT_EQ(qAlpha(cell.pixel(0, 14)), 0); // the light grey corner is see-through
    }
    // The seven colour buttons show their colour in the middle, opaque.
    EXPECT_EQ(cells.at(7).pixel(8, 7), qRgb(255, 0, 0));
    EXPECT_EQ(cells.at(13).pixel(8, 7), qRgb(255, 127, 0));
}

TEST(CommandTable, ShortcutsAndTable)
{
    EXPECT_EQ(ShortcutsOf(*FindCommand(CommandId::New)), QList<QKeySequence>{QKeySequence(Qt::CTRL | Qt::Key_N)});
    EXPECT_EQ(ShortcutsOf(*FindCommand(CommandId::ZoomOut)),
              QList<QKeySequence>{QKeySequence(Qt::CTRL | Qt::Key_Minus)});
    EXPECT_EQ(ShortcutsOf(*FindCommand(CommandId::ZoomIn)).size(), 2);
    EXPECT_TRUE(ShortcutsOf(*FindCommand(CommandId::Mirror)).isEmpty());
    EXPECT_EQ(FindCommand(4242), nullptr);
    // Every toolbar id is a known command.
    for (const int id : kToolbarLayout)
        EXPECT_TRUE(id == 0 || FindCommand(id)) << id;
}
