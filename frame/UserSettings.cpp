#include "frame/UserSettings.h"

#include <QFileInfo>
#include <QSettings>

namespace {
const QString kProfileRoot = QStringLiteral("Local AppWizard-Generated Applications");
const QString kAppName = QStringLiteral("Tessik");
const QString kRecentGroup = QStringLiteral("Recent File List");
const QString kWindowGroup = QStringLiteral("Window");
const QString kGeometryKey = QStringLiteral("Geometry");
const QString kFontFaceKey = QStringLiteral("FontFace");
const QString kFontSizeKey = QStringLiteral("FontSize");
// Larger sizes are typed on purpose for one sign, not a font to start with.
constexpr int kMaxRememberedSize = 1024;

QString EntryKey(int i)
{
    return QStringLiteral("File%1").arg(i + 1);
}

} // namespace

QStringList CUserSettings::RecentFiles()
{
    QSettings settings(kProfileRoot, kAppName);
    settings.beginGroup(kRecentGroup);
    QStringList recent;
    for (int i = 0; i < kRecentFileCount; ++i) {
        const QString path = settings.value(EntryKey(i)).toString();
        if (!path.isEmpty())
            recent << path;
    }
    return recent;
}

void CUserSettings::AddRecentFile(const QString& path)
{
    const QString absolute = QFileInfo(path).absoluteFilePath();
    QStringList recent = RecentFiles();
    recent.removeAll(absolute);
    recent.prepend(absolute);
    while (recent.size() > kRecentFileCount)
        recent.removeLast();

    QSettings settings(kProfileRoot, kAppName);
    settings.beginGroup(kRecentGroup);
    settings.remove(QString());
    for (int i = 0; i < recent.size(); ++i)
        settings.setValue(EntryKey(i), recent.at(i));
}

QByteArray CUserSettings::WindowGeometry()
{
    QSettings settings(kProfileRoot, kAppName);
    return settings.value(kWindowGroup + QLatin1Char('/') + kGeometryKey).toByteArray();
}

void CUserSettings::SetWindowGeometry(const QByteArray& geometry)
{
    QSettings settings(kProfileRoot, kAppName);
    settings.setValue(kWindowGroup + QLatin1Char('/') + kGeometryKey, geometry);
}

std::optional<LogFont> CUserSettings::InputFont()
{
    QSettings settings(kProfileRoot, kAppName);
    settings.beginGroup(kWindowGroup);
    const QString face = settings.value(kFontFaceKey).toString();
    bool ok = false;
    const int size = settings.value(kFontSizeKey).toInt(&ok);
    if (face.isEmpty() || !ok || size <= 0 || size > kMaxRememberedSize)
        return std::nullopt;
    LogFont font = LogFont::DefaultGuiFont();
    font.lfFaceName = face.left(LogFont::kFaceNameLength);
    font.lfHeight = size;
    return font;
}

void CUserSettings::SetInputFont(const LogFont& font)
{
    QSettings settings(kProfileRoot, kAppName);
    settings.beginGroup(kWindowGroup);
    settings.setValue(kFontFaceKey, font.lfFaceName);
    settings.setValue(kFontSizeKey, font.lfHeight);
}
