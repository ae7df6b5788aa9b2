#include "base/DotPalette.h"
#include "canvas/ImageView.h"
#include "frame/PaneLink.h"
#include "textinput/InputTextView.h"

#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
#include <QLineEdit>
#include <QSlider>
#include <QTest>
#include <QTextEdit>

#include <gtest/gtest.h>

namespace {

// A canvas and an input pane linked as the frame links them.
struct Panes
{
    CImageView canvas;
    CInputTextView pane;

    Panes()
    {
        canvas.resize(400, 300);
        LinkPanes(&canvas, &pane);
    }
    void New(int w, int h, int mode)
    {
        ASSERT_TRUE(canvas.NewCanvas(w, h, mode));
        pane.SetInputMode(mode);
    }
    void UseFont(const char* face, int height)
    {
        LogFont font = pane.CurrentFont();
        font.lfFaceName = QString::fromUtf8(face);
        font.lfHeight = height;
        pane.ApplyFont(font);
    }
    int Lit(int x0, int x1) const
    {
        const CDotGrid& grid = canvas.Grid();
        int lit = 0;
        for (int row = 0; row < grid.Height(); ++row)
            for (int x = x0; x < x1; ++x)
                lit += grid.ColorIndexOf(x, row) != kUnlitIndex ? 1 : 0;
        return lit;
    }
};

} // namespace

TEST(LinkedPanes, NewCanvasSetsCellsAndTellsThePaneItsSize)
{
    Panes p;
    p.New(32, 16, TextMode);
    EXPECT_EQ(p.canvas.Text().m_bVertical, 0);
    p.New(16, 32, TextMode);
    EXPECT_EQ(p.canvas.Grid().Width(), 16);
    EXPECT_EQ(p.canvas.Grid().Height(), 32);
    EXPECT_EQ(p.canvas.Text().m_bVertical, 1);
    EXPECT_EQ(p.canvas.Text().m_nCellWidth, 16);
    EXPECT_EQ(p.canvas.Text().m_nCellHeight, 16);
    p.New(16, 24, ImageMode);
    EXPECT_EQ(p.canvas.Grid().Mode(), ImageMode);
    EXPECT_EQ(p.canvas.Text().m_nCellWidth, 0);
    EXPECT_EQ(p.canvas.Text().m_bVertical, 1);
    QFocusEvent focus(QEvent::FocusIn);
    QApplication::sendEvent(p.pane.EditX(), &focus);
    EXPECT_EQ(p.pane.Slider()->maximum(), 6);
}

TEST(LinkedPanes, TextModeMergeRendersAndAllowsEditingAgain)
{
    Panes p;
    p.New(16, 16, TextMode);
    p.UseFont("WenQuanYi Zen Hei", 16);
    p.pane.OnMergeText(); // nothing typed: the grid stays, mouse edits stay allowed
    EXPECT_EQ(p.canvas.Grid().Width(), 16);
    EXPECT_TRUE(p.canvas.CanEditDots());
    p.pane.SelectColor(0);
    p.pane.RichEdit()->insertPlainText(QString::fromUtf8("中 文"));
    EXPECT_FALSE(p.canvas.CanEditDots());
    p.pane.OnMergeText();
    EXPECT_TRUE(p.canvas.CanEditDots());
    EXPECT_EQ(p.canvas.Grid().Width(), 32);
    EXPECT_EQ(p.canvas.Grid().Height(), 16);
    EXPECT_EQ(p.canvas.Text().m_szText, QString::fromUtf8("中文"));
    EXPECT_GT(p.Lit(0, 16), 10);
    EXPECT_GT(p.Lit(16, 32), 10);

    // Offsets re-render at once.
    const int before = p.Lit(0, 1);
    for (int i = 0; i < 16; ++i)
        p.pane.MoveText(CInputTextView::KeyRight);
    EXPECT_EQ(p.canvas.Text().m_nGlyphOffsetX, 16);
    EXPECT_EQ(p.Lit(0, 32), 0);
    p.pane.MoveText(CInputTextView::KeyHome);
    EXPECT_EQ(p.Lit(0, 1), before);
}

TEST(LinkedPanes, StretchReRendersTheMergedText)
{
    Panes p;
    p.New(16, 16, TextMode);
    p.UseFont("WenQuanYi Zen Hei", 16);
    p.pane.RichEdit()->insertPlainText(QString::fromUtf8("国"));
    p.pane.OnMergeText();
    p.pane.StretchCombo()->setCurrentIndex(32 - 16); // -16: nothing of the glyph is drawn
    EXPECT_EQ(p.canvas.Text().m_nStretch, -16);
    EXPECT_EQ(p.Lit(0, 16), 0);
}

TEST(LinkedPanes, ImageModeOverlayIsBurntInAtItsPosition)
{
    Panes p;
    p.New(32, 16, ImageMode);
    p.UseFont("DejaVu Sans", 12);
    p.pane.SelectColor(1);
    QTest::keyClicks(p.pane.RichEdit(), QStringLiteral("II"));
    EXPECT_EQ(p.canvas.Text().m_szText, QStringLiteral("II"));
    EXPECT_EQ(p.canvas.Text().m_crText, DotPalette[1]);
    p.pane.EditX()->setText(QStringLiteral("20"));
    EXPECT_EQ(p.canvas.Text().m_nTextX, 20);
    EXPECT_EQ(p.Lit(0, 32), 0);

    p.pane.OnMergeText();
    EXPECT_EQ(p.Lit(0, 20), 0);
    EXPECT_GT(p.Lit(20, 32), 0);
    EXPECT_TRUE(p.canvas.Text().m_szText.isEmpty());
    EXPECT_EQ(p.canvas.Text().m_nTextX, 0);
    EXPECT_EQ(p.pane.EditX()->text(), QStringLiteral("0"));
}
