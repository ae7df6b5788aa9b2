#pragma once

#include <QString>
#include <QStringList>

// Characters as people count them: one code point each, so a character
// outside the Basic Multilingual Plane (an emoji, a rare CJK ideograph) is
// one character although it takes two UTF-16 units. A lone surrogate counts
// as a character of its own.
QStringList CharactersOf(const QString& text);
// The code point of a character from CharactersOf.
char32_t CodePointOf(const QString& character);
