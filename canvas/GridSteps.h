#pragma once

#include "canvas/UndoStep.h"

#include <cstdint>
#include <vector>

// Mirror and Flip: making the change again takes it back, so no dots are
// kept. Turned dots are no longer the merged text's rendering; undo gives
// back whether they were.
class CSelfInverseStep : public CUndoStep
{
public:
    CSelfInverseStep(EUndoKind kind, void (CDotGrid::*change)(), int dotsFromTextBefore)
        : CUndoStep(kind)
        , m_pfnChange(change)
        , m_bDotsFromTextBefore(dotsFromTextBefore)
    {
    }

    void Undo(SCanvasState& state) override
    {
        (state.grid.*m_pfnChange)();
        state.text.m_bDotsFromText = m_bDotsFromTextBefore;
    }
    void Redo(SCanvasState& state) override
    {
        (state.grid.*m_pfnChange)();
        state.text.m_bDotsFromText = 0;
    }
    std::size_t Bytes() const override { return sizeof(*this); }

private:
    void (CDotGrid::*m_pfnChange)();
    int m_bDotsFromTextBefore;
};

// A new background colour, which the dots of the old one followed: one bit
// per dot tells which dots to give the old colour back.
class CBackgroundStep : public CUndoStep
{
public:
    // Makes the change on the grid and keeps what takes it back.
    CBackgroundStep(CDotGrid& grid, COLORREF colour);

    void Undo(SCanvasState& state) override;
    void Redo(SCanvasState& state) override { state.grid.SetBackgroundColor(m_crAfter, true); }
    std::size_t Bytes() const override { return sizeof(*this) + m_abChanged.capacity(); }

private:
    COLORREF m_crBefore = 0;
    COLORREF m_crAfter = 0;
    std::vector<std::uint8_t> m_abChanged; // storage order, as the buffer is walked
};
