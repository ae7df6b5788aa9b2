// The typed text without any widget, as batch mode and the document use it.
#include "SevenColours.h"

#include "base/CanvasText.h"
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

// Stretch from the box or from a canvas text is taken inside -32..+64 only,
// and a value already held is no change.
TEST(InputText, StretchIsTakenInsideItsRangeOnly)
{
    CInputText typed;
    QSignalSpy stretch(&typed, &CInputText::StretchChanged);
    for (const auto& [asked, held] : {std::pair{-33, 0}, std::pair{-32, -32}, std::pair{65, -32}, std::pair{64, 64},
                                      std::pair{64, 64}, std::pair{0, 0}}) {
        typed.SetStretch(asked);
        EXPECT_EQ(typed.Stretch(), held) << asked;
    }
    EXPECT_EQ(stretch.count(), 3);
    for (const auto& [restored, held] : {std::pair{65, 0}, std::pair{-33, 0}, std::pair{-32, -32}, std::pair{64, 64}}) {
        CCanvasText text;
        text.m_nStretch = restored;
        text.m_nGlyphOffsetX = 3;
        text.m_nGlyphOffsetY = -4;
        typed.SetStretch(0);
        typed.FollowCanvasText(text);
        EXPECT_EQ(typed.Stretch(), held) << restored;
        EXPECT_EQ(typed.OffsetX(), 3);
        EXPECT_EQ(typed.OffsetY(), -4);
    }
}

// A canvas text's position is the overlay's in image mode only; setting the
// position tells only the axis that moved.
TEST(InputText, OverlayPositionFollowsInImageModeAxisByAxis)
{
    CInputText typed;
    CCanvasText text;
    text.m_nTextX = 5;
    text.m_nTextY = 6;
    typed.FollowCanvasText(text);
    EXPECT_EQ(typed.OverlayX(), 0);
    EXPECT_EQ(typed.OverlayY(), 0);
    typed.SetMode(ImageMode);
    typed.FollowCanvasText(text);
    EXPECT_EQ(typed.OverlayX(), 5);
    EXPECT_EQ(typed.OverlayY(), 6);
    QSignalSpy x(&typed, &CInputText::TextXChanged);
    QSignalSpy y(&typed, &CInputText::TextYChanged);
    typed.SetOverlayPosition(5, 8);
    EXPECT_EQ(x.count(), 0);
    ASSERT_EQ(y.count(), 1);
    EXPECT_EQ(y[0][0].toInt(), 8);
    typed.SetOverlayPosition(2, 8);
    ASSERT_EQ(x.count(), 1);
    EXPECT_EQ(x[0][0].toInt(), 2);
    EXPECT_EQ(y.count(), 1);
    EXPECT_EQ(typed.OverlayX(), 2);
}

// Each arrow moves its axis by one dot its way; other keys move nothing.
TEST(InputText, ArrowsMoveOneDotOnTheirAxis)
{
    CInputText typed;
    QSignalSpy shown(&typed, &CInputText::ShownValuesChanged);
    struct SCase
    {
        int key, x, y;
    };
    for (const SCase& c : {SCase{CInputText::KeyRight, 1, 0}, SCase{CInputText::KeyRight, 2, 0},
                           SCase{CInputText::KeyLeft, 1, 0}, SCase{CInputText::KeyDown, 1, 1},
                           SCase{CInputText::KeyUp, 1, 0}, SCase{CInputText::KeyUp, 1, -1}, SCase{0, 1, -1}}) {
        typed.MoveText(c.key);
        EXPECT_EQ(typed.OffsetX(), c.x) << c.key;
        EXPECT_EQ(typed.OffsetY(), c.y) << c.key;
    }
    EXPECT_EQ(shown.count(), 6);
}

// After New the typed text waits to be merged (an empty one has nothing to
// merge) and, in image mode, floats over the canvas again, cut to 1023.
TEST(InputText, ANewCanvasOffersTheTypedText)
{
    for (const int mode : {TextMode, ImageMode}) {
        CInputText typed;
        typed.SetMode(mode);
        typed.OnNewCanvas();
        EXPECT_FALSE(typed.IsMergePending()) << mode;
        typed.SetText(QString(1024, QLatin1Char('w')));
        typed.Merge();
        QSignalSpy overlay(&typed, &CInputText::OverlayTextChanged);
        typed.OnNewCanvas();
        EXPECT_TRUE(typed.IsMergePending()) << mode;
        ASSERT_EQ(overlay.count(), mode == ImageMode ? 1 : 0);
        if (mode == ImageMode) {
            EXPECT_EQ(overlay[0][0].toString(), QString(1023, QLatin1Char('w')));
        }
    }
    // Nothing is pending on a canvas of no width.
    CInputText typed;
    typed.SetText(QStringLiteral("a"));
    QSignalSpy size(&typed, &CInputText::CanvasSizeChanged);
    typed.OnGridSizeChanged(0, 16);
    EXPECT_FALSE(typed.IsMergePending());
    typed.OnGridSizeChanged(1, 16);
    EXPECT_TRUE(typed.IsMergePending());
    ASSERT_EQ(size.count(), 2);
    EXPECT_EQ(size[1][1].toInt(), 16);
    EXPECT_EQ(typed.CanvasWidth(), 1);
}

// Layout options: each value checked on its own; the same options again are
// no change.
TEST(InputText, LayoutOptionsOutOfRangeAreIgnored)
{
    CInputText typed;
    QSignalSpy changed(&typed, &CInputText::LayoutOptionsChanged);
    for (int field = 0; field < 4; ++field) {
        SSignLayoutOptions o;
        int* const slot[] = {&o.nAlignH, &o.nAlignV, &o.nSpacing, &o.nLineSpacing};
        *slot[field] = field < 2 ? 4 : 65;
        typed.SetLayoutOptions(o);
        *slot[field] = field < 2 ? -1 : -33;
        typed.SetLayoutOptions(o);
    }
    EXPECT_EQ(changed.count(), 0);
    SSignLayoutOptions o;
    o.nAlignH = 3;
    o.nAlignV = 3;
    o.nSpacing = 64;
    o.nLineSpacing = -32;
    typed.SetLayoutOptions(o);
    typed.SetLayoutOptions(o);
    EXPECT_EQ(changed.count(), 1);
    EXPECT_TRUE(typed.LayoutOptions() == o);
}

// A colour outside the seven is ignored; choosing one in image mode tells
// the overlay, and a new colour makes the text wait for a merge.
TEST(InputText, SelectingAColour)
{
    CInputText typed;
    typed.SetMode(ImageMode);
    typed.SetText(QStringLiteral("a"));
    typed.Merge();
    QSignalSpy selected(&typed, &CInputText::ColorSelected);
    QSignalSpy overlay(&typed, &CInputText::OverlayColorChanged);
    typed.SelectColor(-1);
    typed.SelectColor(7);
    EXPECT_EQ(selected.count(), 0);
    typed.SelectColor(typed.ColorIndex());
    EXPECT_FALSE(typed.IsMergePending());
    for (const SDotColour& colour : kSevenColours) {
        typed.SelectColor(colour.index);
        EXPECT_EQ(typed.ColorIndex(), colour.index) << colour.name;
        EXPECT_EQ(overlay.back()[0].value<COLORREF>(), colour.Value()) << colour.name;
    }
    EXPECT_TRUE(typed.IsMergePending());
}
