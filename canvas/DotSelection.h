#pragma once

#include "canvas/DotFragment.h"

#include <QPoint>
#include <QRect>

class CCanvasDocument;

// The selected rectangle of dots, and what floats above the canvas: the
// selected dots once they are moved, or a pasted picture. Floating dots
// hide what lies under them but change nothing until they are put down
// (Place), which records one undo step for the whole move or paste, so a
// move may pass over other dots without harming them.
class CDotSelection
{
public:
    explicit CDotSelection(CCanvasDocument& document) : m_document(document) {}

    // The selected dots (display coordinates); empty when nothing is selected.
    QRect Area() const { return m_rcArea; }
    bool IsEmpty() const { return m_rcArea.isEmpty(); }
    bool IsFloating() const { return m_bFloating; }
    const CDotFragment& Floating() const { return m_fragment; }
    // Where floating dots were lifted from (they leave background there when
    // put down); empty for a paste.
    QRect LiftedFrom() const { return m_rcLifted; }
    // The colour unlit dots show on this canvas.
    COLORREF Background() const;

    // Puts down what floats, then selects the part of the area on the grid.
    void Select(const QRect& area);
    void SelectAll();
    // Puts down what floats and selects nothing.
    void Deselect();
    // The canvas was replaced (New, Open, a resize, undo): the selection is
    // dropped, floating dots with it, and nothing is recorded.
    void Forget();

    // Moves the selection; the selected dots float from the first move on.
    void MoveBy(QPoint delta);
    // Floating dots become dots of the canvas, as one step. False when
    // nothing floats, edits are refused or nothing changed.
    bool Place();

    // The selected dots, floating or not; empty when nothing is selected.
    CDotFragment Copy() const;
    // The selected dots become background (floating ones are dropped and
    // the place they were lifted from is cleared), as one step.
    bool Delete(bool cut = false);
    // Puts down what floats, then floats the fragment with its top-left dot at 'at'.
    void Paste(const CDotFragment& fragment, QPoint at);

private:
    QRect GridRect() const;

    CCanvasDocument& m_document;
    QRect m_rcArea;
    bool m_bFloating = false;
    bool m_bPasted = false;
    CDotFragment m_fragment;
    QRect m_rcLifted;
};
