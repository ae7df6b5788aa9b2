// Undo and Redo in the window: the menu entries, their keys, their enabled
// state, and the input pane following an undone rendering.
#include "FrameFixture.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QTextEdit>

using namespace CommandId;

namespace {

QByteArray Dots(const CDotGrid& grid)
{
    return QByteArray(reinterpret_cast<const char*>(grid.Bits()), static_cast<int>(grid.ByteCount()));
}

} // namespace

class UndoCommandsTest : public FrameTest
{
protected:
    void SetUp() override
    {
        FrameTest::SetUp();
        frame->show();
        QApplication::setActiveWindow(frame.get());
    }
    void ClickDot(int column, int displayRow, Qt::MouseButton button = Qt::LeftButton) const
    {
        const QPoint at = Canvas()->DotToClient(column, displayRow).center();
        QTest::mouseClick(Canvas()->viewport(), button, {}, at);
    }
    COLORREF DotAt(int column, int displayRow) const
    {
        return Canvas()->Grid().DotAt(column, Canvas()->Grid().Height() - 1 - displayRow);
    }
    void Key(Qt::Key key, Qt::KeyboardModifiers modifiers) const { QTest::keyClick(Canvas(), key, modifiers); }
};

TEST_F(UndoCommandsTest, EditMenuStartsWithUndoAndRedoInEachLanguage)
{
    const struct
    {
        int language;
        const char* undo;
        const char* redo;
    } languages[] = {
        {English, "&Undo", "&Redo"},
        {ChineseSimplified, "撤销(&U)", "重做(&R)"},
        {ChineseTraditional, "復原(&U)", "取消復原(&R)"},
    };
    for (const auto& l : languages) {
        Trigger(l.language);
        const QList<QAction*> edit = frame->menuBar()->actions().at(1)->menu()->actions();
        ASSERT_GE(edit.size(), 4);
        EXPECT_EQ(edit.at(0)->text(), QString::fromUtf8(l.undo));
        EXPECT_EQ(edit.at(1)->text(), QString::fromUtf8(l.redo));
        EXPECT_TRUE(edit.at(2)->isSeparator());
        EXPECT_EQ(edit.at(3), Act(Mirror));
    }
    EXPECT_EQ(Act(Undo)->shortcuts(), QList<QKeySequence>{QKeySequence(QStringLiteral("Ctrl+Z"))});
    EXPECT_EQ(Act(Redo)->shortcuts(),
              (QList<QKeySequence>{QKeySequence(QStringLiteral("Ctrl+Y")), QKeySequence(QStringLiteral("Ctrl+Shift+Z"))}));
}

TEST_F(UndoCommandsTest, EnabledOnlyWithSomethingToUndoOrRedo)
{
    EXPECT_FALSE(Act(Undo)->isEnabled());
    EXPECT_FALSE(Act(Redo)->isEnabled());
    NewCanvas(16, 8, 1);
    EXPECT_FALSE(Act(Undo)->isEnabled());
    const COLORREF back = DotAt(3, 2);

    // A click reaches the state without passing through a command.
    ClickDot(3, 2);
    ASSERT_NE(DotAt(3, 2), back);
    EXPECT_TRUE(Act(Undo)->isEnabled());
    EXPECT_FALSE(Act(Redo)->isEnabled());

    Key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(DotAt(3, 2), back);
    EXPECT_FALSE(Act(Undo)->isEnabled());
    EXPECT_TRUE(Act(Redo)->isEnabled());
    Key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_NE(DotAt(3, 2), back);
    Trigger(Undo);
    Key(Qt::Key_Y, Qt::ControlModifier);
    EXPECT_NE(DotAt(3, 2), back);

    // While the listing is written both wait; its end brings them back.
    Trigger(ViewImage);
    ASSERT_TRUE(Canvas()->IsDotTextRunning());
    EXPECT_FALSE(Act(Undo)->isEnabled());
    ASSERT_TRUE(QTest::qWaitFor([this] { return Act(Undo)->isEnabled(); }, 20000));
    // Under the text pane Undo changes the dots as Mirror does.
    Trigger(Undo);
    EXPECT_EQ(DotAt(3, 2), back);
    Trigger(ViewImage);

    NewCanvas(16, 8, 1);
    EXPECT_FALSE(Act(Undo)->isEnabled());
    EXPECT_FALSE(Act(Redo)->isEnabled());
    EXPECT_TRUE(Act(Undo)->statusTip().isEmpty());
}

TEST_F(UndoCommandsTest, PromptsNameTheNextStep)
{
    NewCanvas(16, 8, 1);
    Trigger(Rotate);
    ClickDot(1, 1);
    EXPECT_EQ(Act(Undo)->statusTip(), QStringLiteral("Undo Dot Edit"));
    Trigger(Undo);
    EXPECT_EQ(Act(Undo)->statusTip(), QStringLiteral("Undo Rotate"));
    EXPECT_EQ(Act(Redo)->statusTip(), QStringLiteral("Redo Dot Edit"));
    Trigger(Undo);
    EXPECT_TRUE(Act(Undo)->statusTip().isEmpty());
    EXPECT_EQ(Act(Redo)->statusTip(), QStringLiteral("Redo Rotate"));
}

