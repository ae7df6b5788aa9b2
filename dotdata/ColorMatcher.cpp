#include "dotdata/ColorMatcher.h"

#include "base/DotGrid.h"
#include "base/DotPalette.h"

#include <QImage>

#include <algorithm>
#include <limits>
#include <utility>
#include <vector>

namespace {

struct SArea
{
    int nWidth = 0;
    int nHeight = 0;
};

// The part of the picture that lands on the grid.
SArea CoveredArea(const QImage& rows, const CDotGrid& grid)
{
    if (grid.IsEmpty() || rows.isNull())
        return {};
    return {std::min(rows.width(), grid.Width()), std::min(rows.height(), grid.Height())};
}

// Display row y of the grid, as blue, green, red bytes.
std::uint8_t* GridRow(CDotGrid& grid, int y)
{
    const std::size_t stride = 3u * static_cast<std::size_t>(grid.Width());
    return grid.Bits() + static_cast<std::size_t>(grid.Height() - 1 - y) * stride;
}

void Store(std::uint8_t* dot, COLORREF colour)
{
    dot[0] = static_cast<std::uint8_t>(BlueOf(colour));
    dot[1] = static_cast<std::uint8_t>(GreenOf(colour));
    dot[2] = static_cast<std::uint8_t>(RedOf(colour));
}

// Sixteenths of a colour step to whole steps, halves rounded up.
int FromSixteenths(int sixteenths)
{
    return (sixteenths >= 0 ? sixteenths + 8 : sixteenths - 7) / 16;
}

} // namespace

CColorMatcher::CColorMatcher(COLORREF background)
{
    for (std::size_t i = 0; i < DotPalette.size(); ++i)
        m_acrLook[i] = DotPalette[i];
    m_acrLook[kUnlitIndex] = background;
    SetScores(m_nearest, kNearestWeight);
    SetScores(m_dither, kDitherWeight);
    SetScores(m_family, kNearestWeight, kFamilyLumaWeight);
}

namespace {

constexpr int kGreyChroma = 24;
constexpr int kClearChroma = 32;
constexpr int kClearSaturationPercent = 30;

constexpr unsigned Bit(int index) { return 1u << static_cast<unsigned>(index); }

// The hue angle in degrees, 0 <= hue < 360, of a pixel that is no grey.
double HueOf(int red, int green, int blue)
{
    const int high = std::max({red, green, blue});
    const int chroma = high - std::min({red, green, blue});
    double hue = 0;
    if (high == red)
        hue = 60.0 * (green - blue) / chroma;
    else if (high == green)
        hue = 120.0 + 60.0 * (blue - red) / chroma;
    else
        hue = 240.0 + 60.0 * (red - green) / chroma;
    return hue < 0 ? hue + 360.0 : hue;
}

} // namespace

int CColorMatcher::HueFamily(int red, int green, int blue)
{
    const int high = std::max({red, green, blue});
    const int chroma = high - std::min({red, green, blue});
    if (chroma < kClearChroma || chroma * 100 < kClearSaturationPercent * high)
        return -1;
    const double hue = HueOf(red, green, blue);
    // Palette order: Red, Green, Blue, Yellow, Pink, White, Orange.
    if (hue < 15 || hue >= 330)
        return 0;
    if (hue < 45)
        return 6;
    if (hue < 90)
        return 3;
    if (hue < 180)
        return 1;
    if (hue < 270)
        return 2;
    return 4;
}

int CColorMatcher::NearestIndex(int red, int green, int blue) const
{
    const int chroma = std::max({red, green, blue}) - std::min({red, green, blue});
    constexpr int kWhite = 5;
    constexpr int kPink = 4;
    if (chroma <= kGreyChroma)
        return ClosestIndex(red, green, blue, m_nearest, Bit(kWhite) | Bit(kUnlitIndex));
    const int family = HueFamily(red, green, blue);
    if (family >= 0)
        return ClosestIndex(red, green, blue, m_family, Bit(family) | Bit(kUnlitIndex));
    // Pink is the dull red: no candidate for oranges, yellows, greens or blues.
    const double hue = HueOf(red, green, blue);
    const bool reddish = hue < 30 || hue >= 270;
    return ClosestIndex(red, green, blue, m_nearest, reddish ? 0xFFu : 0xFFu & ~Bit(kPink));
}

// The distance is a quadratic form d(p, c) = (p - c)' M (p - c) in R, G, B,
// with M = y y' + w (cb cb' + cr cr') for the rows y = (299, 587, 114),
// cb = (-299, -587, 886) and cr = (701, -587, -114) that give Y, Cb and Cr in
// thousandths. Over the candidates c, d differs from c' M c - 2 (M c)' p only
// by p' M p, the same for all of them; so the nearest candidate is the one of
// least score, found with three products each.
void CColorMatcher::SetScores(SScores& scores, std::int64_t weight, std::int64_t lumaWeight) const
{
    constexpr std::array<std::array<std::int64_t, 3>, 3> rows = {{{299, 587, 114}, {-299, -587, 886}, {701, -587, -114}}};
    for (std::size_t i = 0; i < m_acrLook.size(); ++i) {
        const COLORREF look = m_acrLook[i];
        const std::array<std::int64_t, 3> c = {RedOf(look), GreenOf(look), BlueOf(look)};
        std::array<std::int64_t, 3> mc {};
        for (std::size_t k = 0; k < 3; ++k) {
            const std::int64_t w = k == 0 ? lumaWeight : weight;
            const std::int64_t along = rows[k][0] * c[0] + rows[k][1] * c[1] + rows[k][2] * c[2];
            for (std::size_t j = 0; j < 3; ++j)
                mc[j] += w * rows[k][j] * along;
        }
        scores.adRed[i] = static_cast<double>(2 * mc[0]);
        scores.adGreen[i] = static_cast<double>(2 * mc[1]);
        scores.adBlue[i] = static_cast<double>(2 * mc[2]);
        scores.adConstant[i] = static_cast<double>(mc[0] * c[0] + mc[1] * c[1] + mc[2] * c[2]);
    }
}

