#pragma once

#include "canvas/UndoStep.h"

#include <cstdint>
#include <vector>

// Mirror and Flip: making the change again takes it back, so nothing is kept.
class CSelfInverseStep : public CUndoStep
{
public:
    CSelfInverseStep(EUndoKind kind, void (CDotGrid::*change)())
        : CUndoStep(kind)
        , m_pfnChange(change)
    {
    }

    void Undo(SCanvasState& state) override { (state.grid.*m_pfnChange)(); }
    void Redo(SCanvasState& state) override { (state.grid.*m_pfnChange)(); }
    std::size_t Bytes() const override { return sizeof(*this); }

private:
    void (CDotGrid::*m_pfnChange)();
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
