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