int CColorMatcher::ClosestIndex(int red, int green, int blue, const SScores& scores, unsigned among)
{
    std::array<double, 8> score;
    for (std::size_t i = 0; i < score.size(); ++i) {
        score[i] = scores.adConstant[i] - (scores.adRed[i] * red + scores.adGreen[i] * green + scores.adBlue[i] * blue);
        if (!(among & (1u << i)))
            score[i] = std::numeric_limits<double>::infinity();
    }
    // Pairs, then pairs of winners: a short chain, since dithering waits for
    // each answer. The later candidate wins only when strictly nearer, so on
    // a tie the lower index, a dot colour before unlit, is kept.
    const auto nearer = [&score](std::size_t a, std::size_t b) { return score[b] < score[a] ? b : a; };
    const std::size_t low = nearer(nearer(0, 1), nearer(2, 3));
    const std::size_t high = nearer(nearer(4, 5), nearer(6, 7));
    return static_cast<int>(nearer(low, high));
}

bool CColorMatcher::IsCandidate(COLORREF colour) const
{
    return PaletteIndexOf(colour) != kUnlitIndex || colour == m_acrLook[kUnlitIndex];
}

void CColorMatcher::MatchNearest(const QImage& picture, CDotGrid& grid) const
{
    const QImage rows = picture.convertToFormat(QImage::Format_BGR888);
    const SArea area = CoveredArea(rows, grid);
    // Pictures repeat colours along a row; the last answer is kept.
    COLORREF lastPixel = 0xFFFFFFFFu;
    COLORREF lastLook = 0;
    for (int y = 0; y < area.nHeight; ++y) {
        const std::uint8_t* pixel = rows.constScanLine(y);
        std::uint8_t* dot = GridRow(grid, y);
        for (int x = 0; x < area.nWidth; ++x, pixel += 3, dot += 3) {
            const COLORREF colour = MakeColor(pixel[2], pixel[1], pixel[0]);
            if (colour != lastPixel) {
                lastPixel = colour;
                lastLook = Look(NearestIndex(pixel[2], pixel[1], pixel[0]));
            }
            Store(dot, lastLook);
        }
    }
}

void CColorMatcher::MatchDithered(const QImage& picture, CDotGrid& grid) const
{
    const QImage rows = picture.convertToFormat(QImage::Format_BGR888);
    const SArea area = CoveredArea(rows, grid);
    if (area.nWidth <= 0 || area.nHeight <= 0)
        return;
    // Error owed to this row and the next, in sixteenths, three channels per
    // dot (blue, green, red), with a spare dot at either end so the spread
    // needs no edge tests; what lands there is dropped.
    const std::size_t length = 3u * static_cast<std::size_t>(area.nWidth + 2);
    std::vector<int> current(length, 0);
    std::vector<int> next(length, 0);
    for (int y = 0; y < area.nHeight; ++y) {
        const std::uint8_t* row = rows.constScanLine(y);
        std::uint8_t* dots = GridRow(grid, y);
        // Every other row runs right to left, so the error does not drift one way.
        const int step = y % 2 == 0 ? 1 : -1;
        for (int i = 0; i < area.nWidth; ++i) {
            const int x = step > 0 ? i : area.nWidth - 1 - i;
            const std::uint8_t* pixel = row + 3 * x;
            std::uint8_t* dot = dots + 3 * x;
            const COLORREF original = MakeColor(pixel[2], pixel[1], pixel[0]);
            if (IsCandidate(original)) {
                Store(dot, original);
                continue;
            }
            // The error is taken from the clamped value, so it stays bounded
            // where a run of pixels asks for more than any dot can give.
            int* owed = current.data() + 3 * (x + 1);
            int want[3];
            for (int ch = 0; ch < 3; ++ch)
                want[ch] = std::clamp(pixel[ch] + FromSixteenths(owed[ch]), 0, 255);
            const COLORREF look = Look(DitherIndex(want[2], want[1], want[0]));
            Store(dot, look);
            const int got[3] = {BlueOf(look), GreenOf(look), RedOf(look)};
            int* below = next.data() + 3 * (x + 1);
            const int ahead = 3 * step;
            for (int ch = 0; ch < 3; ++ch) {
                const int error = want[ch] - got[ch];
                owed[ahead + ch] += 7 * error;
                below[-ahead + ch] += 3 * error;
                below[ch] += 5 * error;
                below[ahead + ch] += error;
            }
        }
        std::swap(current, next);
        std::fill(next.begin(), next.end(), 0);
    }
}
