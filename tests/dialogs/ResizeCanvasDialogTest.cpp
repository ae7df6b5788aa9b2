#include "dialogs/ResizeCanvasDialog.h"

#include <QGridLayout>
#include <QRadioButton>

#include <gtest/gtest.h>

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
