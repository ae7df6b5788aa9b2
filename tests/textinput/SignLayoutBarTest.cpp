#include "textinput/SignLayoutBar.h"

#include <QAction>
#include <QImage>
#include <QSpinBox>

#include <gtest/gtest.h>

namespace {

QImage IconOf(const CSignLayoutBar& bar, CSignLayoutBar::Button button)
{
    return bar.ButtonAction(button)->icon().pixmap(QSize(16, 15)).toImage();
}

// The first and last column of row y that hold any visible pixel, or -1.
std::pair<int, int> InkedSpan(const QImage& image, int y)
{
    int first = -1, last = -1;
    for (int x = 0; x < image.width(); ++x)
        if (qAlpha(image.pixel(x, y)) != 0) {
            first = first < 0 ? x : first;
            last = x;
        }
    return {first, last};
}

} // namespace

// A bar fresh from its constructor already speaks English, stays in place,
// and fits its buttons and boxes.
TEST(SignLayoutBar, StartsInEnglishFixedInPlace)
{
    const CSignLayoutBar bar;
    EXPECT_EQ(bar.ButtonAction(CSignLayoutBar::Left)->toolTip(), QStringLiteral("Align Left (press again: X/Y only)"));
    EXPECT_EQ(bar.SpacingBox()->toolTip(), QStringLiteral("Character spacing in dots"));
    EXPECT_FALSE(bar.isMovable());
    EXPECT_FALSE(bar.isFloatable());
    EXPECT_EQ(bar.size(), bar.sizeHint());
}

// Alignment icons: four lines of 12, 8, 12 and 6 dots, two rows high, three
// apart, against the side the button names. Panel icons: a frame from
// (1, 0) to (14, 14) around the block of text.
TEST(SignLayoutBar, IconsDrawWhatTheButtonDoes)
{
    const CSignLayoutBar bar;
    const int lengths[] = {12, 8, 12, 6};
    for (int i = 0; i < 4; ++i) {
        const int y = 2 + 3 * i, n = lengths[i];
        EXPECT_EQ(InkedSpan(IconOf(bar, CSignLayoutBar::Left), y), std::make_pair(2, 1 + n)) << i;
        EXPECT_EQ(InkedSpan(IconOf(bar, CSignLayoutBar::Right), y + 1), std::make_pair(14 - n, 13)) << i;
        EXPECT_EQ(InkedSpan(IconOf(bar, CSignLayoutBar::Centre), y), std::make_pair(8 - n / 2, 7 + n / 2)) << i;
        EXPECT_EQ(InkedSpan(IconOf(bar, CSignLayoutBar::Left), y + 2), std::make_pair(-1, -1)) << i;
    }
    const QRgb frame = qRgb(96, 96, 96);
    for (const auto button : {CSignLayoutBar::Top, CSignLayoutBar::Middle, CSignLayoutBar::Bottom}) {
        const QImage icon = IconOf(bar, button);
        EXPECT_EQ(icon.pixel(1, 14), frame) << button;
        EXPECT_EQ(icon.pixel(14, 14), frame) << button;
        EXPECT_EQ(icon.pixel(14, 0), frame) << button;
        EXPECT_EQ(qAlpha(icon.pixel(15, 7)), 0) << button;
        EXPECT_NE(icon.pixel(7, 13), frame) << button;
    }
    // The block of text sits at the top, middle or bottom.
    const QRgb text = qRgb(192, 0, 0);
    EXPECT_EQ(IconOf(bar, CSignLayoutBar::Top).pixel(7, 2), text);
    EXPECT_NE(IconOf(bar, CSignLayoutBar::Top).pixel(7, 9), text);
    EXPECT_EQ(IconOf(bar, CSignLayoutBar::Middle).pixel(7, 9), text);
    EXPECT_NE(IconOf(bar, CSignLayoutBar::Middle).pixel(7, 2), text);
    EXPECT_EQ(IconOf(bar, CSignLayoutBar::Bottom).pixel(7, 12), text);
    EXPECT_NE(IconOf(bar, CSignLayoutBar::Bottom).pixel(7, 8), text);
    EXPECT_NE(IconOf(bar, CSignLayoutBar::Bottom).pixel(7, 13), text);
    EXPECT_NE(IconOf(bar, CSignLayoutBar::Top).pixel(7, 6), text);
    EXPECT_EQ(IconOf(bar, CSignLayoutBar::Top).pixel(7, 5), text);
    EXPECT_NE(IconOf(bar, CSignLayoutBar::Middle).pixel(7, 10), text);
    EXPECT_NE(IconOf(bar, CSignLayoutBar::Middle).pixel(7, 4), text);
    // Fit height: a text-high block with an I-beam of ink from row 3 to row 11.
    const QImage fit = IconOf(bar, CSignLayoutBar::FitHeight);
    const QRgb ink = qRgb(32, 32, 32);
    for (const int y : {3, 7, 11}) {
        EXPECT_EQ(fit.pixel(6, y), y == 7 ? text : ink) << y;
        EXPECT_EQ(fit.pixel(7, y), ink) << y;
        EXPECT_EQ(fit.pixel(8, y), ink) << y;
        EXPECT_EQ(fit.pixel(9, y), y == 7 ? text : ink) << y;
    }
    EXPECT_EQ(fit.pixel(7, 2), text);
    EXPECT_EQ(fit.pixel(7, 12), text);
    EXPECT_EQ(fit.pixel(4, 1), text);
    EXPECT_EQ(fit.pixel(11, 13), text);
}

