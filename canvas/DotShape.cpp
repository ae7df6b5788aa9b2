#include "canvas/DotShape.h"

#include "base/DotGrid.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace {

// One row of the ellipse inscribed in the box of w x h dots whose top-left
// dot is (x0, y0). Measured in quarter dots from the box's centre, a dot
// centre lies at X = 4 (x - x0) + 2 - 2w (and Y likewise), and the ellipse
// has the half axes P = 2w - 1 and Q = 2h - 1 (a quarter dot inside the
// box's edge). The dot is inside when X^2 Q^2 + Y^2 P^2 <= P^2 Q^2.
bool EllipseRow(long long x0, long long w, long long y0, long long h, int row, int& left, int& right)
{
    const long long p = 2 * w - 1;
    const long long q = 2 * h - 1;
    const long long y = 4 * (row - y0) + 2 - 2 * h;
    const long long rest = q * q - y * y;
    if (rest < 0)
        return false;
    // Largest m with m^2 Q^2 <= P^2 (Q^2 - Y^2): the widest |X| on this row.
    const long long bound = p * p * rest;
    const long long q2 = q * q;
    long long m = static_cast<long long>(std::sqrt(static_cast<double>(bound) / static_cast<double>(q2)));
    while (m > 0 && m * m * q2 > bound)
        --m;
    while ((m + 1) * (m + 1) * q2 <= bound)
        ++m;
    // The k-th dot from either end has |X| = 2w - 2 - 4k.
    const long long excess = 2 * w - 2 - m;
    const long long k = excess > 0 ? (excess + 3) / 4 : 0;
    if (2 * k > w - 1)
        return false;
    left = static_cast<int>(x0 + k);
    right = static_cast<int>(x0 + w - 1 - k);
    return true;
}

// The box with these opposite corners, both inside it.
QRect BoxOf(QPoint a, QPoint b)
{
    return QRect(QPoint(std::min(a.x(), b.x()), std::min(a.y(), b.y())),
                 QPoint(std::max(a.x(), b.x()), std::max(a.y(), b.y())));
}

} // namespace

CDotShape CDotShape::FromRuns(QSize canvas, std::vector<SDotRun> runs)
{
    CDotShape shape(canvas);
    shape.m_runs = std::move(runs);
    shape.Normalize();
    return shape;
}

long long CDotShape::DotCount() const
{
    long long count = 0;
    for (const SDotRun& run : m_runs)
        count += run.Length();
    return count;
}

bool CDotShape::Contains(int column, int row) const
{
    // The last run that starts at or before the dot is the only candidate.
    const auto after = std::upper_bound(m_runs.begin(), m_runs.end(), SDotRun{row, column, column},
                                        [](const SDotRun& a, const SDotRun& b) {
                                            return a.nRow != b.nRow ? a.nRow < b.nRow : a.nLeft < b.nLeft;
                                        });
    if (after == m_runs.begin())
        return false;
    const SDotRun& run = *(after - 1);
    return run.nRow == row && column <= run.nRight;
}

QRect CDotShape::Bounds() const
{
    if (m_runs.empty())
        return {};
    int left = m_runs.front().nLeft;
    int right = m_runs.front().nRight;
    for (const SDotRun& run : m_runs) {
        left = std::min(left, run.nLeft);
        right = std::max(right, run.nRight);
    }
    return QRect(QPoint(left, m_runs.front().nRow), QPoint(right, m_runs.back().nRow));
}

std::vector<SDotRun> CDotShape::RunsIn(const QRect& area) const
{
    std::vector<SDotRun> cut;
    if (area.isEmpty())
        return cut;
    const auto first = std::lower_bound(m_runs.begin(), m_runs.end(), area.top(),
                                        [](const SDotRun& run, int row) { return run.nRow < row; });
    for (auto it = first; it != m_runs.end() && it->nRow <= area.bottom(); ++it) {
        const int left = std::max(it->nLeft, area.left());
        const int right = std::min(it->nRight, area.right());
        if (left <= right)
            cut.push_back({it->nRow, left, right});
    }
    return cut;
}

void CDotShape::ForEachDot(const std::function<void(int, int)>& visit) const
{
    for (const SDotRun& run : m_runs) {
        for (int column = run.nLeft; column <= run.nRight; ++column)
            visit(column, run.nRow);
    }
}

void CDotShape::AddClipped(int row, int left, int right)
{
    if (row < 0 || row >= m_canvas.height())
        return;
    left = std::max(left, 0);
    right = std::min(right, m_canvas.width() - 1);
    if (left <= right)
        m_runs.push_back({row, left, right});
}

void CDotShape::Normalize()
{
    const auto before = [](const SDotRun& a, const SDotRun& b) {
        return a.nRow != b.nRow ? a.nRow < b.nRow : a.nLeft < b.nLeft;
    };
    if (!std::is_sorted(m_runs.begin(), m_runs.end(), before))
        std::sort(m_runs.begin(), m_runs.end(), before);
    // Runs that overlap or touch on one row become one.
    std::size_t kept = 0;
    for (std::size_t i = 0; i < m_runs.size(); ++i) {
        const SDotRun& run = m_runs[i];
        if (kept > 0 && m_runs[kept - 1].nRow == run.nRow && run.nLeft <= m_runs[kept - 1].nRight + 1) {
            m_runs[kept - 1].nRight = std::max(m_runs[kept - 1].nRight, run.nRight);
            continue;
        }
        m_runs[kept++] = run;
    }
    m_runs.resize(kept);
}

