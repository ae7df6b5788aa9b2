#pragma once

// The interface languages, in the order of the menu text columns.
constexpr int kLanguageCount = 3;
constexpr int kLanguageEnglish = 0;
constexpr int kLanguageSimplified = 1;
constexpr int kLanguageTraditional = 2;
constexpr int kDefaultLanguage = kLanguageSimplified;

// A stored language number outside the table means the default.
constexpr int ValidLanguage(int language)
{
    return language >= 0 && language < kLanguageCount ? language : kDefaultLanguage;
}
