#pragma once

#include <QString>

#include <array>

// The texts of the questions that keep the user's work (save changes first,
// restore unsaved work) and of the project file dialogs, in the three
// interface languages: English, Simplified and Traditional Chinese.
struct CLanguageText
{
    std::array<const char*, 3> aszText; // UTF-8

    // The text in the language; a language outside the three means English.
    QString In(int language) const;
};

namespace KeepText {
extern const CLanguageText SaveChanges;    // %1: the project's name
extern const CLanguageText Untitled;
extern const CLanguageText SaveButton;
extern const CLanguageText DiscardButton;
extern const CLanguageText CancelButton;
extern const CLanguageText RestoreWork;    // %1: when it was last written
extern const CLanguageText RestoreButton;
extern const CLanguageText LaterButton;
extern const CLanguageText ProjectFilter;  // file dialog filter, *.png
} // namespace KeepText
