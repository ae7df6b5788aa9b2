#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

#include "base/Color.h"

#include <functional>
#include <vector>

class CDotGrid;

// A run of dots on one display row (row 0 at the top), columns inclusive.
struct SDotRun
{
    int nRow = 0;
    int nLeft = 0;
    int nRight = 0;

    int Length() const { return nRight - nLeft + 1; }
    bool operator==(const SDotRun& other) const
    {
        return nRow == other.nRow && nLeft == other.nLeft && nRight == other.nRight;
    }
};

// A set of dots on a canvas of a given size, kept as runs sorted by row and
// column that neither overlap nor touch, so every dot appears exactly once:
// what a drawing gesture lights, previews and records for undo. Dots outside
// the canvas are dropped as they are added.
//
// Shapes are drawn between two corner points (in either order); the parts of
// a shape outside the canvas are computed too, so a clipped outline keeps
// its course and shows no edge along the canvas border. Corner and end
// points are held to within kCoordinateLimit of the canvas, which keeps all
// arithmetic in 64 bits exact.
class CDotShape
{
public:
    static constexpr int kCoordinateLimit = 8192;

    CDotShape() = default;
    explicit CDotShape(QSize canvas) : m_canvas(canvas) {}
    // A shape of runs that lie inside the canvas and do not overlap, in any order.
    static CDotShape FromRuns(QSize canvas, std::vector<SDotRun> runs);

    QSize Canvas() const { return m_canvas; }
    const std::vector<SDotRun>& Runs() const { return m_runs; }
    bool IsEmpty() const { return m_runs.empty(); }
    long long DotCount() const;
    bool Contains(int column, int row) const;
    // The smallest rectangle holding every dot; null when empty.
    QRect Bounds() const;
    // The runs that cross the rectangle, cut to it; for painting part of a view.
    std::vector<SDotRun> RunsIn(const QRect& area) const;
    void Clear() { m_runs.clear(); }
    // Calls visit(column, row) for every dot, row by row, left to right.
    void ForEachDot(const std::function<void(int, int)>& visit) const;

    void AddDot(int column, int row) { AddRun(row, column, column); }
    void AddRun(int row, int left, int right);
    // The straight line between the two dots, both included: one dot per
    // step along the longer axis, each the dot nearest to the ideal line
    // (Bresenham); a tie goes toward the end with the smaller coordinate on
    // the longer axis, so both directions of drawing give the same dots.
    void AddLine(QPoint from, QPoint to);
    // The rectangle with these opposite corners: its border one dot wide,
    // or every dot inside it.
    void AddRectangle(QPoint corner, QPoint opposite, bool filled);
    // The ellipse inscribed in the rectangle with these opposite corners: a
    // dot belongs to the filled ellipse when its centre lies inside the
    // ellipse drawn a quarter dot inside the rectangle's outer edge (so a
    // 3 x 3 circle is a plus sign rather than a square, while larger ones
    // still touch every side). The outline is the filled ellipse's dots
    // that have a neighbour above, below, left or right outside it: one dot
    // wide and closed, so a fill inside cannot leak out.
    void AddEllipse(QPoint corner, QPoint opposite, bool filled);

    // Shift held while dragging: the corner moved so that the rectangle
    // from 'anchor' is a square whose side is the longer of the two drags.
    static QPoint SquareCorner(QPoint anchor, QPoint corner);

private:
    // The dots of one row of a convex shape, inclusive; false when the row has none.
    using RowSpan = std::function<bool(int row, int& left, int& right)>;
    void AddConvex(int top, int bottom, const RowSpan& span, bool filled);
    void AddClipped(int row, int left, int right);
    void Normalize();
    QPoint Held(QPoint p) const;

    QSize m_canvas;
    std::vector<SDotRun> m_runs;
};

// Gives every dot of the shape the colour; the shape's rows are display rows
// of the grid. Dots beyond the grid are left out.
void PaintShape(CDotGrid& grid, const CDotShape& shape, COLORREF colour);
