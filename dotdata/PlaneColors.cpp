#include "dotdata/PlaneColors.h"

#include "base/DotPalette.h"

#include <array>

namespace {

constexpr int kRed = 1;
constexpr int kGreen = 2;
constexpr int kBlue = 4;

// Per palette index: Red, Green, Blue, Yellow, Pink, White, Orange, unlit.
using PlaneTable = std::array<int, 8>;
constexpr PlaneTable kMono = {1, 1, 1, 1, 1, 1, 1, 0};
constexpr PlaneTable kRedGreen = {kRed, kGreen, kGreen, kRed | kGreen, kRed, kRed | kGreen, kRed | kGreen, 0};
constexpr PlaneTable kRgb = {kRed, kGreen, kBlue, kRed | kGreen, kRed | kBlue, kRed | kGreen | kBlue, kRed | kGreen, 0};

// Plane bits read back to a palette index: Red 0, Green 1, Blue 2, Yellow 3,
// Pink 4, White 5.
constexpr std::array<int, 4> kReadRedGreen = {kUnlitIndex, 0, 1, 3};
constexpr std::array<int, 8> kReadRgb = {kUnlitIndex, 0, 1, 3, 2, 4, 5, 5};

const PlaneTable& TableOf(SExportOptions::Planes planes)
{
    return planes == SExportOptions::Mono ? kMono : planes == SExportOptions::RedGreen ? kRedGreen : kRgb;
}

} // namespace

int CPlaneColors::BitsOf(SExportOptions::Planes planes, int colorIndex)
{
    if (colorIndex < 0 || colorIndex >= kPaletteSize)
        return 0;
    return TableOf(planes)[static_cast<std::size_t>(colorIndex)];
}

int CPlaneColors::ColorIndexOf(SExportOptions::Planes planes, int bits, int monoColorIndex)
{
    const auto b = static_cast<std::size_t>(bits & 7);
    switch (planes) {
    case SExportOptions::Mono:
        return (bits & 1) ? monoColorIndex : kUnlitIndex;
    case SExportOptions::RedGreen:
        return kReadRedGreen[b & 3];
    case SExportOptions::Rgb:
        return kReadRgb[b];
    }
    return kUnlitIndex;
}

QString CPlaneColors::PlaneName(SExportOptions::Planes planes, int plane)
{
    if (planes == SExportOptions::Mono)
        return QStringLiteral("mono");
    static const std::array<const char*, 3> kNames = {"red", "green", "blue"};
    return QLatin1String(kNames.at(static_cast<std::size_t>(plane)));
}

QString CPlaneColors::Describe(SExportOptions::Planes planes)
{
    switch (planes) {
    case SExportOptions::Mono:
        return QStringLiteral("mono: every lit dot is 1, whatever its colour.");
    case SExportOptions::RedGreen:
        return QStringLiteral("red-green: Red and Pink light red; Green and Blue light green; "
                              "Yellow, Orange and White light both.");
    case SExportOptions::Rgb:
        return QStringLiteral("rgb: Red, Green and Blue light their own plane; Yellow and Orange light red "
                              "and green; Pink lights red and blue; White lights all three.");
    }
    return QString();
}
