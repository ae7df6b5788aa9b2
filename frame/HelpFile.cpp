#include "frame/HelpFile.h"

#include "frame/MenuTable.h"

#include <QDir>

#include <array>

namespace {
constexpr std::array<const char*, kLanguageCount> kHelpFiles = {
    "help_en.html", "help_chs.html", "help_cht.html"};
}

QString HelpFileName(int language)
{
    return QString::fromLatin1(kHelpFiles[static_cast<std::size_t>(ValidLanguage(language))]);
}

QString HelpFilePath(const QString& directory, int language)
{
    return QDir(directory).absoluteFilePath(HelpFileName(language));
}
