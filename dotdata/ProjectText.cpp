#include "dotdata/ProjectText.h"

#include "base/MessageTexts.h"
#include "base/QuotedText.h"
#include "base/TextCharacters.h"

#include <QStringDecoder>

namespace {

constexpr int kMaxRunLength = 1 << 20;

bool IsEscaped(QChar c)
{
    return c.unicode() < 0x20 || c.unicode() == 0x7F || c == QLatin1Char('\\');
}

// A surrogate that is not half of a pair, which UTF-8 cannot carry.
bool IsLoneSurrogate(const QString& text, qsizetype i)
{
    const QChar c = text.at(i);
    if (c.isHighSurrogate())
        return i + 1 >= text.size() || !text.at(i + 1).isLowSurrogate();
    if (c.isLowSurrogate())
        return i == 0 || !text.at(i - 1).isHighSurrogate();
    return false;
}

int HexDigit(QChar c)
{
    const ushort u = c.unicode();
    if (u >= '0' && u <= '9')
        return u - '0';
    if (u >= 'A' && u <= 'F')
        return u - 'A' + 10;
    if (u >= 'a' && u <= 'f')
        return u - 'a' + 10;
    return -1;
}

// The number written by the given count of hexadecimal digits at from; -1
// when they are not all there.
int HexValue(const QString& text, qsizetype from, int digits)
{
    if (text.size() - from < digits)
        return -1;
    int value = 0;
    for (int k = 0; k < digits; ++k) {
        const int digit = HexDigit(text.at(from + k));
        if (digit < 0)
            return -1;
        value = value * 16 + digit;
    }
    return value;
}

// Exactly six hexadecimal digits RRGGBB.
bool ParseColor(const QString& text, COLORREF& colour)
{
    const int rgb = text.size() == 6 ? HexValue(text, 0, 6) : -1;
    if (rgb < 0)
        return false;
    colour = MakeColor(rgb >> 16, rgb >> 8, rgb);
    return true;
}

QString ColorText(COLORREF colour)
{
    return QStringLiteral("%1%2%3")
        .arg(RedOf(colour), 2, 16, QLatin1Char('0'))
        .arg(GreenOf(colour), 2, 16, QLatin1Char('0'))
        .arg(BlueOf(colour), 2, 16, QLatin1Char('0'))
        .toUpper();
}

} // namespace

QString CProjectText::Escape(const QString& text)
{
    QString escaped;
    escaped.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (IsLoneSurrogate(text, i)) {
            escaped += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
        } else if (!IsEscaped(c)) {
            escaped += c;
        } else if (c == QLatin1Char('\\')) {
            escaped += QLatin1String("\\\\");
        } else if (c == QLatin1Char('\n')) {
            escaped += QLatin1String("\\n");
        } else if (c == QLatin1Char('\r')) {
            escaped += QLatin1String("\\r");
        } else {
            escaped += QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0'));
        }
    }
    return escaped;
}

bool CProjectText::Unescape(const QString& text, QString& result)
{
    result.clear();
    result.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c != QLatin1Char('\\')) {
            result += c;
            continue;
        }
        if (++i >= text.size())
            return false;
        const QChar kind = text.at(i);
        if (kind == QLatin1Char('\\')) {
            result += kind;
        } else if (kind == QLatin1Char('n')) {
            result += QLatin1Char('\n');
        } else if (kind == QLatin1Char('r')) {
            result += QLatin1Char('\r');
        } else if (kind == QLatin1Char('x') || kind == QLatin1Char('u')) {
            const int digits = kind == QLatin1Char('x') ? 2 : 4;
            const int value = HexValue(text, i + 1, digits);
            if (value < 0)
                return false;
            result += QChar(static_cast<char16_t>(value));
            i += digits;
        } else {
            return false;
        }
    }
    return true;
}

void CProjectText::PutRaw(const char* key, const QString& value)
{
    m_bytes += key;
    m_bytes += '=';
    m_bytes += value.toUtf8();
    m_bytes += '\n';
}

void CProjectText::Put(const char* key, const QString& value)
{
    PutRaw(key, Escape(value));
}

void CProjectText::Put(const char* key, int value)
{
    PutRaw(key, QString::number(value));
}

