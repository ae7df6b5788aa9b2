#include "base/TextCharacters.h"

QStringList CharactersOf(const QString& text)
{
    QStringList characters;
    characters.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const bool pair = text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate();
        characters.append(text.mid(i, pair ? 2 : 1));
        if (pair)
            ++i;
    }
    return characters;
}

char32_t CodePointOf(const QString& character)
{
    if (character.isEmpty())
        return 0;
    if (character.size() >= 2 && character[0].isHighSurrogate() && character[1].isLowSurrogate())
        return QChar::surrogateToUcs4(character[0], character[1]);
    return character[0].unicode();
}
