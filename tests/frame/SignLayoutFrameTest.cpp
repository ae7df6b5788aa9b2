// The window side of sign layout: the overflow message in the status bar
// and the layout buttons' tooltips, both in the menus' language.
#include "FrameFixture.h"

#include "textinput/SignLayoutBar.h"

#include <QSpinBox>
#include <QTest>
#include <QTextEdit>

namespace {

class SignLayoutFrame : public FrameTest
{
protected:
    void TypeWideText()
    {
        NewCanvas(32, 16, 1);
        LogFont font = Pane()->CurrentFont();
        font.lfFaceName = QStringLiteral("DejaVu Sans");
        font.lfHeight = 16;
        Pane()->ApplyFont(font);
        QTest::keyClicks(Pane()->RichEdit(), QStringLiteral("WWWWWW"));
    }
};

} // namespace

TEST_F(SignLayoutFrame, StatusBarSaysHowFarTheTextRunsOverInEachLanguage)
{
    TypeWideText();
    SSignLayoutOptions centred;
    centred.nAlignH = SSignLayoutOptions::AlignCentre;
    Pane()->SetLayoutOptions(centred);
    const int wider = Canvas()->OverlayOverflow().width();
    ASSERT_GT(wider, 1);
    EXPECT_EQ(Canvas()->OverlayOverflow().height(), 0);
    const struct
    {
        int command;
        const char* text;
    } languages[] = {
        {CommandId::English, "The text is %1 dots wider than the canvas."},
        {CommandId::ChineseSimplified, "文字比画布宽 %1 点。"},
        {CommandId::ChineseTraditional, "文字比畫布寬 %1 點。"},
    };
    for (const auto& language : languages) {
        Trigger(language.command);
        EXPECT_EQ(frame->OverflowText(), QString::fromUtf8(language.text).arg(wider));
    }
    // Taller too, then nothing once it fits again.
    Trigger(CommandId::English);
    centred.nLineSpacing = 40;
    Pane()->RichEdit()->append(QStringLiteral("W"));
    Pane()->SetLayoutOptions(centred);
    EXPECT_EQ(frame->OverflowText(), QStringLiteral("The text is %1 dots wider and %2 dots taller than the canvas.")
                                         .arg(Canvas()->OverlayOverflow().width())
                                         .arg(Canvas()->OverlayOverflow().height()));
    Pane()->RichEdit()->clear();
    EXPECT_TRUE(frame->OverflowText().isEmpty());
}

TEST_F(SignLayoutFrame, LayoutButtonsShowOnlyInImageModeWithTooltipsInTheMenuLanguage)
{
    frame->show();
    CSignLayoutBar* bar = Pane()->LayoutBar();
    EXPECT_FALSE(bar->isVisible());
    NewCanvas(32, 16, 1);
    EXPECT_TRUE(bar->isVisible());
    Trigger(CommandId::English);
    EXPECT_EQ(bar->ButtonAction(CSignLayoutBar::Centre)->toolTip(), QStringLiteral("Center Horizontally (press again: X/Y only)"));
    EXPECT_EQ(bar->LineSpacingBox()->toolTip(), QStringLiteral("Line spacing in dots"));
    Trigger(CommandId::ChineseSimplified);
    EXPECT_EQ(bar->ButtonAction(CSignLayoutBar::FitHeight)->toolTip(),
              QString::fromUtf8("适合高度：调整字号使文字填满所有行"));
    Trigger(CommandId::ChineseTraditional);
    EXPECT_EQ(bar->SpacingBox()->toolTip(), QString::fromUtf8("字間距（點）"));
    NewCanvas(32, 16, 0);
    EXPECT_FALSE(bar->isVisible());
}
