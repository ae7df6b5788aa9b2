#include "base/ExportOptions.h"

#include <array>

namespace {

// The largest module side: a module never exceeds the largest canvas.
constexpr int kMaxModuleSide = 1024;

template <std::size_t N>
QStringList WordsOf(const std::array<const char*, N>& words)
{
    QStringList list;
    for (const char* word : words)
        list << QLatin1String(word);
    return list;
}

// The position of word in words, or -1.
template <std::size_t N>
int IndexOf(const std::array<const char*, N>& words, const QString& word)
{
    for (std::size_t i = 0; i < N; ++i) {
        if (word == QLatin1String(words[i]))
            return static_cast<int>(i);
    }
    return -1;
}

template <class Enum, std::size_t N>
bool ParseWord(const std::array<const char*, N>& words, const QString& word, Enum& value)
{
    const int index = IndexOf(words, word);
    if (index < 0)
        return false;
    value = static_cast<Enum>(index);
    return true;
}

// In the order of the enumerations.
constexpr std::array<const char*, 2> kScanWords = {"rows", "columns"};
constexpr std::array<const char*, 2> kBitOrderWords = {"msb", "lsb"};
constexpr std::array<const char*, 2> kModuleOrderWords = {"rows", "columns"};
constexpr std::array<const char*, 3> kPlanesWords = {"mono", "red-green", "rgb"};

} // namespace

bool SExportOptions::operator==(const SExportOptions& other) const
{
    return scan == other.scan && bitOrder == other.bitOrder && moduleWidth == other.moduleWidth
        && moduleHeight == other.moduleHeight && moduleOrder == other.moduleOrder
        && serpentine == other.serpentine && invert == other.invert && planes == other.planes;
}

bool CExportOptionNames::ParseScan(const QString& word, SExportOptions& options)
{
    return ParseWord(kScanWords, word, options.scan);
}

bool CExportOptionNames::ParseBitOrder(const QString& word, SExportOptions& options)
{
    return ParseWord(kBitOrderWords, word, options.bitOrder);
}

bool CExportOptionNames::ParseModuleOrder(const QString& word, SExportOptions& options)
{
    return ParseWord(kModuleOrderWords, word, options.moduleOrder);
}

bool CExportOptionNames::ParsePlanes(const QString& word, SExportOptions& options)
{
    return ParseWord(kPlanesWords, word, options.planes);
}

bool CExportOptionNames::ParseModule(const QString& word, SExportOptions& options)
{
    if (word == QLatin1String("none") || word == QLatin1String("0x0")) {
        options.moduleWidth = 0;
        options.moduleHeight = 0;
        return true;
    }
    const QStringList sides = word.split(QLatin1Char('x'));
    if (sides.size() != 2)
        return false;
    bool okWidth = false;
    bool okHeight = false;
    const int width = sides.at(0).toInt(&okWidth);
    const int height = sides.at(1).toInt(&okHeight);
    if (!okWidth || !okHeight || width < 1 || height < 1 || width > kMaxModuleSide || height > kMaxModuleSide)
        return false;
    options.moduleWidth = width;
    options.moduleHeight = height;
    return true;
}

QStringList CExportOptionNames::ScanWords() { return WordsOf(kScanWords); }
QStringList CExportOptionNames::BitOrderWords() { return WordsOf(kBitOrderWords); }
QStringList CExportOptionNames::ModuleOrderWords() { return WordsOf(kModuleOrderWords); }
QStringList CExportOptionNames::PlanesWords() { return WordsOf(kPlanesWords); }

QString CExportOptionNames::ScanWord(SExportOptions::Scan scan)
{
    return QLatin1String(kScanWords.at(static_cast<std::size_t>(scan)));
}

QString CExportOptionNames::BitOrderWord(SExportOptions::BitOrder order)
{
    return QLatin1String(kBitOrderWords.at(static_cast<std::size_t>(order)));
}

QString CExportOptionNames::ModuleOrderWord(SExportOptions::ModuleOrder order)
{
    return QLatin1String(kModuleOrderWords.at(static_cast<std::size_t>(order)));
}

QString CExportOptionNames::PlanesWord(SExportOptions::Planes planes)
{
    return QLatin1String(kPlanesWords.at(static_cast<std::size_t>(planes)));
}