// Options shown from outside become the bar's own in one change; options out
// of range are not shown; a pressed button pressed again leaves its axis to X/Y.
TEST(SignLayoutBar, ShownOptionsAreTheBarsAndAButtonPressedAgainLetsGo)
{
    CSignLayoutBar bar;
    QList<SSignLayoutOptions> changes;
    QObject::connect(&bar, &CSignLayoutBar::OptionsChanged, [&](const SSignLayoutOptions& o) { changes << o; });
    SSignLayoutOptions o;
    o.nAlignH = SSignLayoutOptions::AlignCentre;
    o.nAlignV = SSignLayoutOptions::AlignEnd;
    o.bFitHeight = true;
    o.nSpacing = 3;
    o.nLineSpacing = -2;
    bar.SetOptions(o);
    EXPECT_TRUE(bar.Options() == o);
    ASSERT_EQ(changes.size(), 1);
    EXPECT_TRUE(changes[0] == o);
    EXPECT_TRUE(bar.ButtonAction(CSignLayoutBar::Centre)->isChecked());
    EXPECT_TRUE(bar.ButtonAction(CSignLayoutBar::Bottom)->isChecked());
    EXPECT_FALSE(bar.ButtonAction(CSignLayoutBar::Left)->isChecked());
    EXPECT_EQ(bar.LineSpacingBox()->value(), -2);

    SSignLayoutOptions bad = o;
    bad.nAlignH = 4;
    bar.SetOptions(bad);
    bad = o;
    bad.nSpacing = 65;
    bar.SetOptions(bad);
    EXPECT_TRUE(bar.Options() == o);
    EXPECT_EQ(changes.size(), 1);

    bar.ButtonAction(CSignLayoutBar::Centre)->trigger();
    EXPECT_FALSE(bar.ButtonAction(CSignLayoutBar::Centre)->isChecked());
    EXPECT_EQ(bar.Options().nAlignH, SSignLayoutOptions::Unaligned);
    bar.ButtonAction(CSignLayoutBar::Left)->trigger();
    EXPECT_EQ(bar.Options().nAlignH, SSignLayoutOptions::AlignStart);
    EXPECT_EQ(changes.size(), 3);
}

// Every alignment on each axis is shown by the matching button alone and read
// back as it was; the spacing boxes take the whole range and no more.
TEST(SignLayoutBar, EveryAlignmentOnBothAxesRoundTrips)
{
    const CSignLayoutBar::Button first[] = {CSignLayoutBar::Left, CSignLayoutBar::Top};
    for (int axis = 0; axis < 2; ++axis) {
        for (int align = 0; align <= 3; ++align) {
            CSignLayoutBar bar;
            SSignLayoutOptions o;
            (axis == 0 ? o.nAlignH : o.nAlignV) = align;
            (axis == 0 ? o.nAlignV : o.nAlignH) = 3 - align;
            bar.SetOptions(o);
            EXPECT_TRUE(bar.Options() == o) << axis << align;
            for (int b = 0; b < 3; ++b)
                EXPECT_EQ(bar.ButtonAction(CSignLayoutBar::Button(first[axis] + b))->isChecked(), b + 1 == align)
                    << axis << align << b;
        }
    }
}

// Each value is checked on its own: one out of range (one past either end)
// keeps everything as it was; the ends themselves are shown.
TEST(SignLayoutBar, OptionsOutOfRangeOneByOneAreRefused)
{
    for (int field = 0; field < 4; ++field) {
        for (const int value : {-1, 4, -33, 65, 0, 3, -32, 64}) {
            const bool isAlign = field < 2;
            const bool valid = isAlign ? value >= 0 && value <= 3 : value >= -32 && value <= 64;
            CSignLayoutBar bar;
            SSignLayoutOptions o;
            o.bFitHeight = true;
            int* const slot[] = {&o.nAlignH, &o.nAlignV, &o.nSpacing, &o.nLineSpacing};
            *slot[field] = value;
            bar.SetOptions(o);
            EXPECT_EQ(bar.Options() == o, valid) << field << ' ' << value;
            EXPECT_EQ(bar.ButtonAction(CSignLayoutBar::FitHeight)->isChecked(), valid) << field << ' ' << value;
        }
    }
}

