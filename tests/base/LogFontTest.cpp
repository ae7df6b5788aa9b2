#include "base/LogFont.h"

#include "TestSupport.h"

#include <QFontMetrics>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

namespace {

// Rows between the topmost and the bottommost inked row of one character.
int InkRows(const LogFont& lf, QChar ch)
{
    const QFont font = lf.ToQFont();
    const int side = 3 * QFontMetrics(font).height();
    QImage image(side, side, QImage::Format_RGB32);
    image.fill(Qt::black);
    {
        QPainter painter(&image);
        painter.setFont(font);
        painter.setPen(Qt::white);
        painter.drawText(image.rect(), Qt::AlignCenter, QString(ch));
    }
    int top = side;
    int bottom = -1;
    for (int y = 0; y < side; ++y) {
        for (int x = 0; x < side; ++x) {
            if (image.pixel(x, y) != qRgb(0, 0, 0)) {
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
        }
    }
    return bottom - top + 1;
}

} // namespace

// DejaVu Sans: ascent 1901 + descent 483 = 2384 units of a 2048-unit em, and
// its capital H is 1493 units high. A cell height of 64 is an em of
// 64 * 2048 / 2384 = 55 pixels, so H is 55 * 1493 / 2048 = 40 rows; the em
// taken as 64 would make it 47.
TEST(LogFontHeight, PositiveHeightIsTheCellOfAscentPlusDescent)
{
    const LogFont cell = FontOf("DejaVu Sans", 64);
    EXPECT_NEAR(cell.EmPixels(), 55, 1);
    EXPECT_NEAR(InkRows(cell, QLatin1Char('H')), 40, 1);

    const LogFont em = FontOf("DejaVu Sans", -64);
    EXPECT_EQ(em.EmPixels(), 64);
    EXPECT_NEAR(InkRows(em, QLatin1Char('H')), 47, 1);
}

// The em is a whole pixel, so the cell it gives lies within half a pixel's
// worth of ascent + descent of the height asked for.
TEST(LogFontHeight, CellHeightsAcrossSizesComeOutAsAsked)
{
    for (const char* face : {"DejaVu Sans", "WenQuanYi Zen Hei"}) {
        for (int h : {8, 9, 10, 11, 12, 16, 18, 24, 99, 100}) {
            QFont font = FontOf(face, h).ToQFont();
            font.setHintingPreference(QFont::PreferNoHinting);
            EXPECT_NEAR(QFontMetricsF(font).height(), h, 0.75) << face << " " << h;
        }
    }
}

TEST(LogFontHeight, ZeroIsTheDefaultSizeAndHugeHeightsAreBounded)
{
    EXPECT_GE(FontOf("DejaVu Sans", 0).EmPixels(), 8);
    EXPECT_GE(FontOf("DejaVu Sans", -1).EmPixels(), 1);
    EXPECT_GE(FontOf("DejaVu Sans", 1).EmPixels(), 1);
    EXPECT_LE(FontOf("DejaVu Sans", 0x7FFFFFFF).EmPixels(), 0x7FFF);
    EXPECT_LE(FontOf("DejaVu Sans", -0x7FFFFFFF - 1).EmPixels(), 0x7FFF);
}

// The em in pixels at both ends: one pixel is the least a cell height gives,
// 32767 the most either kind of height gives.
TEST(LogFontHeight, EmEndsAreExact)
{
    EXPECT_EQ(FontOf("DejaVu Sans", 1).EmPixels(), 1);
    EXPECT_EQ(FontOf("DejaVu Sans", -32767).EmPixels(), 32767);
    EXPECT_EQ(FontOf("DejaVu Sans", -32768).EmPixels(), 32767);
    // 32767 / (2384 / 2048) for the largest cell.
    EXPECT_NEAR(FontOf("DejaVu Sans", 0x7FFFFFFF).EmPixels(), 28149, 2);
    EXPECT_EQ(FontOf("DejaVu Sans", -20).ToQFont().pixelSize(), 20);
    // The interface font's default is the 8-point one: an 11-pixel em.
    const LogFont gui = LogFont::DefaultGuiFont();
    EXPECT_EQ(gui.EmPixels(), 11);
    EXPECT_FALSE(gui.lfFaceName.isEmpty());
}

// What the described font carries: bold from weight 600, the three styles,
// sharp unsmoothed dots.
TEST(LogFontDescription, WeightStylesAndSharpness)
{
    const struct
    {
        int weight;
        bool italic, underline, strikeOut;
        QFont::Weight drawn;
    } cases[] = {
        {599, true, false, false, QFont::Normal},
        {600, false, true, false, QFont::Bold},
        {1000, false, false, true, QFont::Bold},
        {1, false, false, false, QFont::Normal},
    };
    for (const auto& c : cases) {
        LogFont lf = FontOf("DejaVu Sans", -16);
        lf.lfWeight = c.weight;
        lf.lfItalic = c.italic;
        lf.lfUnderline = c.underline;
        lf.lfStrikeOut = c.strikeOut;
        const QFont font = lf.ToQFont();
        EXPECT_EQ(font.weight(), c.drawn) << c.weight;
        EXPECT_EQ(font.italic(), c.italic) << c.weight;
        EXPECT_EQ(font.underline(), c.underline) << c.weight;
        EXPECT_EQ(font.strikeOut(), c.strikeOut) << c.weight;
        EXPECT_EQ(font.family(), QStringLiteral("DejaVu Sans"));
        EXPECT_TRUE(font.styleStrategy() & QFont::NoAntialias);
        EXPECT_EQ(font.hintingPreference(), QFont::PreferFullHinting);
        // The font dialog sees the weight itself, kept within 1..1000.
        EXPECT_EQ(lf.ToDialogFont().weight(), c.weight);
        EXPECT_EQ(lf.ToDialogFont().italic(), c.italic);
    }
    LogFont heavy = FontOf("DejaVu Sans", -16);
    heavy.lfWeight = 0;
    EXPECT_EQ(heavy.ToDialogFont().weight(), 1);
}

// The dialog's size is the height of either kind, at most 32767, or the
// em when there is none; its choice comes back as a height of the kind the
// font had, keeping the character set and pitch.
TEST(LogFontDialog, SizesKeepTheirKindBothWays)
{
    const struct
    {
        int height;
        int dialogSize;
    } toDialog[] = {{-24, 24}, {24, 24}, {-40000, 32767}, {40000, 32767}};
    for (const auto& c : toDialog)
        EXPECT_EQ(FontOf("DejaVu Sans", c.height).ToDialogFont().pointSize(), c.dialogSize) << c.height;
    const LogFont unset = FontOf("DejaVu Sans", 0);
    EXPECT_EQ(unset.ToDialogFont().pointSize(), unset.EmPixels());

    QFont chosen(QStringLiteral("DejaVu Sans"));
    chosen.setPointSize(30);
    chosen.setWeight(QFont::DemiBold);
    chosen.setItalic(true);
    chosen.setUnderline(true);
    chosen.setStrikeOut(true);
    LogFont cell = FontOf("WenQuanYi Zen Hei", 12);
    cell.lfCharSet = 134;
    cell.lfPitchAndFamily = 49;
    const LogFont back = LogFont::FromDialogFont(chosen, cell);
    EXPECT_EQ(back.lfHeight, 30);
    EXPECT_EQ(back.lfWeight, 600);
    EXPECT_TRUE(back.lfItalic && back.lfUnderline && back.lfStrikeOut);
    EXPECT_EQ(back.lfCharSet, 134);
    EXPECT_EQ(back.lfPitchAndFamily, 49);
    EXPECT_EQ(back.lfFaceName, QStringLiteral("DejaVu Sans"));
    EXPECT_EQ(LogFont::FromDialogFont(chosen, FontOf("DejaVu Sans", -12)).lfHeight, -30);
    // A font sized in pixels gives its pixel size.
    QFont pixels(QStringLiteral("DejaVu Sans"));
    pixels.setPixelSize(17);
    EXPECT_EQ(LogFont::FromDialogFont(pixels, cell).lfHeight, 17);
    pixels.setPixelSize(1);
    EXPECT_EQ(LogFont::FromDialogFont(pixels, cell).lfHeight, 1);
    // A font without a height yet takes the cell kind.
    EXPECT_EQ(LogFont::FromDialogFont(chosen, FontOf("DejaVu Sans", 0)).lfHeight, 30);
}

// A Qt font becomes an em height in pixels, its weight and styles, and a
// face name cut to 31 characters.
TEST(LogFontDialog, FromQFontTakesPixelsAndCutsTheName)
{
    QFont font(QStringLiteral("A Family Name Longer Than Thirty-One Characters"));
    font.setPixelSize(21);
    font.setUnderline(true);
    const LogFont lf = LogFont::FromQFont(font);
    EXPECT_EQ(lf.lfHeight, -21);
    EXPECT_EQ(lf.lfWeight, 400);
    EXPECT_FALSE(lf.lfItalic);
    EXPECT_TRUE(lf.lfUnderline);
    EXPECT_FALSE(lf.lfStrikeOut);
    EXPECT_EQ(lf.lfFaceName, QStringLiteral("A Family Name Longer Than Thirt"));
    font.setWeight(static_cast<QFont::Weight>(1)); // the lightest weight Qt has
    EXPECT_EQ(LogFont::FromQFont(font).lfWeight, 1);
    QFont points(QStringLiteral("DejaVu Sans"));
    points.setPointSize(12);
    EXPECT_EQ(LogFont::FromQFont(points).lfHeight, -QFontInfo(points).pixelSize());
}
