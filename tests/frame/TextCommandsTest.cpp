#include "FrameFixture.h"

#include "canvas/ImageView.h"
#include "frame/CommandIds.h"
#include "textinput/InputTextView.h"

#include <QPlainTextEdit>
#include <QTest>
#include <QTextEdit>

using namespace CommandId;

class TextCommandsTest : public FrameTest
{
protected:
    CImageView* Canvas() const { return frame->Canvas(); }
    CInputTextView* Pane() const { return frame->InputPane(); }

    void New(int width, int height, int mode)
    {
        frame->Dialogs().askNewCanvas = [=] { return std::optional<CNewCanvasRequest>({width, height, mode}); };
        Trigger(CommandId::New);
    }

    void Type(const QString& text) const { QTest::keyClicks(Pane()->RichEdit(), text); }
    void ClickInto(QWidget* pane) const { QTest::mouseClick(pane, Qt::LeftButton); }
    bool TextButtonsEnabled() const
    {
        bool all = true;
        bool any = false;
        for (int id = TextUp; id <= TextOrigin; ++id) {
            all = all && Act(id)->isEnabled();
            any = any || Act(id)->isEnabled();
        }
        EXPECT_EQ(all, any) << "the five text-position buttons share one state";
        return all;
    }

    void SetUp() override
    {
        FrameTest::SetUp();
        frame->show();
    }
};

TEST_F(TextCommandsTest, NewCanvasSetsSizeModeCellAndLayout)
{
    New(32, 16, 0);
    EXPECT_EQ(Canvas()->Grid().Width(), 32);
    EXPECT_EQ(Canvas()->Grid().Height(), 16);
    EXPECT_EQ(Canvas()->Grid().Mode(), 0);
    EXPECT_EQ(Canvas()->Text().m_nCellWidth, 16);
    EXPECT_EQ(Canvas()->Text().m_nCellHeight, 16);
    EXPECT_EQ(Canvas()->Text().m_bVertical, 0);
    EXPECT_EQ(Pane()->InputMode(), 0);

    New(16, 32, 0);
    EXPECT_EQ(Canvas()->Text().m_bVertical, 1);
    EXPECT_EQ(Canvas()->Text().m_nCellWidth, 16);

    // Image mode: no cell, and the layout flag is left as it was.
    Type(QStringLiteral("kept"));
    New(24, 16, 1);
    EXPECT_EQ(Canvas()->Grid().Mode(), 1);
    EXPECT_EQ(Canvas()->Text().m_nCellWidth, 0);
    EXPECT_EQ(Canvas()->Text().m_nCellHeight, 0);
    EXPECT_EQ(Canvas()->Text().m_bVertical, 1);
    EXPECT_EQ(Pane()->InputMode(), 1);
    EXPECT_EQ(Pane()->RichEdit()->toPlainText(), QStringLiteral("kept"));
}

TEST_F(TextCommandsTest, MergeTextOnlyThroughTheInputPane)
{
    New(32, 16, 0);
    Type(QStringLiteral("AB"));
    EXPECT_TRUE(Pane()->IsMergePending());
    frame->UpdateCommandStates();
    EXPECT_TRUE(Act(MergeText)->isEnabled());

    // With the canvas active the item is enabled but does nothing.
    ClickInto(Canvas()->viewport());
    Trigger(MergeText);
    EXPECT_TRUE(Pane()->IsMergePending());
    EXPECT_TRUE(Canvas()->Text().m_szText.isEmpty());

    ClickInto(Pane()->RichEdit()->viewport());
    Trigger(MergeText);
    EXPECT_FALSE(Pane()->IsMergePending());
    EXPECT_EQ(Canvas()->Text().m_szText, QStringLiteral("AB"));
    EXPECT_FALSE(Act(MergeText)->isEnabled());
}

TEST_F(TextCommandsTest, TextPositionButtonsFollowModeAndMerge)
{
    New(32, 16, 0);
    frame->UpdateCommandStates();
    EXPECT_FALSE(TextButtonsEnabled()); // nothing typed

    Type(QStringLiteral("AB"));
    frame->UpdateCommandStates();
    EXPECT_TRUE(TextButtonsEnabled());
    Trigger(TextRight);
    Trigger(TextRight);
    Trigger(TextUp);
    EXPECT_EQ(Canvas()->Text().m_nGlyphOffsetX, 2);
    EXPECT_EQ(Canvas()->Text().m_nGlyphOffsetY, -1);
    Trigger(TextOrigin);
    EXPECT_EQ(Canvas()->Text().m_nGlyphOffsetX, 0);
    EXPECT_EQ(Canvas()->Text().m_nGlyphOffsetY, 0);

    // Right after a merge they are disabled.
    ClickInto(Pane()->RichEdit()->viewport());
    Trigger(MergeText);
    EXPECT_FALSE(TextButtonsEnabled());

    // In image mode they stay disabled even with text waiting.
    New(32, 16, 1);
    Type(QStringLiteral("C"));
    frame->UpdateCommandStates();
    EXPECT_TRUE(Pane()->IsMergePending());
    EXPECT_TRUE(Act(MergeText)->isEnabled());
    EXPECT_FALSE(TextButtonsEnabled());
}

TEST_F(TextCommandsTest, StatesFollowTypingWithoutACommand)
{
    New(32, 16, 0);
    frame->UpdateCommandStates();
    EXPECT_FALSE(Act(MergeText)->isEnabled());
    Type(QStringLiteral("A"));
    // Updated when the interface is next idle, as for toolbar buttons.
    QCoreApplication::processEvents();
    EXPECT_TRUE(Act(MergeText)->isEnabled());
}

TEST_F(TextCommandsTest, FontDialogWorksOnACopyOfThePaneFont)
{
    const LogFont before = Pane()->CurrentFont();
    LogFont offered;
    frame->Dialogs().askFont = [&](const LogFont& current) {
        offered = current;
        return std::optional<LogFont>();
    };
    Trigger(Font);
    EXPECT_EQ(offered, before);
    EXPECT_EQ(Pane()->CurrentFont(), before);

    frame->Dialogs().askFont = [](const LogFont& current) {
        LogFont chosen = current;
        chosen.lfFaceName = QStringLiteral("DejaVu Sans");
        chosen.lfHeight = -20;
        chosen.lfWeight = 700;
        return std::optional<LogFont>(chosen);
    };
    Trigger(Font);
    EXPECT_EQ(Pane()->CurrentFont().lfFaceName, QStringLiteral("DejaVu Sans"));
    EXPECT_EQ(Pane()->CurrentFont().lfWeight, 700);
    EXPECT_EQ(std::abs(Pane()->CurrentFont().lfHeight), 20);
}
