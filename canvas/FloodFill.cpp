#include "canvas/FloodFill.h"

#include "base/DotGrid.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

namespace {

// The fill works on one byte per dot, display rows from the top: whether
// the dot has the start's colour index and is still to be filled, or has
// been filled. Classifying every dot first costs one pass over the grid
// and makes each later look at a dot a single byte test.
class CFillScanner
{
public:
    enum : std::uint8_t { Other = 0, Open = 1, Filled = 2 };

    // 'state' is working memory, resized to a byte per dot.
    CFillScanner(const CDotGrid& grid, int column, int row, std::vector<std::uint8_t>& state)
        : m_nWidth(grid.Width())
        , m_nHeight(grid.Height())
        , m_abState(state)
    {
        m_abState.resize(static_cast<std::size_t>(m_nWidth) * static_cast<std::size_t>(m_nHeight));
        Classify(grid, column, row);
    }

    std::vector<SDotRun> Scan(int column, int row)
    {
        int top = row;
        int bottom = row;
        std::vector<QPoint> pending{{column, row}};
        while (!pending.empty()) {
            const QPoint seed = pending.back();
            pending.pop_back();
            if (State(seed.x(), seed.y()) != Open)
                continue;
            const SDotRun run = Extend(seed.x(), seed.y());
            top = std::min(top, run.nRow);
            bottom = std::max(bottom, run.nRow);
            QueueOpenings(run, run.nRow - 1, pending);
            QueueOpenings(run, run.nRow + 1, pending);
        }
        return FilledRuns(top, bottom);
    }

private:
    void Classify(const CDotGrid& grid, int column, int row)
    {
        const COLORREF start = grid.DotAt(column, m_nHeight - 1 - row);
        const bool unlit = PaletteIndexOf(start) == kUnlitIndex;
        const COLORREF back = grid.BackColor();
        const std::size_t stride = 3u * static_cast<std::size_t>(m_nWidth);
        for (int y = 0; y < m_nHeight; ++y) {
            const std::uint8_t* dot = grid.Bits() + static_cast<std::size_t>(m_nHeight - 1 - y) * stride;
            std::uint8_t* state = &m_abState[At(0, y)];
            for (int x = 0; x < m_nWidth; ++x, dot += 3) {
                const COLORREF colour = MakeColor(dot[2], dot[1], dot[0]);
                // Every colour off the palette is the same unlit index; the
                // usual one, the background, is answered without a search.
                const bool same = colour == start
                    || (unlit && (colour == back || PaletteIndexOf(colour) == kUnlitIndex));
                state[x] = same ? Open : Other;
            }
        }
    }

    std::size_t At(int column, int row) const
    {
        return static_cast<std::size_t>(row) * static_cast<std::size_t>(m_nWidth) + static_cast<std::size_t>(column);
    }
    std::uint8_t State(int column, int row) const { return m_abState[At(column, row)]; }

    SDotRun Extend(int column, int row)
    {
        const std::uint8_t* line = &m_abState[At(0, row)];
        int left = column;
        while (left > 0 && line[left - 1] == Open)
            --left;
        int right = column;
        while (right + 1 < m_nWidth && line[right + 1] == Open)
            ++right;
        std::memset(&m_abState[At(left, row)], Filled, static_cast<std::size_t>(right - left + 1));
        return {row, left, right};
    }

    // One seed per stretch of open dots on the row next to the run.
    void QueueOpenings(const SDotRun& run, int row, std::vector<QPoint>& pending) const
    {
        if (row < 0 || row >= m_nHeight)
            return;
        const std::uint8_t* line = &m_abState[At(0, row)];
        for (int column = run.nLeft; column <= run.nRight; ++column) {
            if (line[column] != Open)
                continue;
            pending.push_back({column, row});
            while (column < run.nRight && line[column + 1] == Open)
                ++column;
        }
    }

    // The filled dots as runs in row order.
    std::vector<SDotRun> FilledRuns(int top, int bottom) const
    {
        std::vector<SDotRun> runs;
        for (int y = top; y <= bottom; ++y) {
            const std::uint8_t* line = &m_abState[At(0, y)];
            for (int x = 0; x < m_nWidth; ++x) {
                if (line[x] != Filled)
                    continue;
                const int left = x;
                while (x + 1 < m_nWidth && line[x + 1] == Filled)
                    ++x;
                runs.push_back({y, left, x});
            }
        }
        return runs;
    }

    int m_nWidth;
    int m_nHeight;
    std::vector<std::uint8_t>& m_abState;
};

} // namespace

CDotShape CFloodFill::Area(const CDotGrid& grid, int column, int row)
{
    const QSize canvas(grid.Width(), grid.Height());
    if (grid.IsEmpty() || column < 0 || row < 0 || column >= grid.Width() || row >= grid.Height())
        return CDotShape(canvas);
    CFillScanner scanner(grid, column, row, m_abState);
    return CDotShape::FromRuns(canvas, scanner.Scan(column, row));
}

CDotShape FloodFillArea(const CDotGrid& grid, int column, int row)
{
    return CFloodFill().Area(grid, column, row);
}
