#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

class CDotGrid;
class QString;

// Changing the canvas size without losing the dots: resize with an anchor
// and crop. New sizes are corrected as the New dialog corrects them (whole
// blocks of 8, within the canvas limits); the dots of the old canvas keep
// their colours exactly, new dots are background.

// Where the old dots stay when the canvas grows or shrinks: the nine places
// of a 3 x 3 grid, row by row from the top left.
enum CanvasAnchor {
    AnchorTopLeft, AnchorTop, AnchorTopRight,
    AnchorLeft, AnchorCenter, AnchorRight,
    AnchorBottomLeft, AnchorBottom, AnchorBottomRight,
    kAnchorCount
};

// The anchor of a name ("top-left", "center", ... or the compass "nw",
// "c", ...), in any letter case; -1 when there is none.
int AnchorOfName(const QString& name);
// The long names, for help texts: "top-left, top, ..., bottom-right".
QString AnchorNames();

// The size a resize to 'requested' makes.
QSize CorrectedCanvasSize(QSize requested);

// Where old dot (0, 0) lands in a canvas of size 'to': the old canvas sits
// at the anchor's place, centred on an axis with the centre anchors (half
// a dot further left or up when the difference is odd).
QPoint AnchorOffset(QSize from, QSize to, int anchor);

// 'out' becomes 'grid' at the corrected size, its dots placed by the anchor.
// Mode and colours are kept. False, with 'out' unchanged, when the anchor is
// not one of the nine, the grid is empty or memory runs out.
bool ResizedGrid(const CDotGrid& grid, QSize size, int anchor, CDotGrid& out);

// 'out' becomes the part of 'grid' in 'area' (display coordinates), at the
// top left of a canvas of the area's corrected size. False, with 'out'
// unchanged, when the area does not overlap the grid or memory runs out.
bool CroppedGrid(const CDotGrid& grid, const QRect& area, CDotGrid& out);
