#include "base/LogFont.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

constexpr int kDefaultGuiHeight = -11; // the classic 8-point interface font at 96 dpi
// Sizes at which the cell-to-em ratio is measured: large enough that the
// rounding of the metrics to whole pixels does not matter.
constexpr int kProbePixels = 1024;
// The largest em the conversion hands out; beyond it the rasteriser's own
// limits would decide.
constexpr int kMaxEmPixels = 0x7FFF;

QFont DescribedFont(const LogFont& lf)
{
    QFont font(lf.lfFaceName);
    font.setWeight(lf.lfWeight >= 600 ? QFont::Bold : QFont::Normal);
    font.setItalic(lf.lfItalic);
    font.setUnderline(lf.lfUnderline);
    font.setStrikeOut(lf.lfStrikeOut);
    font.setStyleStrategy(QFont::NoAntialias);
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}

// The em at which the font's design ascent + descent comes to 'cell'
// pixels, rounded to a whole pixel as the platform's font mapper does.
int EmForCellHeight(const QFont& described, int cell)
{
    QFont probe = described;
    probe.setPixelSize(kProbePixels);
    const qreal ratio = QFontMetricsF(probe).height() / kProbePixels;
    if (ratio <= 0)
        return cell;
    return static_cast<int>(std::clamp<qreal>(std::round(cell / ratio), 1, kMaxEmPixels));
}

} // namespace

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
    // Qt's weights are on the same 1..1000 scale (400 normal, 700 bold).
    lf.lfWeight = std::clamp(static_cast<int>(font.weight()), 1, 1000);
    lf.lfItalic = font.italic();
    lf.lfUnderline = font.underline();
    lf.lfStrikeOut = font.strikeOut();
    lf.lfFaceName = font.family().left(kFaceNameLength);
    return lf;
}

QFont LogFont::ToDialogFont() const
{
    QFont font = DescribedFont(*this);
    font.setWeight(static_cast<QFont::Weight>(std::clamp(lfWeight, 1, 1000)));
    const long long height = lfHeight == 0 ? EmPixels() : std::llabs(static_cast<long long>(lfHeight));
    font.setPointSize(static_cast<int>(std::min<long long>(height, kMaxEmPixels)));
    return font;
}

LogFont LogFont::FromDialogFont(const QFont& font, const LogFont& current)
{
    LogFont lf = FromQFont(font);
    const int size = font.pointSize() > 0 ? font.pointSize() : std::max(1, font.pixelSize());
    // The height keeps its kind: a cell height stays a cell height.
    lf.lfHeight = current.lfHeight < 0 ? -size : size;
    lf.lfCharSet = current.lfCharSet;
    lf.lfPitchAndFamily = current.lfPitchAndFamily;
    return lf;
}

int LogFont::EmPixels() const
{
    const QFont described = DescribedFont(*this);
    if (lfHeight == 0)
        return std::max(1, QFontInfo(described).pixelSize());
    if (lfHeight < 0)
        return static_cast<int>(std::min<long long>(-static_cast<long long>(lfHeight), kMaxEmPixels));
    return EmForCellHeight(described, std::min(lfHeight, kMaxEmPixels));
}

QFont LogFont::ToQFont() const
{
    QFont font = DescribedFont(*this);
    font.setPixelSize(EmPixels());
    return font;
}
