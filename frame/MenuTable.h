#pragma once

#include <array>

// The menu bar as one table with a text column per language: each row is a
// popup, a separator or a command, nested by its depth (0 = menu bar).
struct CMenuItem
{
    static constexpr int kPopup = 0;
    static constexpr int kSeparator = -1;

    int nDepth;
    int nId;
    std::array<const char*, 3> aszText; // UTF-8: English, Simplified, Traditional Chinese
};

constexpr int kLanguageCount = 3;
constexpr int kLanguageEnglish = 0;
constexpr int kLanguageSimplified = 1;
constexpr int kLanguageTraditional = 2;
constexpr int kDefaultLanguage = kLanguageSimplified;

extern const std::array<CMenuItem, 58> kMenuTable;

// A stored language number outside the table means the default.
constexpr int ValidLanguage(int language)
{
    return language >= 0 && language < kLanguageCount ? language : kDefaultLanguage;
}
