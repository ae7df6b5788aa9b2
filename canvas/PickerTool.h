#pragma once

#include "canvas/CanvasTool.h"

#include <functional>

class CCanvasDocument;

// Colour picker: a click on a lit dot makes its colour the dot colour.
// Unlit dots have no dot colour to take and change nothing.
class CPickerTool : public CCanvasTool
{
public:
    // 'picked' is told the palette index taken, so that controls showing
    // the dot colour follow.
    CPickerTool(CCanvasDocument& document, std::function<void(int)> picked)
        : m_document(document)
        , m_fnPicked(std::move(picked))
    {
    }

    void Press(const SToolEvent& event) override;
    Qt::CursorShape Cursor() const override { return Qt::CrossCursor; }

private:
    CCanvasDocument& m_document;
    std::function<void(int)> m_fnPicked;
};
