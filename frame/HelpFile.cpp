#include "frame/HelpFile.h"

#include "base/Languages.h"

#include <QDir>
#include <QFileInfo>

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
    const QString name = HelpFileName(language);
    const QString beside = QDir(directory).absoluteFilePath(name);
    const QString installed = QDir(directory).absoluteFilePath(QStringLiteral("../share/pellmark/help/") + name);
    if (!QFileInfo::exists(beside) && QFileInfo::exists(installed))
        return QDir::cleanPath(installed);
    return beside;
}