TEST_F(UndoCommandsTest, ThePaneFollowsAnUndoneRendering)
{
    NewCanvas(32, 16, 0);
    QTest::mouseClick(Pane()->RichEdit()->viewport(), Qt::LeftButton);
    Pane()->SetInputText(QStringLiteral("AB"));
    Trigger(MergeText);
    ASSERT_EQ(Canvas()->Text().m_szText, QStringLiteral("AB"));
    Pane()->MoveText(CInputTextView::KeyRight);
    Pane()->MoveText(CInputTextView::KeyRight);
    const QByteArray atTwo = Dots(Canvas()->Grid());

    Trigger(Undo);
    EXPECT_EQ(Canvas()->Text().m_nGlyphOffsetX, 1);
    EXPECT_EQ(Pane()->PosLabel()->text(), QStringLiteral("X:1 Y:0"));
    // The next move goes on from the restored offset, not from the pane's old one.
    Pane()->MoveText(CInputTextView::KeyRight);
    EXPECT_EQ(Canvas()->Text().m_nGlyphOffsetX, 2);
    EXPECT_EQ(Dots(Canvas()->Grid()), atTwo);

    Pane()->SetStretch(4);
    ASSERT_EQ(Canvas()->Text().m_nStretch, 4);
    const std::size_t steps = Canvas()->History().UndoCount();
    Trigger(Undo);
    EXPECT_EQ(Pane()->StretchCombo()->currentText(), QStringLiteral("0"));
    // Showing the restored value sends nothing back: the undone step stays redoable.
    EXPECT_EQ(Canvas()->History().UndoCount(), steps - 1);
    EXPECT_EQ(Canvas()->History().RedoCount(), 1u);
    EXPECT_EQ(Dots(Canvas()->Grid()), atTwo);
}

TEST_F(UndoCommandsTest, AClickThatChangesNothingIsNoStep)
{
    NewCanvas(16, 8, 1);
    const COLORREF back = DotAt(3, 2);
    ClickDot(3, 2);
    ClickDot(3, 2);                      // already lit in the dot colour
    ClickDot(5, 5, Qt::RightButton);     // already the background
    EXPECT_EQ(Canvas()->History().UndoCount(), 1u);
    Trigger(Undo);
    EXPECT_EQ(DotAt(3, 2), back);
    EXPECT_FALSE(Act(Undo)->isEnabled());
}

TEST_F(UndoCommandsTest, CtrlZInThePaneAfterMergeTakesBackTheMerge)
{
    NewCanvas(32, 16, 0);
    QTextEdit* edit = Pane()->RichEdit();
    edit->setFocus();
    QTest::keyClicks(edit, QStringLiteral("AB"));
    // Typing not merged yet: the keys are the edit's own.
    const std::size_t before = Canvas()->History().UndoCount();
    QTest::keyClick(edit, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_NE(edit->toPlainText(), QStringLiteral("AB"));
    EXPECT_EQ(Canvas()->History().UndoCount(), before);
    QTest::keyClick(edit, Qt::Key_Y, Qt::ControlModifier);
    ASSERT_EQ(edit->toPlainText(), QStringLiteral("AB"));
    Trigger(MergeText);
    ASSERT_EQ(Canvas()->Text().m_szText, QStringLiteral("AB"));
    const std::size_t steps = Canvas()->History().UndoCount();

    // Nothing typed since the merge: the canvas's history answers.
    QTest::keyClick(edit, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Canvas()->History().UndoCount(), steps - 1);
    EXPECT_EQ(edit->toPlainText(), QStringLiteral("AB"));
    QTest::keyClick(edit, Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(Canvas()->History().UndoCount(), steps);
    EXPECT_EQ(Canvas()->Text().m_szText, QStringLiteral("AB"));
    EXPECT_EQ(edit->toPlainText(), QStringLiteral("AB"));
    // Ctrl+Shift+Z redoes as Ctrl+Y does.
    QTest::keyClick(edit, Qt::Key_Z, Qt::ControlModifier);
    ASSERT_EQ(Canvas()->History().UndoCount(), steps - 1);
    QTest::keyClick(edit, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(Canvas()->History().UndoCount(), steps);
    EXPECT_EQ(edit->toPlainText(), QStringLiteral("AB"));
}

TEST_F(UndoCommandsTest, TabKeysInThePaneMoveTheFocusAndTypeNothing)
{
    NewCanvas(32, 16, 0);
    QTextEdit* edit = Pane()->RichEdit();
    const struct
    {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
    } keys[] = {{Qt::Key_Tab, Qt::NoModifier},
                {Qt::Key_Tab, Qt::ControlModifier},
                {Qt::Key_Backtab, Qt::ShiftModifier},
                {Qt::Key_Tab, Qt::ControlModifier | Qt::ShiftModifier}};
    for (const auto& k : keys) {
        edit->setFocus();
        ASSERT_TRUE(QTest::qWaitFor([edit] { return edit->hasFocus(); }, 2000));
        QTest::keyClick(edit, k.key, k.modifiers);
        EXPECT_FALSE(edit->hasFocus()) << k.key << " " << k.modifiers;
        EXPECT_FALSE(edit->toPlainText().contains(QLatin1Char('\t'))) << k.key << " " << k.modifiers;
    }
}
