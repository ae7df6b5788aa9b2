#include "frame/OverflowMessage.h"

#include <gtest/gtest.h>

// Wider, taller or both, by one dot or more, in each language; nothing when
// the text fits on an axis or on both.
TEST(OverflowMessage, NamesEachAxisThatOverflowsByItsDots)
{
    const struct
    {
        int language, wider, taller;
        const char* text;
    } cases[] = {
        {0, 0, 0, ""},
        {0, -3, 0, ""},
        {0, 0, -3, ""},
        {0, 1, 0, "The text is 1 dot wider than the canvas."},
        {0, 2, 0, "The text is 2 dots wider than the canvas."},
        {0, 0, 1, "The text is 1 dot taller than the canvas."},
        {0, 0, 9, "The text is 9 dots taller than the canvas."},
        {0, -2, 4, "The text is 4 dots taller than the canvas."},
        {0, 4, -2, "The text is 4 dots wider than the canvas."},
        {0, 1, 1, "The text is 1 dot wider and 1 dot taller than the canvas."},
        {0, 3, 10, "The text is 3 dots wider and 10 dots taller than the canvas."},
        {3, 1, 0, "The text is 1 dot wider than the canvas."},
        {1, 1, 0, "文字比画布宽 1 点。"},
        {1, 0, 2, "文字比画布高 2 点。"},
        {1, 3, 2, "文字比画布宽 3 点、高 2 点。"},
        {2, 5, 0, "文字比畫布寬 5 點。"},
        {2, 0, 1, "文字比畫布高 1 點。"},
        {2, 2, 7, "文字比畫布寬 2 點、高 7 點。"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(OverflowMessage(c.language, c.wider, c.taller).toStdString(), c.text)
            << c.language << " " << c.wider << " " << c.taller;
}
