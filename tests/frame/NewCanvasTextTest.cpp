// New keeps the typed text and offers it to the new canvas, in both modes:
// what the pane shows is what Merge Text will burn in.
#include "FrameFixture.h"

#include "dotdata/DotListing.h"

#include <QTest>
#include <QTextEdit>

using namespace CommandId;

namespace {

class NewCanvasTextTest : public FrameTest
{
protected:
    void SetUp() override
    {
        FrameTest::SetUp();
        frame->show();
    }
    // Merge Text belongs to the input pane, which must be the active one.
    void MergeFromThePane() const
    {
        QTest::mouseClick(Pane()->RichEdit()->viewport(), Qt::LeftButton);
        Trigger(MergeText);
    }
};

} // namespace

TEST_F(NewCanvasTextTest, TypedTextIsTheOverlayOfANewImageCanvas)
{
    NewCanvas(64, 16, ImageMode);
    Pane()->SetInputText(QStringLiteral("HI"));
    ASSERT_EQ(Canvas()->Text().m_szText, QStringLiteral("HI"));
    NewCanvas(64, 16, ImageMode);
    EXPECT_EQ(Canvas()->Text().m_szText, QStringLiteral("HI"));
    EXPECT_TRUE(Act(MergeText)->isEnabled());
    MergeFromThePane();
    EXPECT_TRUE(CDotListing::HasLitDot(Canvas()->Grid()));
    EXPECT_FALSE(Act(MergeText)->isEnabled());
}

TEST_F(NewCanvasTextTest, MergedTextIsOfferedAgainToANewTextCanvas)
{
    NewCanvas(32, 16, TextMode);
    Pane()->SetInputText(QStringLiteral("HI"));
    MergeFromThePane();
    ASSERT_FALSE(Act(MergeText)->isEnabled());
    NewCanvas(32, 16, TextMode);
    EXPECT_TRUE(Canvas()->Text().m_szText.isEmpty());
    EXPECT_FALSE(CDotListing::HasLitDot(Canvas()->Grid()));
    EXPECT_TRUE(Act(MergeText)->isEnabled());
    MergeFromThePane();
    EXPECT_EQ(Canvas()->Text().m_szText, QStringLiteral("HI"));
    EXPECT_TRUE(CDotListing::HasLitDot(Canvas()->Grid()));
}

TEST_F(NewCanvasTextTest, AnEmptyPaneHasNothingToMergeAfterNew)
{
    for (const int mode : {TextMode, ImageMode}) {
        NewCanvas(32, 16, mode);
        Pane()->SetInputText(QStringLiteral("X"));
        Pane()->SetInputText(QString());
        NewCanvas(32, 16, mode);
        EXPECT_FALSE(Act(MergeText)->isEnabled()) << mode;
        EXPECT_TRUE(Canvas()->Text().m_szText.isEmpty()) << mode;
    }
}
