#include "base/QuotedText.h"

#include <algorithm>

namespace {

QString Escape(QChar ch)
{
    switch (ch.unicode()) {
    case '\n':
        return QStringLiteral("\\n");
    case '\r':
        return QStringLiteral("\\r");
    case '\t':
        return QStringLiteral("\\t");
    case 0:
        return QStringLiteral("\\0");
    default:
        break;
    }
    if (ch.unicode() < 0x100)
        return QStringLiteral("\\x%1").arg(ch.unicode(), 2, 16, QLatin1Char('0'));
    return QStringLiteral("\\u%1").arg(ch.unicode(), 4, 16, QLatin1Char('0'));
}

bool NeedsEscape(QChar ch)
{
    const QChar::Category c = ch.category();
    return c == QChar::Other_Control || c == QChar::Other_Format || c == QChar::Separator_Line
        || c == QChar::Separator_Paragraph || ch.isSurrogate();
}

} // namespace

QString CQuotedText::Quote(const QString& text, int maxChars)
{
    QString out;
    const int shown = static_cast<int>(std::min<qsizetype>(text.size(), std::max(maxChars, 0)));
    for (int i = 0; i < shown; ++i) {
        const QChar ch = text.at(i);
        if (ch.isHighSurrogate() && i + 1 < shown && text.at(i + 1).isLowSurrogate()) {
            out += ch;
            out += text.at(++i);
            continue;
        }
        out += NeedsEscape(ch) ? Escape(ch) : QString(ch);
    }
    if (text.size() > shown)
        out += QStringLiteral("...");
    return out;
}
