#pragma once

#include "base/Color.h"

#include <QImage>
#include <QPoint>
#include <QRect>

#include <cstdint>
#include <vector>

class CDotGrid;

// A rectangle of dots lifted off a canvas: what a selection carries, moves
// and pastes, and what goes to and comes from the clipboard. Each dot is
// kept as its colour index (0..6 the dot colours, kUnlitIndex unlit), so
// unlit dots take the background of whatever canvas they land on.
class CDotFragment
{
public:
    CDotFragment() = default;
    // width x height unlit dots; empty when either is not above 0.
    CDotFragment(int width, int height);

    // The dots of 'area' (display coordinates); dots of the area outside
    // the grid are unlit.
    static CDotFragment Copy(const CDotGrid& grid, const QRect& area);
    // A picture from elsewhere: its pixels become dots the way Open would
    // turn them into dots (a ColorMatching), seen over the background, so
    // transparent pixels are unlit. Only the top-left part that fits the
    // largest canvas is kept.
    static CDotFragment FromImage(const QImage& picture, int matching, COLORREF background);

    bool IsEmpty() const { return m_abIndex.empty(); }
    int Width() const { return m_nWidth; }
    int Height() const { return m_nHeight; }
    // kUnlitIndex outside the fragment.
    int IndexAt(int column, int row) const;
    void SetIndex(int column, int row, int index);

    // Writes every dot with the fragment's top-left dot at 'topLeft' of the
    // grid; dots that fall outside the grid are dropped.
    void Place(CDotGrid& grid, QPoint topLeft) const;
    // The dots as an opaque picture, one pixel per dot, unlit ones in the
    // background colour: the canvas as Save Image would show it.
    QImage ToImage(COLORREF background) const;

private:
    std::size_t At(int column, int row) const
    {
        return static_cast<std::size_t>(row) * static_cast<std::size_t>(m_nWidth) + static_cast<std::size_t>(column);
    }

    int m_nWidth = 0;
    int m_nHeight = 0;
    std::vector<std::uint8_t> m_abIndex; // row by row from the top
};
