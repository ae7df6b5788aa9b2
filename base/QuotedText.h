#pragma once

#include <QString>

// Bad input named in a message: at most a short stretch of it, with control
// characters shown as escapes, so that a huge junk line or raw CR and NUL
// bytes never reach the user's terminal or message box.
class CQuotedText
{
public:
    static constexpr int kMaxChars = 60;

    // The first maxChars characters of text, control characters escaped
    // (\n, \r, \t, \0, \xHH, \uHHHH), "..." appended when text was longer.
    static QString Quote(const QString& text, int maxChars = kMaxChars);
};