QPoint CDotShape::Held(QPoint p) const
{
    return {std::clamp(p.x(), -kCoordinateLimit, m_canvas.width() + kCoordinateLimit),
            std::clamp(p.y(), -kCoordinateLimit, m_canvas.height() + kCoordinateLimit)};
}

void CDotShape::AddRun(int row, int left, int right)
{
    AddClipped(row, left, right);
    Normalize();
}

void CDotShape::AddLine(QPoint from, QPoint to)
{
    from = Held(from);
    to = Held(to);
    const bool steep = std::abs(to.y() - from.y()) > std::abs(to.x() - from.x());
    // Work along the longer axis ("major"), from its smaller end.
    auto major = [steep](QPoint p) { return steep ? p.y() : p.x(); };
    auto minor = [steep](QPoint p) { return steep ? p.x() : p.y(); };
    if (major(from) > major(to))
        std::swap(from, to);
    const long long length = major(to) - major(from);
    const long long rise = std::abs(minor(to) - minor(from));
    const int step = minor(to) >= minor(from) ? 1 : -1;
    // error = 2 n rise - (2 k + 1) length after n steps with k minor steps
    // taken; a step is due once the ideal line is past the half-way mark.
    long long error = -length;
    int b = minor(from);
    for (int a = major(from); a <= major(to); ++a) {
        if (steep)
            AddClipped(a, b, b);
        else
            AddClipped(b, a, a);
        error += 2 * rise;
        if (error > 0) {
            b += step;
            error -= 2 * length;
        }
    }
    Normalize();
}

void CDotShape::AddRectangle(QPoint corner, QPoint opposite, bool filled)
{
    const QRect box = BoxOf(Held(corner), Held(opposite));
    AddConvex(box.top(), box.bottom(),
              [&box](int, int& left, int& right) {
                  left = box.left();
                  right = box.right();
                  return true;
              },
              filled);
}

void CDotShape::AddEllipse(QPoint corner, QPoint opposite, bool filled)
{
    const QRect box = BoxOf(Held(corner), Held(opposite));
    AddConvex(box.top(), box.bottom(),
              [&box](int row, int& left, int& right) {
                  return EllipseRow(box.left(), box.width(), box.top(), box.height(), row, left, right);
              },
              filled);
}

void CDotShape::AddConvex(int top, int bottom, const RowSpan& span, bool filled)
{
    const int first = std::max(top, 0);
    const int last = std::min(bottom, m_canvas.height() - 1);
    for (int row = first; row <= last; ++row) {
        int left = 0;
        int right = 0;
        if (!span(row, left, right))
            continue;
        if (filled) {
            AddClipped(row, left, right);
            continue;
        }
        // The inside of the row: dots whose four neighbours all belong to the shape.
        int insideLeft = left + 1;
        int insideRight = right - 1;
        for (int neighbour : {row - 1, row + 1}) {
            int nLeft = 0;
            int nRight = 0;
            if (neighbour < top || neighbour > bottom || !span(neighbour, nLeft, nRight)) {
                insideLeft = right + 1;
                break;
            }
            insideLeft = std::max(insideLeft, nLeft);
            insideRight = std::min(insideRight, nRight);
        }
        if (insideLeft > insideRight) {
            AddClipped(row, left, right);
            continue;
        }
        AddClipped(row, left, insideLeft - 1);
        AddClipped(row, insideRight + 1, right);
    }
    Normalize();
}

QPoint CDotShape::SquareCorner(QPoint anchor, QPoint corner)
{
    const int dx = corner.x() - anchor.x();
    const int dy = corner.y() - anchor.y();
    const int side = std::max(std::abs(dx), std::abs(dy));
    return {anchor.x() + (dx < 0 ? -side : side), anchor.y() + (dy < 0 ? -side : side)};
}

void PaintShape(CDotGrid& grid, const CDotShape& shape, COLORREF colour)
{
    if (grid.IsEmpty())
        return;
    const std::uint8_t bgr[3] = {static_cast<std::uint8_t>(BlueOf(colour)), static_cast<std::uint8_t>(GreenOf(colour)),
                                 static_cast<std::uint8_t>(RedOf(colour))};
    const std::size_t stride = 3u * static_cast<std::size_t>(grid.Width());
    for (const SDotRun& run : shape.Runs()) {
        const int left = std::max(run.nLeft, 0);
        const int right = std::min(run.nRight, grid.Width() - 1);
        if (run.nRow < 0 || run.nRow >= grid.Height() || left > right)
            continue;
        std::uint8_t* dot = grid.Bits() + static_cast<std::size_t>(grid.Height() - 1 - run.nRow) * stride
            + 3u * static_cast<std::size_t>(left);
        for (int n = right - left + 1; n > 0; --n, dot += 3) {
            dot[0] = bgr[0];
            dot[1] = bgr[1];
            dot[2] = bgr[2];
        }
    }
}
