#include "canvas/FloodFill.h"

#include "base/DotGrid.h"

#include <cstdint>
#include <vector>

namespace {

// Reads the grid in its own bottom-up rows and compares whole colours, as
// the fill touches every dot of a large canvas up to three times.
class CFillScanner
{
public:
    CFillScanner(const CDotGrid& grid, int column, int row)
        : m_grid(grid)
        , m_nWidth(grid.Width())
        , m_nHeight(grid.Height())
        , m_abSeen(static_cast<std::size_t>(m_nWidth) * static_cast<std::size_t>(m_nHeight), 0)
    {
        m_crStart = DotColour(column, row);
        m_nStartIndex = PaletteIndexOf(m_crStart);
        m_crBack = grid.BackColor();
    }

    std::vector<SDotRun> Scan(int column, int row)
    {
        std::vector<SDotRun> runs;
        std::vector<QPoint> pending{{column, row}};
        while (!pending.empty()) {
            const QPoint seed = pending.back();
            pending.pop_back();
            if (!Open(seed.x(), seed.y()))
                continue;
            const SDotRun run = Extend(seed.x(), seed.y());
            runs.push_back(run);
            QueueOpenings(run, run.nRow - 1, pending);
            QueueOpenings(run, run.nRow + 1, pending);
        }
        return runs;
    }

private:
    COLORREF DotColour(int column, int row) const
    {
        const std::uint8_t* dot = m_grid.Bits()
            + 3u * (static_cast<std::size_t>(m_nHeight - 1 - row) * static_cast<std::size_t>(m_nWidth)
                    + static_cast<std::size_t>(column));
        return MakeColor(dot[2], dot[1], dot[0]);
    }

    bool Matches(int column, int row) const
    {
        const COLORREF colour = DotColour(column, row);
        if (colour == m_crStart)
            return true;
        // Every colour off the palette is the same unlit index; the usual
        // one, the background, is answered without a palette search.
        return m_nStartIndex == kUnlitIndex && (colour == m_crBack || PaletteIndexOf(colour) == kUnlitIndex);
    }

    std::size_t At(int column, int row) const
    {
        return static_cast<std::size_t>(row) * static_cast<std::size_t>(m_nWidth) + static_cast<std::size_t>(column);
    }

    bool Open(int column, int row) const { return !m_abSeen[At(column, row)] && Matches(column, row); }

    SDotRun Extend(int column, int row)
    {
        int left = column;
        while (left > 0 && Open(left - 1, row))
            --left;
        int right = column;
        while (right + 1 < m_nWidth && Open(right + 1, row))
            ++right;
        std::fill(m_abSeen.begin() + static_cast<std::ptrdiff_t>(At(left, row)),
                  m_abSeen.begin() + static_cast<std::ptrdiff_t>(At(right, row)) + 1, 1);
        return {row, left, right};
    }

    // One seed per stretch of open dots on the row next to the run.
    void QueueOpenings(const SDotRun& run, int row, std::vector<QPoint>& pending) const
    {
        if (row < 0 || row >= m_nHeight)
            return;
        bool inside = false;
        for (int column = run.nLeft; column <= run.nRight; ++column) {
            const bool open = Open(column, row);
            if (open && !inside)
                pending.push_back({column, row});
            inside = open;
        }
    }

    const CDotGrid& m_grid;
    int m_nWidth;
    int m_nHeight;
    std::vector<std::uint8_t> m_abSeen;
    COLORREF m_crStart = 0;
    COLORREF m_crBack = 0;
    int m_nStartIndex = kUnlitIndex;
};

} // namespace

CDotShape FloodFillArea(const CDotGrid& grid, int column, int row)
{
    const QSize canvas(grid.Width(), grid.Height());
    if (grid.IsEmpty() || column < 0 || row < 0 || column >= grid.Width() || row >= grid.Height())
        return CDotShape(canvas);
    CFillScanner scanner(grid, column, row);
    return CDotShape::FromRuns(canvas, scanner.Scan(column, row));
}