// The controls a user moves: a spin box, the fit button; each move is one
// change, showing the same options again is none. Spin boxes clamp to the range.
TEST(SignLayoutBar, UserMovesAreOneChangeEachAndBoxesClamp)
{
    CSignLayoutBar bar;
    QList<SSignLayoutOptions> changes;
    QObject::connect(&bar, &CSignLayoutBar::OptionsChanged, [&](const SSignLayoutOptions& o) { changes << o; });
    bar.SpacingBox()->setValue(5);
    ASSERT_EQ(changes.size(), 1);
    EXPECT_EQ(changes.back().nSpacing, 5);
    bar.LineSpacingBox()->setValue(-7);
    ASSERT_EQ(changes.size(), 2);
    EXPECT_EQ(changes.back().nLineSpacing, -7);
    EXPECT_EQ(changes.back().nSpacing, 5);
    bar.ButtonAction(CSignLayoutBar::FitHeight)->trigger();
    ASSERT_EQ(changes.size(), 3);
    EXPECT_TRUE(changes.back().bFitHeight);
    bar.ButtonAction(CSignLayoutBar::Middle)->trigger();
    ASSERT_EQ(changes.size(), 4);
    EXPECT_EQ(changes.back().nAlignV, SSignLayoutOptions::AlignCentre);
    EXPECT_EQ(changes.back().nAlignH, SSignLayoutOptions::Unaligned);
    bar.SetOptions(bar.Options());
    EXPECT_EQ(changes.size(), 4);

    for (QSpinBox* box : {bar.SpacingBox(), bar.LineSpacingBox()}) {
        box->setValue(1000);
        EXPECT_EQ(box->value(), 64);
        box->setValue(-1000);
        EXPECT_EQ(box->value(), -32);
        EXPECT_EQ(box->width(), 44);
        EXPECT_EQ(box->alignment(), Qt::AlignCenter);
    }
    EXPECT_EQ(bar.iconSize(), QSize(16, 15));
}

// Tooltips follow the interface language, the spacing boxes' included.
TEST(SignLayoutBar, TooltipsInEveryLanguage)
{
    CSignLayoutBar bar;
    bar.SetLanguage(1);
    EXPECT_EQ(bar.ButtonAction(CSignLayoutBar::Left)->toolTip(), QStringLiteral("左对齐（再按一下：只按 X/Y 放置）"));
    EXPECT_EQ(bar.ButtonAction(CSignLayoutBar::FitHeight)->toolTip(),
              QStringLiteral("适合高度：调整字号使文字填满所有行"));
    EXPECT_EQ(bar.SpacingBox()->toolTip(), QStringLiteral("字间距（点）"));
    EXPECT_EQ(bar.LineSpacingBox()->toolTip(), QStringLiteral("行间距（点）"));
    bar.SetLanguage(2);
    EXPECT_EQ(bar.ButtonAction(CSignLayoutBar::Bottom)->toolTip(), QStringLiteral("靠下對齊（再按一下：只按 X/Y 放置）"));
    EXPECT_EQ(bar.LineSpacingBox()->toolTip(), QStringLiteral("行間距（點）"));
    bar.SetLanguage(0);
    EXPECT_EQ(bar.LineSpacingBox()->toolTip(), QStringLiteral("Line spacing in dots"));
    EXPECT_EQ(bar.ButtonAction(CSignLayoutBar::Top)->toolTip(), QStringLiteral("Align Top (press again: X/Y only)"));
}

// Shown, the bar lays its controls out in order: the fit button, then the
// character and the line spacing box.
TEST(SignLayoutBar, SpacingBoxesFollowTheButtonsInOrder)
{
    CSignLayoutBar bar;
    bar.show();
    const QWidget* fit = bar.widgetForAction(bar.ButtonAction(CSignLayoutBar::FitHeight));
    ASSERT_NE(fit, nullptr);
    EXPECT_TRUE(bar.SpacingBox()->isVisible());
    EXPECT_TRUE(bar.LineSpacingBox()->isVisible());
    EXPECT_GT(bar.SpacingBox()->x(), fit->geometry().right());
    EXPECT_GT(bar.LineSpacingBox()->x(), bar.SpacingBox()->geometry().right());
    EXPECT_GT(bar.width(), bar.LineSpacingBox()->geometry().right());
}
