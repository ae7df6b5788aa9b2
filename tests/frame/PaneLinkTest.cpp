#include "base/DotPalette.h"
#include "canvas/ImageView.h"
#include "frame/PaneLink.h"
#include "textinput/InputTextView.h"
#include "textinput/SignLayoutBar.h"

#include <QApplication>
#include <QAction>
#include <QComboBox>
#include <QFocusEvent>
#include <QLineEdit>
#include <QSlider>
#include <QSpinBox>
#include <QTest>
#include <QTextCursor>
#include <QTextEdit>

#include <gtest/gtest.h>

#include <set>

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

// Colours chosen in text mode go on into image mode: red typed before a New
// stays red, and the overlay and Merge show every character in the colour
// the pane shows it in.
TEST(LinkedPanes, ImageModeShowsAndBurnsTheColoursThePaneShows)
{
    Panes p;
    p.UseFont("DejaVu Sans", 16);
    p.pane.SelectColor(0);
    QTest::keyClicks(p.pane.RichEdit(), QStringLiteral("AB"));
    p.New(64, 16, ImageMode);
    QTest::keyClicks(p.pane.RichEdit(), QStringLiteral("C"));
    const auto colours = [](const QImage& image) {
        std::set<QRgb> seen;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                seen.insert(image.pixel(x, y) & 0x00FFFFFFu);
        return seen;
    };
    QImage overlay(64, 16, QImage::Format_RGB32);
    overlay.fill(Qt::black);
    p.canvas.DrawTextOverlay(overlay, 0, 0, false);
    EXPECT_EQ(colours(overlay), (std::set<QRgb>{0x000000u, 0xFF0000u}));

    // A green last character, then the burn-in: red left of green, nothing else lit.
    QTextCursor last(p.pane.RichEdit()->document());
    last.setPosition(2);
    last.setPosition(3, QTextCursor::KeepAnchor);
    p.pane.RichEdit()->setTextCursor(last);
    p.pane.SelectColor(1);
    p.pane.OnMergeText();
    int redRight = -1;
    int greenLeft = 64;
    const CDotGrid& grid = p.canvas.Grid();
    for (int row = 0; row < grid.Height(); ++row) {
        for (int x = 0; x < grid.Width(); ++x) {
            const int index = grid.ColorIndexOf(x, row);
            EXPECT_TRUE(index == 0 || index == 1 || index == kUnlitIndex) << x << "," << row;
            if (index == 0)
                redRight = std::max(redRight, x);
            if (index == 1)
                greenLeft = std::min(greenLeft, x);
        }
    }
    EXPECT_GE(redRight, 0);
    EXPECT_LT(redRight, greenLeft);
    EXPECT_LT(greenLeft, 64);
}

// The layout buttons and boxes reach the canvas at once, and its overlay
// follows; its overflow is told as it changes.
TEST(LinkedPanes, LayoutControlsReachTheCanvasAndItsOverflowIsTold)
{
    Panes p;
    p.New(64, 16, ImageMode);
    p.UseFont("DejaVu Sans", 16);
    std::vector<QSize> told;
    QObject::connect(&p.canvas, &CImageView::OverlayOverflowChanged,
                     [&told](int wider, int taller) { told.emplace_back(wider, taller); });
    QTest::keyClicks(p.pane.RichEdit(), QStringLiteral("I"));
    p.pane.LayoutBar()->ButtonAction(CSignLayoutBar::Right)->trigger();
    p.pane.LayoutBar()->ButtonAction(CSignLayoutBar::Middle)->trigger();
    p.pane.LayoutBar()->SpacingBox()->setValue(3);
    SSignLayoutOptions expected;
    expected.nAlignH = SSignLayoutOptions::AlignEnd;
    expected.nAlignV = SSignLayoutOptions::AlignCentre;
    expected.nSpacing = 3;
    EXPECT_EQ(p.canvas.Text().m_layout, expected);
    QImage overlay(64, 16, QImage::Format_RGB32);
    overlay.fill(Qt::black);
    p.canvas.DrawTextOverlay(overlay, 0, 0, false);
    bool lastColumnLit = false;
    for (int y = 0; y < 16; ++y)
        lastColumnLit = lastColumnLit || (overlay.pixel(63, y) & 0xFFFFFFu) != 0;
    EXPECT_TRUE(lastColumnLit);
    // Pressed again: the axis goes back to X/Y.
    p.pane.LayoutBar()->ButtonAction(CSignLayoutBar::Right)->trigger();
    EXPECT_EQ(p.canvas.Text().m_layout.nAlignH, SSignLayoutOptions::Unaligned);
    EXPECT_TRUE(told.empty());

    QTest::keyClicks(p.pane.RichEdit(), QStringLiteral("IIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIII"));
    p.pane.LayoutBar()->ButtonAction(CSignLayoutBar::Centre)->trigger();
    ASSERT_FALSE(told.empty());
    EXPECT_GT(told.back().width(), 0);
    EXPECT_EQ(told.back().height(), 0);
    p.pane.LayoutBar()->SpacingBox()->setValue(-3);
    EXPECT_EQ(told.back(), QSize(0, 0));
}

// Without either side there is nothing to link, and nothing breaks.
TEST(LinkedPanes, AMissingSideLinksNothing)
{
    CImageView canvas;
    CInputTextView pane;
    LinkPanes(nullptr, &pane);
    LinkPanes(&canvas, nullptr);
    LinkPanes(nullptr, nullptr);
    EXPECT_TRUE(canvas.Grid().IsEmpty());
}
