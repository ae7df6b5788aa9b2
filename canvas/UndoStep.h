#pragma once

#include "base/CanvasText.h"
#include "base/DotGrid.h"

#include <cstddef>

// What a change to the canvas is, for the Undo and Redo prompts and for
// telling which steps may merge.
enum class EUndoKind {
    EditDot, Mirror, Flip, Rotate, Background, Open, MergeText, Render, LoadDots, Draw,
    Fill, ResizeCanvas, Crop, Move, Paste, Cut, Delete,
};

// The English name of a kind of step, as the prompts show it.
const char* UndoKindName(EUndoKind kind);

// What every undo step works on: the canvas's dots and the text state they
// were rendered from.
struct SCanvasState
{
    CDotGrid& grid;
    CCanvasText& text;
};

// One recorded change, already made when it is recorded. Undo takes it back
// from the state it left; Redo makes it again from the state before it.
// A step keeps only what it needs to do both.
class CUndoStep
{
public:
    explicit CUndoStep(EUndoKind kind)
        : m_nKind(kind)
    {
    }
    virtual ~CUndoStep() = default;
    CUndoStep(const CUndoStep&) = delete;
    CUndoStep& operator=(const CUndoStep&) = delete;

    virtual void Undo(SCanvasState& state) = 0;
    virtual void Redo(SCanvasState& state) = 0;
    // Bytes the step holds, itself included; the history's cap counts these.
    virtual std::size_t Bytes() const = 0;
    // What the step is called in the Undo and Redo prompts (English).
    virtual const char* Label() const { return UndoKindName(m_nKind); }
    // Absorbs 'next', recorded right after this step, so that one Undo takes
    // both back. False, changing nothing, when the two cannot be one step.
    virtual bool MergeWith(CUndoStep& next)
    {
        (void)next;
        return false;
    }

    EUndoKind Kind() const { return m_nKind; }

private:
    EUndoKind m_nKind;
};
