#include "dialogs/ScrollDialog.h"

#include <QSpinBox>

#include <gtest/gtest.h>

// The sign can be at most as large as a canvas on each axis: 1024 x 768.
TEST(ScrollDialog, TheSignSizeKeepsToTheCanvasLimitsOnBothAxes)
{
    const CScrollDialog dialog(5000, 5000, 20, 0);
    EXPECT_EQ(dialog.PanelWidth(), 1024);
    EXPECT_EQ(dialog.PanelHeight(), 768);
    EXPECT_EQ(dialog.WidthBox()->minimum(), 1);
    EXPECT_EQ(dialog.HeightBox()->minimum(), 1);
}
