#include "dialogs/ResizeCanvasDialog.h"
#include "base/DotGrid.h"
#include "dialogs/ExportDialog.h"
#include "dialogs/ScrollDialog.h"

#include <QDialogButtonBox>
#include <QPushButton>

#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QSpinBox>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

// The nine anchors sit as their arrows point: top row left to right, then
// the middle and bottom rows.
TEST(ResizeCanvasDialog, AnchorsSitWhereTheirArrowsPoint)
{
    const CResizeCanvasDialog dialog(64, 32, 0);
    const struct
    {
        int anchor;
        int row;
        int column;
        const char* mark;
    } cases[] = {{0, 0, 0, "↖"}, {2, 0, 2, "↗"}, {4, 1, 1, "•"}, {5, 1, 2, "→"}, {6, 2, 0, "↙"}, {8, 2, 2, "↘"}};
    for (const auto& c : cases) {
        QRadioButton* button = dialog.AnchorButton(c.anchor);
        auto* grid = qobject_cast<QGridLayout*>(button->parentWidget()->layout());
        ASSERT_NE(grid, nullptr);
        int row = -1, column = -1, rows = 0, columns = 0;
        grid->getItemPosition(grid->indexOf(button), &row, &column, &rows, &columns);
        EXPECT_EQ(row, c.row) << c.anchor;
        EXPECT_EQ(column, c.column) << c.anchor;
        EXPECT_EQ(button->text(), QString::fromUtf8(c.mark)) << c.anchor;
    }
}

// Sizes come back in whole blocks of 8 within 1024 x 768, each axis on its own
// limit, whether given at the start or typed.
TEST(ResizeCanvasDialog, SizesAreWholeBlocksWithinEachAxissLimit)
{
    const struct
    {
        int width, height, wantWidth, wantHeight;
    } cases[] = {{8, 8, 8, 8},       {9, 10, 16, 16},      {1, 0, 8, 8},         {1016, 760, 1016, 760},
                 {1017, 761, 1024, 768}, {1024, 768, 1024, 768}, {1025, 769, 1024, 768}, {768, 1024, 768, 768}};
    for (const auto& c : cases) {
        const CResizeCanvasDialog dialog(c.width, c.height, 0);
        EXPECT_EQ(dialog.CanvasWidth(), c.wantWidth) << c.width;
        EXPECT_EQ(dialog.CanvasHeight(), c.wantHeight) << c.height;
    }
    const CResizeCanvasDialog dialog(64, 32, 0);
    EXPECT_EQ(dialog.WidthBox()->maximum(), 1024);
    EXPECT_EQ(dialog.HeightBox()->maximum(), 768);
    EXPECT_EQ(dialog.WidthBox()->minimum(), 8);
    EXPECT_EQ(dialog.HeightBox()->singleStep(), 8);
    dialog.WidthBox()->setValue(65);
    dialog.HeightBox()->setValue(33);
    EXPECT_EQ(dialog.CanvasWidth(), 72);
    EXPECT_EQ(dialog.CanvasHeight(), 40);
    emit dialog.HeightBox()->editingFinished();
    EXPECT_EQ(dialog.HeightBox()->value(), 40);
    EXPECT_EQ(dialog.WidthBox()->value(), 65);
}

// The top left anchor is chosen at first; whichever button is checked is the anchor.
TEST(ResizeCanvasDialog, TheCheckedButtonIsTheAnchor)
{
    CResizeCanvasDialog dialog(64, 32, 2);
    EXPECT_EQ(dialog.Anchor(), 0);
    for (int i = 8; i >= 0; --i) {
        dialog.AnchorButton(i)->setChecked(true);
        EXPECT_EQ(dialog.Anchor(), i);
    }
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("調整畫布大小"));
}

