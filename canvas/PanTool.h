#pragma once

#include "canvas/CanvasTool.h"

class QScrollBar;

// The hand tool: dragging with the left button scrolls the view, by whole
// dots, so that the picture follows the pointer. Other buttons go to the
// tool given (the right button keeps clearing dots).
class CPanTool : public CCanvasTool
{
public:
    CPanTool(CZoomView& view, CCanvasTool& otherButtons)
        : m_view(view)
        , m_otherButtons(otherButtons)
    {
    }

    void Press(const SToolEvent& event) override;
    void Move(const SToolEvent& event) override;
    void Release(const SToolEvent& event) override;
    Qt::CursorShape Cursor() const override { return Qt::SizeAllCursor; }
    void Cancel() override { m_bPanning = false; }

private:
    void DragAxis(QScrollBar* bar, int& last, int pointer) const;

    CZoomView& m_view;
    CCanvasTool& m_otherButtons;
    bool m_bPanning = false;
    int m_nLastX = 0;
    int m_nLastY = 0;
};
