#pragma once

#include "canvas/CanvasTool.h"

class CDotSelection;
class CZoomView;

// Rectangle selection: a drag outside the selection selects the dots it
// spans, a drag inside moves the selected dots (they float until put down),
// the arrow keys move them one dot. Taking up another tool puts floating
// dots down.
class CSelectTool : public CCanvasTool
{
public:
    CSelectTool(CDotSelection& selection, CZoomView& view) : m_selection(selection), m_view(view) {}

    void Press(const SToolEvent& event) override;
    void Move(const SToolEvent& event) override;
    void Release(const SToolEvent& event) override;
    void PaintPreview(QImage& surface, const CZoomView& view) const override;
    Qt::CursorShape Cursor() const override;
    void Cancel() override;
    bool Nudge(int dx, int dy) override;

private:
    enum EDrag { NoDrag, Selecting, Moving };

    void Repaint();

    CDotSelection& m_selection;
    CZoomView& m_view;
    EDrag m_nDrag = NoDrag;
    QPoint m_ptAnchor; // Selecting: the first corner; Moving: the last dot under the pointer
    QPoint m_ptPointer; // the dot under the pointer, for its shape
};
