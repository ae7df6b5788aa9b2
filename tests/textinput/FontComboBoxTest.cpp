#include "textinput/FontComboBox.h"

#include <QAbstractItemView>
#include <QFontDatabase>
#include <QImage>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionComboBox>

#include <gtest/gtest.h>

namespace {

constexpr QRgb kUnpainted = qRgb(255, 0, 255);

// The first listed family of each kind: an outline and a bitmap one.
int FirstOfType(const CFontComboBox& box, int type)
{
    for (int i = 0; i < box.count(); ++i)
        if (box.FontTypeOf(i) == type)
            return i;
    return -1;
}

struct SDrawn
{
    QImage image;
    QRgb fill;
    // The bounds of the pixels in 'area' of neither the fill nor the unpainted colour.
    QRect InkIn(const QRect& area) const
    {
        QRect ink;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                if (image.pixel(x, y) != fill && image.pixel(x, y) != kUnpainted)
                    ink |= QRect(x, y, 1, 1);
        return ink;
    }
};

SDrawn Draw(const CFontComboBox& box, int index, bool selected, QSize size = QSize(240, 60))
{
    SDrawn drawn{QImage(size, QImage::Format_RGB32),
                 (selected ? box.palette().highlight() : box.palette().base()).color().rgb()};
    drawn.image.fill(kUnpainted);
    QPainter painter(&drawn.image);
    const QPen pen(Qt::darkCyan);
    painter.setPen(pen);
    box.DrawItem(painter, drawn.image.rect(), index, selected);
    EXPECT_EQ(painter.pen(), pen) << "the painter is given back as it came";
    painter.end();
    return drawn;
}

bool HasPixel(const QImage& image, const QRect& area, QRgb colour)
{
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (image.pixel(x, y) == colour)
                return true;
    return false;
}

} // namespace

TEST(FontComboBox, ListsEveryFamilyByNameWithItsKind)
{
    CFontComboBox box;
    box.FillFontList();
    const QStringList families = QFontDatabase::families();
    ASSERT_EQ(box.count(), families.size());
    EXPECT_EQ(box.currentIndex(), 0);
    for (int i = 0; i < box.count(); ++i) {
        const QString family = box.itemText(i);
        EXPECT_TRUE(families.contains(family)) << qPrintable(family);
        if (i > 0) {
            EXPECT_LE(box.itemText(i - 1).compare(family, Qt::CaseInsensitive), 0) << qPrintable(family);
        }
        const int expected = QFontDatabase::isSmoothlyScalable(family) ? 4 : 1;
        EXPECT_EQ(box.FontTypeOf(i), expected) << qPrintable(family);
    }
    // Filling again lists the same families once.
    box.setCurrentIndex(3);
    box.FillFontList();
    EXPECT_EQ(box.count(), families.size());
    EXPECT_EQ(box.currentIndex(), 0);
}

// An item is its row's fill, the two-T mark in the top left corner for an
// outline family only, and the name from 25 pixels in, centred on the row.
TEST(FontComboBox, AnItemShowsTheMarkOnlyForOutlineFamiliesAndTheNameAfterIt)
{
    CFontComboBox box;
    box.FillFontList();
    const int outline = FirstOfType(box, CFontComboBox::TrueTypeFontType);
    const int bitmap = FirstOfType(box, CFontComboBox::RasterFontType);
    ASSERT_GE(outline, 0);
    ASSERT_GE(bitmap, 0) << "a bitmap family is installed with the test fonts";
    for (const bool selected : {false, true}) {
        const QRgb fill = (selected ? box.palette().highlight() : box.palette().base()).color().rgb();
        const QRgb text = (selected ? box.palette().highlightedText() : box.palette().text()).color().rgb();
        for (const int index : {outline, bitmap}) {
            SCOPED_TRACE(qPrintable(box.itemText(index) + (selected ? " selected" : "")));
            const SDrawn drawn = Draw(box, index, selected);
            EXPECT_EQ(drawn.image.pixel(0, 0), fill);
            EXPECT_EQ(drawn.image.pixel(239, 59), fill);
            // The 15 x 13 mark sits 5 across and 4 down.
            const QRect markArea(5, 4, 15, 13);
            bool marked = false;
            for (int y = 0; y < 60; ++y) {
                for (int x = 0; x < CFontComboBox::kNameIndent; ++x) {
                    const bool changed = drawn.image.pixel(x, y) != fill;
                    if (changed) {
                        EXPECT_TRUE(markArea.contains(x, y)) << x << "," << y;
                    }
                    marked = marked || changed;
                }
            }
            EXPECT_EQ(marked, index == outline);
            // The name: ink from the indent on, around the row's middle.
            const QRect name = drawn.InkIn(QRect(CFontComboBox::kNameIndent, 0, 240 - CFontComboBox::kNameIndent, 60));
            ASSERT_FALSE(name.isEmpty());
            EXPECT_LE(name.left(), CFontComboBox::kNameIndent + 3);
            EXPECT_NEAR(name.center().y(), 30, 4);
            EXPECT_TRUE(HasPixel(drawn.image, name, text));
        }
    }
    // No item, nothing drawn.
    const SDrawn none = Draw(box, -1, false, QSize(40, 20));
    EXPECT_TRUE(HasPixel(none.image, QRect(0, 0, 40, 20), kUnpainted));
    EXPECT_TRUE(none.InkIn(none.image.rect()).isEmpty());
    EXPECT_FALSE(HasPixel(none.image, QRect(0, 0, 40, 20), box.palette().base().color().rgb()));
}

