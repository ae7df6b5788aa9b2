#include "base/LogFont.h"

#include <QFontDatabase>
#include <QFontInfo>

#include <algorithm>
#include <cstdlib>

namespace {
constexpr int kDefaultGuiHeight = -11; // the classic 8-point interface font at 96 dpi
}

LogFont LogFont::DefaultGuiFont()
{
    LogFont lf;
    lf.lfHeight = kDefaultGuiHeight;
    lf.lfFaceName = QFontDatabase::systemFont(QFontDatabase::GeneralFont).family().left(kFaceNameLength);
    return lf;
}

LogFont LogFont::FromQFont(const QFont& font)
{
    LogFont lf;
    const int pixels = font.pixelSize() > 0 ? font.pixelSize() : QFontInfo(font).pixelSize();
    lf.lfHeight = -pixels;
    lf.lfWeight = font.weight() >= QFont::Bold ? 700 : 400;
    lf.lfItalic = font.italic();
    lf.lfUnderline = font.underline();
    lf.lfStrikeOut = font.strikeOut();
    lf.lfFaceName = font.family().left(kFaceNameLength);
    return lf;
}

QFont LogFont::ToQFont() const
{
    QFont font(lfFaceName);
    font.setPixelSize(std::max(1, std::abs(lfHeight)));
    font.setWeight(lfWeight >= 600 ? QFont::Bold : QFont::Normal);
    font.setItalic(lfItalic);
    font.setUnderline(lfUnderline);
    font.setStrikeOut(lfStrikeOut);
    font.setStyleStrategy(QFont::NoAntialias);
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}
