#include "frame/OverflowMessage.h"

#include "base/TriText.h"

namespace {

// Wider, taller, both. The English texts take "1 dot" or "N dots", the
// Chinese ones the number.
constexpr std::array<STriText, 3> kMessages = {{
    {"The text is %1 wider than the canvas.", "文字比画布宽 %1 点。", "文字比畫布寬 %1 點。"},
    {"The text is %1 taller than the canvas.", "文字比画布高 %1 点。", "文字比畫布高 %1 點。"},
    {"The text is %1 wider and %2 taller than the canvas.", "文字比画布宽 %1 点、高 %2 点。",
     "文字比畫布寬 %1 點、高 %2 點。"},
}};
static_assert(AllComplete(kMessages));

QString Dots(int language, int n)
{
    if (language == kLanguageSimplified || language == kLanguageTraditional)
        return QString::number(n);
    return n == 1 ? QStringLiteral("1 dot") : QStringLiteral("%1 dots").arg(n);
}

} // namespace

QString OverflowMessage(int language, int wider, int taller)
{
    if (wider <= 0 && taller <= 0)
        return {};
    const std::size_t row = wider > 0 && taller > 0 ? 2 : wider > 0 ? 0 : 1;
    const QString text = kMessages[row].Pick(language);
    if (row == 2)
        return text.arg(Dots(language, wider), Dots(language, taller));
    return text.arg(Dots(language, wider > 0 ? wider : taller));
}