// The size boxes show in the dialog above the anchors, the anchors above the buttons.
TEST(ResizeCanvasDialog, SizesAnchorsAndButtonsAreStackedInTheDialog)
{
    CResizeCanvasDialog dialog(64, 32, 0);
    dialog.show();
    const QWidget* anchors = dialog.AnchorButton(0)->parentWidget();
    const QWidget* buttons = dialog.findChild<QDialogButtonBox*>();
    ASSERT_NE(buttons, nullptr);
    for (const QWidget* box : {static_cast<const QWidget*>(dialog.WidthBox()), static_cast<const QWidget*>(dialog.HeightBox())}) {
        ASSERT_TRUE(dialog.isAncestorOf(box));
        EXPECT_TRUE(box->isVisible());
        EXPECT_TRUE(dialog.rect().contains(QRect(box->mapTo(&dialog, QPoint(0, 0)), box->size())));
        EXPECT_LE(box->mapTo(&dialog, QPoint(0, box->height())).y(), anchors->y());
    }
    EXPECT_LE(anchors->geometry().bottom(), buttons->y());
}

// In each dialog with a button row, OK accepts and Cancel rejects.
TEST(DialogButtons, OkAcceptsAndCancelRejects)
{
    CDotGrid grid;
    ASSERT_TRUE(grid.Create(16, 8, 0));
    const std::function<std::unique_ptr<QDialog>()> makers[] = {
        [] { return std::make_unique<CResizeCanvasDialog>(64, 32, 0); },
        [] { return std::make_unique<CScrollDialog>(64, 16, 30, 0); },
        [&grid] { return std::make_unique<CExportDialog>(grid, 0); },
    };
    for (const auto& make : makers)
        for (const auto role : {QDialogButtonBox::Ok, QDialogButtonBox::Cancel}) {
            const std::unique_ptr<QDialog> dialog = make();
            dialog->show();
            auto* buttons = dialog->findChild<QDialogButtonBox*>();
            ASSERT_NE(buttons, nullptr) << dialog->metaObject()->className();
            ASSERT_NE(buttons->button(role), nullptr) << dialog->metaObject()->className();
            buttons->button(role)->click();
            EXPECT_EQ(dialog->result(), role == QDialogButtonBox::Ok ? QDialog::Accepted : QDialog::Rejected)
                << dialog->metaObject()->className();
            EXPECT_FALSE(dialog->isVisible()) << dialog->metaObject()->className();
        }
}

// Each size box and the anchors carry their label in the menu's language.
TEST(ResizeCanvasDialog, LabelsFollowTheLanguage)
{
    const struct
    {
        int language;
        const char *width, *height, *anchors;
    } cases[] = {{0, "&Width:", "&Height:", "Keep the dots at"},
                 {1, "宽度(&W):", "高度(&H):", "原有格点位置"},
                 {2, "寬度(&W):", "高度(&H):", "原有格點位置"}};
    for (const auto& c : cases) {
        const CResizeCanvasDialog dialog(64, 32, c.language);
        auto* form = dialog.findChild<QFormLayout*>();
        ASSERT_NE(form, nullptr);
        auto* widthLabel = qobject_cast<QLabel*>(form->labelForField(dialog.WidthBox()));
        auto* heightLabel = qobject_cast<QLabel*>(form->labelForField(dialog.HeightBox()));
        ASSERT_TRUE(widthLabel && heightLabel) << c.language;
        EXPECT_EQ(widthLabel->text(), QString::fromUtf8(c.width));
        EXPECT_EQ(heightLabel->text(), QString::fromUtf8(c.height));
        auto* anchors = qobject_cast<QGroupBox*>(dialog.AnchorButton(0)->parentWidget());
        ASSERT_NE(anchors, nullptr);
        EXPECT_EQ(anchors->title(), QString::fromUtf8(c.anchors));
        EXPECT_TRUE(dialog.AnchorButton(0)->isChecked()) << c.language;
    }
    // A width typed between blocks is rounded up when editing ends.
    const CResizeCanvasDialog dialog(64, 32, 0);
    dialog.WidthBox()->setValue(1017);
    emit dialog.WidthBox()->editingFinished();
    EXPECT_EQ(dialog.WidthBox()->value(), 1024);
}
