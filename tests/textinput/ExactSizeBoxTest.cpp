#include "textinput/FontComboBox.h"
#include "textinput/InputTextView.h"

#include <QComboBox>
#include <QLineEdit>

#include <gtest/gtest.h>

#include <vector>

namespace {

struct SListed
{
    QStringList sizes;
    QStringList exact; // the ones marked bold
};

// Chooses face in the pane's font box as the user does, and reads the
// size box.
SListed ChooseFace(CInputTextView& pane, const QString& face)
{
    CFontComboBox* fonts = pane.FontCombo();
    const int index = fonts->findText(face);
    EXPECT_GE(index, 0) << qPrintable(face);
    fonts->setCurrentIndex(index);
    emit fonts->activated(index);
    SListed listed;
    QComboBox* box = pane.SizeCombo();
    for (int i = 0; i < box->count(); ++i) {
        listed.sizes << box->itemText(i);
        const QVariant font = box->itemData(i, Qt::FontRole);
        const bool bold = font.isValid() && font.value<QFont>().bold();
        const bool tip = !box->itemData(i, Qt::ToolTipRole).toString().isEmpty();
        EXPECT_EQ(bold, tip) << qPrintable(box->itemText(i));
        if (bold)
            listed.exact << box->itemText(i);
    }
    return listed;
}

} // namespace

TEST(ExactSizeBox, MarksTheSizesWhereTheFontHasItsDesignersDots)
{
    CInputTextView pane;
    pane.SizeCombo()->lineEdit()->setText(QStringLiteral("16"));

    // Unifont is exact at its grid's multiples, among the usual sizes.
    const SListed unifont = ChooseFace(pane, QStringLiteral("Unifont"));
    EXPECT_EQ(unifont.sizes, (QStringList{"8", "12", "16", "24", "32", "48", "64", "72"}));
    EXPECT_EQ(unifont.exact, (QStringList{"16", "32", "48", "64"}));

    // The strike sizes of an outline font are added where the height rule
    // reaches them.
    const SListed sharp = ChooseFace(pane, QStringLiteral("WenQuanYi Zen Hei Sharp"));
    EXPECT_FALSE(sharp.exact.isEmpty());
    for (const char* usual : {"8", "12", "24", "72"})
        EXPECT_TRUE(sharp.sizes.contains(usual) && !sharp.exact.contains(usual)) << qPrintable(usual);
    for (const QString& size : sharp.exact)
        EXPECT_TRUE(sharp.sizes.contains(size));

    // A bitmap font offers its own sizes only, all exact.
    const SListed song = ChooseFace(pane, QStringLiteral("WenQuanYi Bitmap Song"));
    EXPECT_EQ(song.sizes, (QStringList{"12", "13", "14", "15", "16"}));
    EXPECT_EQ(song.exact, song.sizes);

    // A smooth font marks nothing; what the user typed stays.
    const SListed smooth = ChooseFace(pane, QStringLiteral("DejaVu Sans"));
    EXPECT_TRUE(smooth.exact.isEmpty());
    EXPECT_EQ(smooth.sizes.size(), 8);
    EXPECT_EQ(pane.SizeCombo()->currentText(), QStringLiteral("16"));
}

TEST(ExactSizeBox, TipsFollowTheLanguage)
{
    CInputTextView pane;
    ChooseFace(pane, QStringLiteral("Unifont"));
    const int index = pane.SizeCombo()->findText(QStringLiteral("32"));
    ASSERT_GE(index, 0);
    QStringList tips;
    for (int language : {0, 1, 2, 7}) {
        pane.SetLanguage(language);
        tips << pane.SizeCombo()->itemData(index, Qt::ToolTipRole).toString();
    }
    EXPECT_TRUE(tips[0].contains(QStringLiteral("designer"))) << qPrintable(tips[0]);
    EXPECT_TRUE(tips[1].contains(QStringLiteral("点阵"))) << qPrintable(tips[1]);
    EXPECT_TRUE(tips[2].contains(QStringLiteral("點陣"))) << qPrintable(tips[2]);
    EXPECT_EQ(tips[3], tips[2]); // out of range: the last language
    for (const QString& tip : tips)
        EXPECT_TRUE(tip.contains(QStringLiteral("32"))) << qPrintable(tip);
}