// The name is written in the box's own font, whatever font the painter
// came with, and the painter gets its own font back.
TEST(FontComboBox, AnItemIsWrittenInTheBoxsFontNotThePainters)
{
    CFontComboBox box;
    box.FillFontList();
    const int outline = FirstOfType(box, CFontComboBox::TrueTypeFontType);
    ASSERT_GE(outline, 0);
    const struct
    {
        int nBoxPixels, nPainterPixels, nMinInk, nMaxInk;
    } cases[] = {{36, 6, 20, 60}, {8, 40, 1, 12}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.nBoxPixels);
        QFont boxFont = box.font();
        boxFont.setPixelSize(c.nBoxPixels);
        box.setFont(boxFont);
        QImage image(QSize(400, 60), QImage::Format_RGB32);
        image.fill(kUnpainted);
        QPainter painter(&image);
        QFont painterFont = box.font();
        painterFont.setPixelSize(c.nPainterPixels);
        painter.setFont(painterFont);
        box.DrawItem(painter, image.rect(), outline, false);
        EXPECT_EQ(painter.font().pixelSize(), c.nPainterPixels);
        painter.end();
        const SDrawn drawn{image, box.palette().base().color().rgb()};
        const QRect name = drawn.InkIn(QRect(CFontComboBox::kNameIndent, 0, 400 - CFontComboBox::kNameIndent, 60));
        EXPECT_GE(name.height(), c.nMinInk);
        EXPECT_LE(name.height(), c.nMaxInk);
    }
}

// The closed box shows its current item; with none it shows no name.
TEST(FontComboBox, TheClosedBoxShowsTheCurrentItem)
{
    CFontComboBox box;
    box.FillFontList();
    box.resize(260, 30);
    QStyleOptionComboBox option;
    option.initFrom(&box);
    const QRect field = box.style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, &box);
    const QRect nameArea(field.left() + CFontComboBox::kNameIndent, field.top(), field.width() - CFontComboBox::kNameIndent,
                         field.height());
    const QRgb text = box.palette().text().color().rgb();
    EXPECT_TRUE(HasPixel(box.grab().toImage().convertToFormat(QImage::Format_RGB32), nameArea, text));
    box.setCurrentIndex(-1);
    EXPECT_FALSE(HasPixel(box.grab().toImage().convertToFormat(QImage::Format_RGB32), nameArea, text));
}

// The list opens at least as wide as the box, and never narrower than a
// scroll bar and 15 pixels.
TEST(FontComboBox, TheListIsNeverNarrowerThanTheBoxOrItsFloor)
{
    CFontComboBox box;
    box.FillFontList();
    box.show();
    QComboBox& combo = box; // opened as any combo box is
    const int floor = box.style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 15;
    for (const int width : {floor - 1, floor, floor + 1, 300}) {
        box.resize(width, 30);
        combo.showPopup();
        EXPECT_EQ(box.view()->minimumWidth(), std::max(width, floor)) << width;
        combo.hidePopup();
    }
}
