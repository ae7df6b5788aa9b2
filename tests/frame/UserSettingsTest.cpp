#include "frame/UserSettings.h"

#include <gtest/gtest.h>

// The input pane's font comes back with sizes 1 to 1024; any other stored
// size gives no font at all.
TEST(UserSettings, RememberedFontSizesFromOneToTheLimit)
{
    LogFont font = LogFont::DefaultGuiFont();
    font.lfFaceName = QStringLiteral("DejaVu Serif");
    for (const int size : {1, 16, 1024, 0, -16, 1025}) {
        font.lfHeight = size;
        CUserSettings::SetInputFont(font);
        const std::optional<LogFont> back = CUserSettings::InputFont();
        ASSERT_EQ(back.has_value(), size >= 1 && size <= 1024) << size;
        if (back) {
            EXPECT_EQ(back->lfHeight, size);
            EXPECT_EQ(back->lfFaceName, QStringLiteral("DejaVu Serif"));
        }
    }
}
