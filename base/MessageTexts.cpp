#include "base/MessageTexts.h"

#include <QRegularExpression>

#include <vector>

namespace {

// How deep messages nest inside each other's arguments ("the project is
// damaged: frame 3 is there twice"); deeper arguments are left as they are.
constexpr int kMaxDepth = 4;

// The argument number of a "%N" at format[at], or 0.
int ArgumentAt(const QString& format, qsizetype at)
{
    if (format[at] != QLatin1Char('%') || at + 1 >= format.size())
        return 0;
    const int digit = format[at + 1].digitValue();
    return digit >= 1 && digit <= 9 ? digit : 0;
}

// An entry's English as a pattern that takes a whole message apart: each
// argument is a group, numbered in the order the arguments stand.
struct SPattern
{
    const STriText* pText = nullptr;
    QRegularExpression expression;
    std::vector<int> arguments; // the argument number of each group
};

SPattern MakePattern(const STriText& text)
{
    SPattern pattern;
    pattern.pText = &text;
    const QString english = QString::fromUtf8(text.szEnglish);
    QString source = QStringLiteral("\\A");
    qsizetype literalStart = 0;
    for (qsizetype at = 0; at < english.size(); ++at) {
        const int number = ArgumentAt(english, at);
        if (!number)
            continue;
        source += QRegularExpression::escape(english.mid(literalStart, at - literalStart)) + QStringLiteral("(.*?)");
        pattern.arguments.push_back(number);
        literalStart = ++at + 1;
    }
    source += QRegularExpression::escape(english.mid(literalStart)) + QStringLiteral("\\z");
    pattern.expression = QRegularExpression(source, QRegularExpression::DotMatchesEverythingOption);
    return pattern;
}

const std::vector<SPattern>& Patterns()
{
    static const std::vector<SPattern> patterns = [] {
        std::vector<SPattern> made;
        for (const STriText& text : MessageText::kAll)
            made.push_back(MakePattern(text));
        return made;
    }();
    return patterns;
}

QString TranslateAt(const QString& english, int language, int depth)
{
    if (depth > kMaxDepth || english.isEmpty())
        return english;
    for (const SPattern& pattern : Patterns()) {
        const QRegularExpressionMatch match = pattern.expression.match(english);
        if (!match.hasMatch())
            continue;
        QStringList args;
        for (std::size_t group = 0; group < pattern.arguments.size(); ++group) {
            const int number = pattern.arguments[group];
            while (args.size() < number)
                args << QString();
            args[number - 1] = TranslateAt(match.captured(static_cast<int>(group) + 1), language, depth + 1);
        }
        return MessageText::Fill(pattern.pText->Pick(language), args);
    }
    if (!english.contains(QLatin1Char('\n')))
        return english;
    QStringList lines = english.split(QLatin1Char('\n'));
    for (QString& line : lines)
        line = TranslateAt(line, language, depth + 1);
    return lines.join(QLatin1Char('\n'));
}

} // namespace

namespace MessageText {

QString Fill(const QString& format, const QStringList& args)
{
    QString filled;
    filled.reserve(format.size());
    for (qsizetype at = 0; at < format.size(); ++at) {
        const int number = ArgumentAt(format, at);
        if (number && number <= args.size()) {
            filled += args.at(number - 1);
            ++at;
        } else {
            filled += format[at];
        }
    }
    return filled;
}

QString Translate(const QString& english, int language)
{
    if (language != kLanguageSimplified && language != kLanguageTraditional)
        return english;
    return TranslateAt(english, language, 0);
}

} // namespace MessageText
