// The document holds the typed text; the input pane and the canvas are only
// views of it, and the command steps (which batch mode calls) need neither.
#include "SevenColours.h"

#include "base/FrameDialogs.h"
#include "canvas/CanvasDocument.h"
#include "canvas/ImageView.h"
#include "dotdata/DotListing.h"
#include "frame/CommandSteps.h"
#include "frame/PaneLink.h"
#include "textinput/InputTextView.h"

#include <QSignalSpy>
#include <QTest>
#include <QTextEdit>

#include <gtest/gtest.h>

#include <memory>

namespace {

int LitDots(const CDotGrid& grid)
{
    int lit = 0;
    for (int row = 0; row < grid.Height(); ++row)
        for (int column = 0; column < grid.Width(); ++column)
            lit += grid.ColorIndexOf(column, row) != kUnlitIndex ? 1 : 0;
    return lit;
}

} // namespace

// Each change of the document lays the canvas's overlay out again: a key
// press must be one change carrying both the text and its colours.
TEST(DocumentViews, OneKeystrokeIsOneChangeOfTheOverlay)
{
    CImageView canvas;
    CInputTextView pane;
    LinkPanes(&canvas, &pane);
    CCanvasDocument& document = canvas.Document();
    ASSERT_TRUE(document.NewCanvas(64, 16, ImageMode));
    pane.SetInputMode(ImageMode);
    pane.SelectColor(kSevenColours[1].index);
    QSignalSpy changes(&document, &CCanvasDocument::Changed);
    for (const char* typed : {"H", "I"}) {
        changes.clear();
        QTest::keyClicks(pane.RichEdit(), QString::fromLatin1(typed));
        EXPECT_EQ(changes.count(), 1) << typed;
    }
    EXPECT_EQ(document.Text().m_szText, QStringLiteral("HI"));
    const COLORREF green = kSevenColours[1].Value();
    EXPECT_EQ(document.Text().m_acrOverlay, (std::vector<COLORREF>{green, green}));
}

// The pane shows the document's text, whichever of the two goes first.
TEST(DocumentViews, PaneAndDocumentMayGoInEitherOrder)
{
    auto pane = std::make_unique<CInputTextView>();
    {
        CCanvasDocument document;
        pane->SetModel(document.Input());
        document.Input().SetText(QStringLiteral("kept"));
        EXPECT_EQ(pane->RichEdit()->toPlainText(), QStringLiteral("kept"));
    }
    // The document is gone: the pane goes on with a text of its own.
    QTest::keyClicks(pane->RichEdit(), QStringLiteral("ab"));
    EXPECT_EQ(pane->InputState().m_szText, QStringLiteral("ab"));

    CCanvasDocument document;
    pane->SetModel(document.Input());
    pane.reset();
    document.Input().SetText(QStringLiteral("alone"));
    EXPECT_EQ(document.Input().PlainText(), QStringLiteral("alone"));
}

// Typing, merging, undoing and listing with no widget at all, in both modes.
TEST(DocumentViews, CommandStepsWorkOnTheDocumentAlone)
{
    for (const int mode : {TextMode, ImageMode}) {
        CCanvasDocument document;
        const CFrameDialogs dialogs;
        CCommandSteps steps(document, dialogs);
        ASSERT_TRUE(steps.NewCanvas(32, 16, mode));
        document.Input().SetText(QStringLiteral("H"));
        document.Input().SetCharacterColors({kSevenColours[0].index});
        EXPECT_TRUE(document.IsMergePending()) << mode;
        if (mode == TextMode) {
            EXPECT_FALSE(steps.EditDot(0, 0, true)) << "refused until the text is merged";
        }
        steps.MergeText();
        EXPECT_FALSE(document.IsMergePending()) << mode;
        const int lit = LitDots(document.Grid());
        EXPECT_GT(lit, 0) << mode;
        EXPECT_FALSE(steps.ListingLeavesDotsOut()) << mode;
        EXPECT_TRUE(document.Listing().contains(QLatin1Char('R'))) << mode;
        EXPECT_TRUE(steps.Undo()) << mode;
        EXPECT_LT(LitDots(document.Grid()), lit) << mode;
    }
}
