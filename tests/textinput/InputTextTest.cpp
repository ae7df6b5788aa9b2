// The typed text without any widget, as batch mode and the document use it.
#include "SevenColours.h"

#include "textinput/InputText.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

TEST(InputText, CharacterColoursAndStateRoundTripWithoutAView)
{
    CInputText typed;
    typed.SetMode(ImageMode);
    QSignalSpy overlay(&typed, &CInputText::OverlayChanged);
    typed.SetText(QStringLiteral("ab\nc"));
    overlay.clear();
    typed.SetCharacterColors({kSevenColours[2].index, kSevenColours[6].index});
    // Colouring tells the overlay once, at the end.
    ASSERT_EQ(overlay.count(), 1);
    const COLORREF blue = kSevenColours[2].Value();
    const COLORREF orange = kSevenColours[6].Value();
    const SInputState state = typed.State();
    EXPECT_EQ(state.m_acrColor, (std::vector<COLORREF>{blue, orange, orange, orange}));
    EXPECT_EQ(state.m_nColorIndex, kSevenColours[6].index);
    EXPECT_EQ(state.m_bMerged, 0);

    CInputText restored;
    restored.SetMode(ImageMode);
    restored.Restore(state, CCanvasText());
    EXPECT_EQ(restored.State(), state);

    // A colour number from a file outside the seven becomes the nearest one.
    for (const auto& [stored, kept] : {std::pair{7, 6}, std::pair{99, 6}, std::pair{-1, 0}, std::pair{6, 6}}) {
        SInputState odd = state;
        odd.m_nColorIndex = stored;
        restored.Restore(odd, CCanvasText());
        EXPECT_EQ(restored.ColorIndex(), kept) << stored;
    }
}

TEST(InputText, OverLongTextIsCutAtTheLimitAndMergeResetsThePosition)
{
    CInputText typed;
    typed.SetMode(ImageMode);
    typed.SetText(QString(CInputText::kMaxInputChars + 9, QLatin1Char('x')));
    EXPECT_EQ(typed.PlainText().size(), CInputText::kMaxInputChars);
    typed.SetOverlayPosition(7, 9);
    QSignalSpy x(&typed, &CInputText::TextXChanged);
    QSignalSpy merge(&typed, &CInputText::MergeRequested);
    typed.Merge();
    EXPECT_EQ(merge.count(), 1);
    EXPECT_EQ(x.count(), 1);
    EXPECT_EQ(typed.OverlayX(), 0);
    EXPECT_EQ(typed.OverlayY(), 0);
    EXPECT_FALSE(typed.IsMergePending());
}