void CProjectText::PutColor(const char* key, COLORREF colour)
{
    PutRaw(key, ColorText(colour));
}

void CProjectText::PutColorRuns(const char* key, const std::vector<COLORREF>& colours)
{
    QStringList runs;
    for (std::size_t i = 0; i < colours.size();) {
        std::size_t end = i + 1;
        while (end < colours.size() && colours[end] == colours[i])
            ++end;
        runs << QStringLiteral("%1*%2").arg(ColorText(colours[i])).arg(end - i);
        i = end;
    }
    PutRaw(key, runs.join(QLatin1Char(' ')));
}

bool CProjectText::Fail(const char* key, const QString& what)
{
    m_szError = key ? MessageText::English(MessageText::NamedProblem, {QLatin1String(key), what}) : what;
    return false;
}

bool CProjectText::Parse(const QByteArray& bytes)
{
    m_values.clear();
    m_szError.clear();
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = decoder(bytes);
    if (decoder.hasError())
        return Fail(nullptr, MessageText::English(MessageText::SettingsNotUtf8));
    const QList<QStringView> lines = QStringView(text).split(QLatin1Char('\n'));
    if (lines.size() > kMaxLines)
        return Fail(nullptr, MessageText::English(MessageText::TooManySettingsLines, {QString::number(kMaxLines)}));
    for (const QStringView line : lines) {
        if (line.isEmpty())
            continue;
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (equals <= 0)
            return Fail(nullptr, MessageText::English(MessageText::SettingWithoutKey, {CQuotedText::Quote(line.toString())}));
        m_values.insert(line.left(equals).toString(), line.mid(equals + 1).toString());
    }
    return true;
}

bool CProjectText::GetInt(const char* key, int min, int max, int& value)
{
    const auto it = m_values.constFind(QLatin1String(key));
    if (it == m_values.constEnd())
        return true;
    bool ok = false;
    const qlonglong number = it->toLongLong(&ok);
    if (!ok || number < min || number > max)
        return Fail(key, MessageText::English(MessageText::NotANumberFromTo,
                                              {CQuotedText::Quote(*it), QString::number(min), QString::number(max)}));
    value = static_cast<int>(number);
    return true;
}

bool CProjectText::GetColor(const char* key, COLORREF& value)
{
    const auto it = m_values.constFind(QLatin1String(key));
    if (it == m_values.constEnd())
        return true;
    return ParseColor(*it, value) || Fail(key, MessageText::English(MessageText::NotAColour, {CQuotedText::Quote(*it)}));
}

bool CProjectText::GetText(const char* key, int maxChars, QString& value)
{
    const auto it = m_values.constFind(QLatin1String(key));
    if (it == m_values.constEnd())
        return true;
    QString text;
    if (!Unescape(*it, text))
        return Fail(key, MessageText::English(MessageText::BrokenEscape, {CQuotedText::Quote(*it)}));
    if (CharactersOf(text).size() > maxChars)
        return Fail(key, MessageText::English(MessageText::TooManyCharacters, {QString::number(maxChars)}));
    value = text;
    return true;
}

bool CProjectText::GetColorRuns(const char* key, int maxCount, std::vector<COLORREF>& value)
{
    const auto it = m_values.constFind(QLatin1String(key));
    if (it == m_values.constEnd())
        return true;
    std::vector<COLORREF> colours;
    for (const QStringView run : QStringView(*it).split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const qsizetype star = run.indexOf(QLatin1Char('*'));
        COLORREF colour = 0;
        bool ok = false;
        const int count = star == 6 ? run.mid(7).toInt(&ok) : 0;
        if (!ok || count < 1 || count > kMaxRunLength || !ParseColor(run.left(6).toString(), colour))
            return Fail(key, MessageText::English(MessageText::NotAColourRun, {CQuotedText::Quote(run.toString())}));
        if (static_cast<qsizetype>(colours.size()) + count > maxCount)
            return Fail(key, MessageText::English(MessageText::TooManyColours, {QString::number(maxCount)}));
        colours.insert(colours.end(), static_cast<std::size_t>(count), colour);
    }
    value = std::move(colours);
    return true;
}
