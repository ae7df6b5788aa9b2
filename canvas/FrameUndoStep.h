#pragma once

#include "animation/FrameStep.h"
#include "canvas/UndoStep.h"

#include <memory>

// A change to the list of frames (adding, deleting, moving, timing frames,
// or an effect that made new ones) as a step of the canvas's history.
class CFrameUndoStep : public CUndoStep
{
public:
    CFrameUndoStep(CFrameList& frames, CFrameStep step);
    // The change also replaced the canvas text; this is the text before it.
    void KeepText(const CCanvasText& before) { m_pOtherText = std::make_unique<CCanvasText>(before); }

    void Undo(SCanvasState& state) override;
    void Redo(SCanvasState& state) override;
    std::size_t Bytes() const override
    {
        return sizeof(*this) + m_step.Bytes() + (m_pOtherText ? sizeof(CCanvasText) : 0);
    }
    const char* Label() const override;

private:
    CFrameList& m_frames;
    CFrameStep m_step;
    std::unique_ptr<CCanvasText> m_pOtherText; // the text on the step's other side, when it changed
};
