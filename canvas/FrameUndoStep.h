#pragma once

#include "animation/FrameStep.h"
#include "canvas/UndoStep.h"

// A change to the list of frames (adding, deleting, moving, timing frames,
// or an effect that made new ones) as a step of the canvas's history.
class CFrameUndoStep : public CUndoStep
{
public:
    CFrameUndoStep(CFrameList& frames, CFrameStep step);

    void Undo(SCanvasState& state) override;
    void Redo(SCanvasState& state) override;
    std::size_t Bytes() const override { return sizeof(*this) + m_step.Bytes(); }
    const char* Label() const override;

private:
    CFrameList& m_frames;
    CFrameStep m_step;
};
