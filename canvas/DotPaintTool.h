#pragma once

#include "canvas/CanvasTool.h"

class CCanvasDocument;

// The default tool: a left click paints the dot in the dot colour, a right
// click gives it the background colour back, one undo step each. Text mode
// refuses clicks while typed text waits to be merged, and shows it by the
// no-entry pointer.
class CDotPaintTool : public CCanvasTool
{
public:
    explicit CDotPaintTool(CCanvasDocument& document)
        : m_document(document)
    {
    }

    void Press(const SToolEvent& event) override;
    Qt::CursorShape Cursor() const override;

private:
    CCanvasDocument& m_document;
};
