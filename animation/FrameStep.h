#pragma once

#include "animation/FrameList.h"

#include <cstddef>
#include <vector>

// One undoable change to the list of frames. Each step keeps only what it
// needs: an added frame or a deleted one the frame itself (on whichever side
// of the step it is missing), a move its two places, a new duration the old
// and new values, and a change of every frame at once (an effect) the whole
// list on its other side. Undo and Redo also give back the frame that was
// current on that side.
//
// Steps are taken back in the order they were made, so each finds the list
// exactly as it left it.
class CFrameStep
{
public:
    enum class Kind { Add, Duplicate, Delete, Move, Duration, Replace };

    // Each makes the change on list and returns the step that takes it back,
    // or returns false when the list refused it (nothing then changed).
    static bool AddBlank(CFrameList& list, CFrameStep& step);
    static bool Duplicate(CFrameList& list, int index, CFrameStep& step);
    static bool Delete(CFrameList& list, int index, CFrameStep& step);
    static bool Move(CFrameList& list, int from, int to, CFrameStep& step);
    static bool SetDuration(CFrameList& list, int index, int ms, CFrameStep& step);
    static bool Replace(CFrameList& list, std::vector<SSignFrame> frames, CFrameStep& step);

    Kind GetKind() const { return m_nKind; }
    // Bytes of dots the step keeps.
    std::size_t Bytes() const;
    // False when the list is not as the step left it (and nothing changed).
    bool Undo(CFrameList& list);
    bool Redo(CFrameList& list);

private:
    void Begin(const CFrameList& list, Kind kind);
    bool Insert(CFrameList& list);
    bool Remove(CFrameList& list);
    bool Exchange(CFrameList& list);

    Kind m_nKind = Kind::Add;
    int m_nIndex = 0;      // the frame added, deleted, moved or timed
    int m_nTo = 0;         // Move: where it went; Duration: the new value
    int m_nBefore = 0;     // Duration: the old value
    int m_nCurrentBefore = 0;
    int m_nCurrentAfter = 0;
    SSignFrame m_frame;                // Add, Duplicate, Delete: the frame while it is out of the list
    std::vector<SSignFrame> m_others;  // Replace: the list on the other side
    int m_nOthersCurrent = 0;
};
