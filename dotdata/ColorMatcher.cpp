#include "dotdata/ColorMatcher.h"

#include "base/DotGrid.h"
#include "base/DotPalette.h"

#include <QImage>

#include <algorithm>
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
}

// The distance is a quadratic form d(p, c) = (p - c)' M (p - c) in R, G, B,
// with M = y y' + w (cb cb' + cr cr') for the rows y = (299, 587, 114),
// cb = (-299, -587, 886) and cr = (701, -587, -114) that give Y, Cb and Cr in
// thousandths. Over the candidates c, d differs from c' M c - 2 (M c)' p only
// by p' M p, the same for all of them; so the nearest candidate is the one of
// least score, found with three products each.
void CColorMatcher::SetScores(SScores& scores, std::int64_t weight) const
{
    constexpr std::array<std::array<std::int64_t, 3>, 3> rows = {{{299, 587, 114}, {-299, -587, 886}, {701, -587, -114}}};
    for (std::size_t i = 0; i < m_acrLook.size(); ++i) {
        const COLORREF look = m_acrLook[i];
        const std::array<std::int64_t, 3> c = {RedOf(look), GreenOf(look), BlueOf(look)};
        std::array<std::int64_t, 3> mc {};
        for (std::size_t k = 0; k < 3; ++k) {
            const std::int64_t w = k == 0 ? 1 : weight;
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

int CColorMatcher::ClosestIndex(int red, int green, int blue, const SScores& scores)
{
    std::array<double, 8> score;
    for (std::size_t i = 0; i < score.size(); ++i)
        score[i] = scores.adConstant[i] - (scores.adRed[i] * red + scores.adGreen[i] * green + scores.adBlue[i] * blue);
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
