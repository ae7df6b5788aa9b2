#include "dialogs/ScrollDialog.h"

#include <QFormLayout>
#include <QLabel>
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
    const CScrollDialog small(0, -3, 0, 0);
    EXPECT_EQ(small.PanelWidth(), 1);
    EXPECT_EQ(small.PanelHeight(), 1);
    EXPECT_EQ(small.Speed(), 1);
}

// What the sign and speed were stays as it was, each in its own box; speed runs 1 to 100.
TEST(ScrollDialog, EachBoxKeepsItsOwnValue)
{
    const CScrollDialog dialog(700, 500, 37, 0);
    EXPECT_EQ(dialog.PanelWidth(), 700);
    EXPECT_EQ(dialog.PanelHeight(), 500);
    EXPECT_EQ(dialog.Speed(), 37);
    EXPECT_EQ(dialog.SpeedBox()->maximum(), 100);
    EXPECT_EQ(CScrollDialog(64, 16, 101, 0).Speed(), 100);
    EXPECT_EQ(dialog.SpeedBox()->suffix(), QStringLiteral(" dots a second"));
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Scroll"));
}

// Every text id names its own text, in each language, and an id out of range is clamped.
TEST(ScrollDialog, TextsByIdAndLanguage)
{
    const struct
    {
        int id;
        const char* en;
        const char* cht;
    } cases[] = {{CScrollDialog::Title, "Scroll", "捲動"},
                 {CScrollDialog::SpeedLabel, "Speed:", "速度："},
                 {CScrollDialog::FrameDuration, "Duration:", "時長："},
                 {CScrollDialog::Milliseconds, " ms", " 毫秒"},
                 {CScrollDialog::BlinkTitle, "Blink", "閃爍"},
                 {CScrollDialog::WipeTitle, "Wipe", "擦除"},
                 {CScrollDialog::DurationTitle, "Frame Duration", "幀時長"},
                 {99, "Frame Duration", "幀時長"},
                 {-1, "Scroll", "捲動"}};
    for (const auto& c : cases) {
        EXPECT_EQ(CScrollDialog::Text(c.id, 0), QString::fromUtf8(c.en)) << c.id;
        EXPECT_EQ(CScrollDialog::Text(c.id, 2), QString::fromUtf8(c.cht)) << c.id;
    }
    EXPECT_EQ(CScrollDialog::Text(CScrollDialog::SignHeight, 1), QStringLiteral("显示屏高度（点）："));
}

// Each box is labelled in the dialog's language.
TEST(ScrollDialog, BoxesAreLabelledInTheLanguage)
{
    const CScrollDialog dialog(64, 16, 30, 1);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("滚动"));
    EXPECT_EQ(dialog.SpeedBox()->suffix(), QStringLiteral(" 点/秒"));
    auto* form = qobject_cast<QFormLayout*>(dialog.layout());
    ASSERT_NE(form, nullptr);
    const struct
    {
        QSpinBox* box;
        const char* label;
    } rows[] = {{dialog.WidthBox(), "显示屏宽度（点）："},
                {dialog.HeightBox(), "显示屏高度（点）："},
                {dialog.SpeedBox(), "速度："}};
    for (const auto& row : rows) {
        auto* label = qobject_cast<QLabel*>(form->labelForField(row.box));
        ASSERT_NE(label, nullptr) << row.label;
        EXPECT_EQ(label->text(), QString::fromUtf8(row.label));
    }
    EXPECT_TRUE(dialog.WidthBox()->suffix().isEmpty());
    EXPECT_TRUE(dialog.HeightBox()->suffix().isEmpty());
}
