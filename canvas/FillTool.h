#pragma once

#include "canvas/CanvasTool.h"
#include "canvas/FloodFill.h"

class CCanvasDocument;

// Flood fill: a click gives the dot's whole 4-connected area of the same
// colour index the dot colour (left button) or the background (right), as
// one undo step. An area that already has the colour changes nothing and
// records nothing.
class CFillTool : public CCanvasTool
{
public:
    explicit CFillTool(CCanvasDocument& document) : m_document(document) {}

    void Press(const SToolEvent& event) override;
    Qt::CursorShape Cursor() const override;

private:
    CCanvasDocument& m_document;
    CFloodFill m_fill;
};
