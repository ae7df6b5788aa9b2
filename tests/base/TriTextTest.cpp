#include "base/FixedChineseTexts.h"
#include "base/TriText.h"

#include <gtest/gtest.h>

#include <QString>

#include <algorithm>

TEST(TriText, PicksTheLanguageAndEnglishOutsideTheThree)
{
    constexpr STriText text = {"Open", "打开", "打開"};
    const struct {
        int language;
        const char* expected;
    } cases[] = {{-1, "Open"}, {0, "Open"}, {1, "打开"}, {2, "打開"}, {3, "Open"}};
    for (const auto& c : cases)
        EXPECT_EQ(text.Pick(c.language), QString::fromUtf8(c.expected)) << c.language;
}

TEST(TriText, TableWithAMissingOrEmptyTranslationIsIncomplete)
{
    constexpr std::array<STriText, 2> full = {{{"A", "甲", "甲"}, {"B", "乙", "乙"}}};
    static_assert(AllComplete(full));
    const STriText gaps[] = {{nullptr, "乙", "乙"}, {"B", "", "乙"}, {"B", "乙", nullptr}, {}};
    for (const STriText& gap : gaps)
        EXPECT_FALSE(AllComplete(std::array<STriText, 2>{full[0], gap}));
}

// The texts that stay Chinese in every language must really be Chinese
// (nobody translated one in place) and survive the UTF-8 round trip.
TEST(TriText, FixedChineseTextsAreChinese)
{
    for (const char* text : FixedChinese::kAll) {
        const QString shown = QString::fromUtf8(text);
        EXPECT_EQ(shown.toUtf8(), QByteArray(text));
        const bool hasIdeograph = std::any_of(shown.begin(), shown.end(), [](QChar c) {
            return c.unicode() >= 0x4E00 && c.unicode() <= 0x9FFF;
        });
        EXPECT_TRUE(hasIdeograph) << text;
    }
}
