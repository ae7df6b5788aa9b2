#include "canvas/FrameUndoStep.h"

#include <utility>

CFrameUndoStep::CFrameUndoStep(CFrameList& frames, CFrameStep step)
    : CUndoStep(EUndoKind::Frames)
    , m_frames(frames)
    , m_step(std::move(step))
{
}

void CFrameUndoStep::Undo(SCanvasState& state)
{
    m_step.Undo(m_frames);
    if (m_pOtherText)
        std::swap(state.text, *m_pOtherText);
}

void CFrameUndoStep::Redo(SCanvasState& state)
{
    m_step.Redo(m_frames);
    if (m_pOtherText)
        std::swap(state.text, *m_pOtherText);
}

const char* CFrameUndoStep::Label() const
{
    switch (m_step.GetKind()) {
    case CFrameStep::Kind::Add: return "Add Frame";
    case CFrameStep::Kind::Duplicate: return "Duplicate Frame";
    case CFrameStep::Kind::Delete: return "Delete Frame";
    case CFrameStep::Kind::Move: return "Move Frame";
    case CFrameStep::Kind::Duration: return "Frame Duration";
    case CFrameStep::Kind::Replace: return "Effect";
    }
    return "Frames";
}
