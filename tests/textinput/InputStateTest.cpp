// The input pane's state for project files: what is captured is put back
// exactly, in both modes, without sending anything to the canvas.
#include "base/TextCharacters.h"
#include "textinput/InputTextView.h"
#include "textinput/TextRenderer.h"

#include "SevenColours.h"
#include "TestSupport.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTextEdit>

#include <gtest/gtest.h>

TEST(InputState, TextColoursFontAndChoicesComeBackInBothModes)
{
    for (const int mode : {TextMode, ImageMode}) {
        CInputTextView source;
        source.SetInputMode(mode);
        source.OnGridSizeChanged(64, 16);
        source.ApplyFont(FontOf("DejaVu Sans", 24));
        source.SetInputText(QStringLiteral("你好\nA B\U0001F600"));
        std::vector<int> colours;
        for (const SDotColour& c : kSevenColours)
            colours.push_back(c.index);
        source.SetCharacterColors(colours);
        source.SelectColor(2);
        const SInputState state = source.InputState();
        ASSERT_EQ(state.m_acrColor.size(), static_cast<std::size_t>(CharactersOf(state.m_szText).size()));
        if (mode == TextMode) {
            EXPECT_EQ(state.m_acrColor[0], kSevenColours[0].Value());
            EXPECT_EQ(state.m_acrColor[6], kSevenColours[6].Value()); // the emoji, one character
        }

        CCanvasText text;
        text.m_nGlyphOffsetX = -2;
        text.m_nGlyphOffsetY = 3;
        text.m_nStretch = 5;
        text.m_nTextX = 40;
        text.m_nTextY = 7;
        CInputTextView restored;
        restored.SetInputMode(mode);
        restored.OnGridSizeChanged(64, 16);
        QSignalSpy overlay(&restored, &CInputTextView::OverlayTextChanged);
        QSignalSpy font(&restored, &CInputTextView::FontApplied);
        QSignalSpy pending(&restored, &CInputTextView::MergePendingChanged);
        restored.RestoreInputState(state, text);
        EXPECT_TRUE(restored.InputState() == state) << mode;
        EXPECT_EQ(overlay.count() + font.count(), 0);
        EXPECT_EQ(pending.count(), 1); // the frame learns that a merge is pending
        EXPECT_TRUE(restored.IsMergePending());
        // What Merge Text would read: the same colours character by character.
        EXPECT_EQ(CTextRenderer::NonBlankColors(*restored.RichEdit()->document()),
                  CTextRenderer::NonBlankColors(*source.RichEdit()->document()));
        EXPECT_EQ(restored.SizeCombo()->currentText(), QStringLiteral("24"));
        if (mode == TextMode) {
            EXPECT_EQ(restored.PosLabel()->text(), QStringLiteral("X:-2 Y:3"));
            EXPECT_EQ(restored.StretchCombo()->currentText(), QStringLiteral("+5"));
        } else {
            EXPECT_EQ(restored.EditX()->text(), QStringLiteral("40"));
            EXPECT_EQ(restored.EditY()->text(), QStringLiteral("7"));
        }
    }
}

TEST(InputState, AMergedStateStaysMerged)
{
    CInputTextView pane;
    pane.OnGridSizeChanged(32, 16);
    SInputState state;
    state.m_szText = QStringLiteral("AB");
    state.m_acrColor = {kSevenColours[0].Value(), kSevenColours[1].Value()};
    state.m_lfFont = FontOf("DejaVu Sans", 16);
    state.m_bMerged = 1;
    pane.RestoreInputState(state, CCanvasText());
    EXPECT_FALSE(pane.IsMergePending());
    EXPECT_TRUE(pane.InputState() == state);
}
