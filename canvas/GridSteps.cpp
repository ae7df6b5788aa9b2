#include "canvas/GridSteps.h"

namespace {

bool IsDotOf(const std::uint8_t* dot, COLORREF c)
{
    return dot[0] == BlueOf(c) && dot[1] == GreenOf(c) && dot[2] == RedOf(c);
}

// One bit per dot, in buffer order: set where the dot has the colour.
std::vector<std::uint8_t> DotsOfColour(const CDotGrid& grid, COLORREF c)
{
    if (grid.IsEmpty())
        return {};
    const std::size_t dots = grid.ByteCount() / 3;
    std::vector<std::uint8_t> bits((dots + 7) / 8, 0);
    const std::uint8_t* p = grid.Bits();
    for (std::size_t i = 0; i < dots; ++i, p += 3) {
        if (IsDotOf(p, c))
            bits[i / 8] = static_cast<std::uint8_t>(bits[i / 8] | (1u << (i % 8)));
    }
    return bits;
}

} // namespace

CBackgroundStep::CBackgroundStep(CDotGrid& grid, COLORREF colour)
    : CUndoStep(EUndoKind::Background)
    , m_crBefore(grid.BackColor())
    , m_abChanged(DotsOfColour(grid, grid.BackColor()))
{
    grid.SetBackgroundColor(colour, true);
    m_crAfter = grid.BackColor();
}

void CBackgroundStep::Undo(SCanvasState& state)
{
    CDotGrid& grid = state.grid;
    std::uint8_t* p = grid.Bits();
    const std::size_t dots = grid.ByteCount() / 3;
    for (std::size_t i = 0; p && i < dots && i / 8 < m_abChanged.size(); ++i) {
        if (m_abChanged[i / 8] & (1u << (i % 8))) {
            p[3 * i] = static_cast<std::uint8_t>(BlueOf(m_crBefore));
            p[3 * i + 1] = static_cast<std::uint8_t>(GreenOf(m_crBefore));
            p[3 * i + 2] = static_cast<std::uint8_t>(RedOf(m_crBefore));
        }
    }
    grid.SetBackgroundColor(m_crBefore, false);
}
