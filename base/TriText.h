#pragma once

#include "base/Languages.h"

#include <QString>

#include <array>
#include <cstddef>

// A user text in the three interface languages, UTF-8. Every text that
// follows the language is one of these, kept in a table beside the code that
// shows it, and is looked up with Pick. Texts that read the same in every
// language are plain strings: the English status-bar prompts, and the
// Chinese texts of base/FixedChineseTexts.h.
struct STriText
{
    const char* szEnglish;
    const char* szSimplified;
    const char* szTraditional;

    // The text in the language; a number outside the three means English.
    constexpr const char* Utf8(int language) const
    {
        return language == kLanguageSimplified    ? szSimplified
               : language == kLanguageTraditional ? szTraditional
                                                  : szEnglish;
    }
    QString Pick(int language) const { return QString::fromUtf8(Utf8(language)); }

    // A text in each language; a table missing a translation is a build error
    // (see AllComplete), not an empty label at run time.
    constexpr bool IsComplete() const { return Filled(szEnglish) && Filled(szSimplified) && Filled(szTraditional); }

private:
    static constexpr bool Filled(const char* text) { return text && *text; }
};

template <std::size_t N>
constexpr bool AllComplete(const std::array<STriText, N>& table)
{
    for (const STriText& text : table) {
        if (!text.IsComplete())
            return false;
    }
    return true;
}
