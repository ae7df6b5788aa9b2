#include "animation/FrameStep.h"

#include <utility>

void CFrameStep::Begin(const CFrameList& list, Kind kind)
{
    m_nKind = kind;
    m_nCurrentBefore = list.Current();
}

bool CFrameStep::AddBlank(CFrameList& list, CFrameStep& step)
{
    step.Begin(list, Kind::Add);
    if (!list.AddBlank())
        return false;
    step.m_nIndex = step.m_nCurrentAfter = list.Current();
    return true;
}

bool CFrameStep::Duplicate(CFrameList& list, int index, CFrameStep& step)
{
    step.Begin(list, Kind::Duplicate);
    if (!list.Duplicate(index))
        return false;
    step.m_nIndex = step.m_nCurrentAfter = list.Current();
    return true;
}

bool CFrameStep::Delete(CFrameList& list, int index, CFrameStep& step)
{
    step.Begin(list, Kind::Delete);
    if (!list.Remove(index, &step.m_frame))
        return false;
    step.m_nIndex = index;
    step.m_nCurrentAfter = list.Current();
    return true;
}

bool CFrameStep::Move(CFrameList& list, int from, int to, CFrameStep& step)
{
    step.Begin(list, Kind::Move);
    if (!list.Move(from, to))
        return false;
    step.m_nIndex = from;
    step.m_nTo = to;
    step.m_nCurrentAfter = list.Current();
    return true;
}

bool CFrameStep::SetDuration(CFrameList& list, int index, int ms, CFrameStep& step)
{
    step.Begin(list, Kind::Duration);
    const int before = list.Duration(index);
    if (!list.SetDuration(index, ms))
        return false;
    step.m_nIndex = index;
    step.m_nBefore = before;
    step.m_nTo = list.Duration(index);
    step.m_nCurrentAfter = list.Current();
    return true;
}

bool CFrameStep::Replace(CFrameList& list, std::vector<SSignFrame> frames, CFrameStep& step)
{
    step.Begin(list, Kind::Replace);
    step.m_others = std::move(frames);
    step.m_nOthersCurrent = 0;
    if (list.Swap(step.m_others, step.m_nOthersCurrent))
        return true;
    step.m_others.clear();
    return false;
}

std::size_t CFrameStep::Bytes() const
{
    std::size_t bytes = m_frame.grid.ByteCount();
    for (const SSignFrame& frame : m_others)
        bytes += frame.grid.ByteCount();
    return bytes;
}

bool CFrameStep::Insert(CFrameList& list)
{
    if (m_frame.grid.IsEmpty() || !list.Insert(m_nIndex, std::move(m_frame)))
        return false;
    m_frame = SSignFrame();
    return true;
}

bool CFrameStep::Remove(CFrameList& list)
{
    return list.Remove(m_nIndex, &m_frame);
}

bool CFrameStep::Exchange(CFrameList& list)
{
    return list.Swap(m_others, m_nOthersCurrent);
}

bool CFrameStep::Undo(CFrameList& list)
{
    bool ok = false;
    switch (m_nKind) {
    case Kind::Add:
    case Kind::Duplicate: ok = Remove(list); break;
    case Kind::Delete: ok = Insert(list); break;
    case Kind::Move: ok = list.Move(m_nTo, m_nIndex); break;
    case Kind::Duration: ok = list.SetDuration(m_nIndex, m_nBefore); break;
    case Kind::Replace: return Exchange(list);
    }
    if (ok)
        list.Select(m_nCurrentBefore);
    return ok;
}

bool CFrameStep::Redo(CFrameList& list)
{
    bool ok = false;
    switch (m_nKind) {
    case Kind::Add:
    case Kind::Duplicate: ok = Insert(list); break;
    case Kind::Delete: ok = Remove(list); break;
    case Kind::Move: ok = list.Move(m_nIndex, m_nTo); break;
    case Kind::Duration: ok = list.SetDuration(m_nIndex, m_nTo); break;
    case Kind::Replace: return Exchange(list);
    }
    if (ok)
        list.Select(m_nCurrentAfter);
    return ok;
}
