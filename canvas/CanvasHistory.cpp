#include "canvas/CanvasHistory.h"

#include "canvas/DotsStep.h"
#include "canvas/GridSteps.h"
#include "canvas/WholeStateStep.h"

#include <utility>

const char* UndoKindName(EUndoKind kind)
{
    switch (kind) {
    case EUndoKind::EditDot: return "Dot Edit";
    case EUndoKind::Mirror: return "Mirror";
    case EUndoKind::Flip: return "Flip";
    case EUndoKind::Rotate: return "Rotate";
    case EUndoKind::Background: return "Background Color";
    case EUndoKind::Open: return "Open";
    case EUndoKind::MergeText: return "Merge Text";
    case EUndoKind::Render: return "Text Layout";
    case EUndoKind::LoadDots: return "Load Dots";
    case EUndoKind::Draw: return "Drawing";
    case EUndoKind::Fill: return "Fill";
    case EUndoKind::ResizeCanvas: return "Resize Canvas";
    case EUndoKind::Crop: return "Crop";
    case EUndoKind::Move: return "Move";
    case EUndoKind::Paste: return "Paste";
    case EUndoKind::Cut: return "Cut";
    case EUndoKind::Delete: return "Delete";
    }
    return "";
}

CCanvasHistory::CCanvasHistory(CDotGrid& grid, CCanvasText& text, std::size_t byteLimit)
    : m_grid(grid)
    , m_text(text)
    , m_nByteLimit(byteLimit)
{
}

CCanvasHistory::~CCanvasHistory() = default;

std::size_t CCanvasHistory::BytesOf(const CUndoStep& step)
{
    // The queue's pointer to the step counts too.
    return step.Bytes() + sizeof(std::unique_ptr<CUndoStep>);
}

void CCanvasHistory::DropRedoSteps()
{
    while (m_steps.size() > m_nDone) {
        m_nStoredBytes -= BytesOf(*m_steps.back());
        m_steps.pop_back();
    }
}

void CCanvasHistory::EnforceLimit()
{
    // The steps farthest ahead to redo go first, then the oldest; a step
    // over the limit on its own is not kept at all, however recent: a few
    // huge canvases must not hold hundreds of megabytes.
    while (m_nStoredBytes > m_nByteLimit && !m_steps.empty()) {
        if (m_steps.size() > m_nDone) {
            m_nStoredBytes -= BytesOf(*m_steps.back());
            m_steps.pop_back();
        } else {
            m_nStoredBytes -= BytesOf(*m_steps.front());
            m_steps.pop_front();
            --m_nDone;
        }
    }
    if (m_nDone == 0)
        m_bMergeOpen = false;
}

void CCanvasHistory::Push(std::unique_ptr<CUndoStep> step, bool mayMerge)
{
    if (!step)
        return;
    const bool redoDropped = m_steps.size() > m_nDone;
    DropRedoSteps();
    if (mayMerge && m_bMergeOpen && !redoDropped && m_nDone > 0) {
        CUndoStep& newest = *m_steps[m_nDone - 1];
        const std::size_t before = BytesOf(newest);
        if (newest.MergeWith(*step)) {
            m_nStoredBytes = m_nStoredBytes - before + BytesOf(newest);
            EnforceLimit();
            return;
        }
    }
    m_nStoredBytes += BytesOf(*step);
    m_steps.push_back(std::move(step));
    ++m_nDone;
    m_bMergeOpen = true;
    EnforceLimit();
}

void CCanvasHistory::Clear()
{
    m_steps.clear();
    m_nDone = 0;
    m_nStoredBytes = 0;
    m_bMergeOpen = false;
}

bool CCanvasHistory::EditDot(int column, int row, COLORREF colour)
{
    if (!m_grid.Contains(column, row))
        return false;
    const COLORREF before = m_grid.DisplayDotAt(column, row);
    m_grid.SetDisplayDot(column, row, colour);
    // A click that leaves the dot as it was is no step: undo would seem to do nothing.
    const COLORREF after = m_grid.DisplayDotAt(column, row);
    if (after == before)
        return true;
    auto step = std::make_unique<CDotsStep>(Kind::EditDot);
    step->Add(column, row, before, after);
    Push(std::move(step));
    return true;
}

bool CCanvasHistory::Mirror()
{
    return SelfInverse(Kind::Mirror, &CDotGrid::Mirror);
}

bool CCanvasHistory::Flip()
{
    return SelfInverse(Kind::Flip, &CDotGrid::Flip);
}

bool CCanvasHistory::SelfInverse(Kind kind, void (CDotGrid::*change)())
{
    if (m_grid.IsEmpty())
        return false;
    (m_grid.*change)();
    // Turned over, merged text no longer describes the dots.
    auto step = std::make_unique<CSelfInverseStep>(kind, change, m_text.m_bDotsFromText);
    m_text.m_bDotsFromText = 0;
    Push(std::move(step));
    return true;
}

void CCanvasHistory::SetBackgroundColor(COLORREF colour)
{
    Push(std::make_unique<CBackgroundStep>(m_grid, colour));
}

bool CCanvasHistory::RecordWhole(Kind kind, const std::function<bool()>& change, bool mayMerge)
{
    SCanvasState state = State();
    std::unique_ptr<CWholeStateStep> step = CWholeStateStep::Record(kind, state, change);
    if (!step)
        return false;
    Push(std::move(step), mayMerge);
    return true;
}

bool CCanvasHistory::Undo()
{
    if (!CanUndo())
        return false;
    CUndoStep& step = *m_steps[--m_nDone];
    // A whole-state step may now hold a grid of another size; the count
    // follows it and stays within the limit.
    m_nStoredBytes -= BytesOf(step);
    SCanvasState state = State();
    step.Undo(state);
    m_nStoredBytes += BytesOf(step);
    m_bMergeOpen = false;
    EnforceLimit();
    return true;
}

bool CCanvasHistory::Redo()
{
    if (!CanRedo())
        return false;
    CUndoStep& step = *m_steps[m_nDone++];
    m_nStoredBytes -= BytesOf(step);
    SCanvasState state = State();
    step.Redo(state);
    m_nStoredBytes += BytesOf(step);
    m_bMergeOpen = false;
    EnforceLimit();
    return true;
}
