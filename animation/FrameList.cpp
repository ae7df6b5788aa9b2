#include "animation/FrameList.h"

#include <algorithm>
#include <cstring>
#include <utility>

CFrameList::CFrameList(CDotGrid& live) : m_live(live)
{
    m_frames.push_back(SSignFrame{CDotGrid(), kDefaultDurationMs});
}

const CDotGrid& CFrameList::Grid(int index) const
{
    return index == m_nCurrent ? m_live : m_frames[static_cast<std::size_t>(index)].grid;
}

int CFrameList::Duration(int index) const
{
    return IsIndex(index) ? m_frames[static_cast<std::size_t>(index)].nDurationMs : 0;
}

int CFrameList::ClampDuration(int ms)
{
    return std::clamp(ms, kMinDurationMs, kMaxDurationMs);
}

bool CFrameList::HasRoomFor(int frames) const
{
    const std::size_t each = m_live.ByteCount();
    if (frames <= 0 || each == 0)
        return frames <= 0;
    const std::size_t room = (kMaxTotalBytes - std::min(kMaxTotalBytes, TotalBytes())) / each;
    return static_cast<std::size_t>(frames) <= room;
}

void CFrameList::SwapIn(int index)
{
    // The painting colour belongs to the user, not to a frame.
    const int colorIndex = m_live.ColorIndex();
    std::swap(m_live, Stored(m_nCurrent));
    m_nCurrent = index;
    std::swap(m_live, Stored(m_nCurrent));
    m_live.SetDotColor(colorIndex);
}

bool CFrameList::Select(int index)
{
    if (!IsIndex(index) || index == m_nCurrent)
        return false;
    SwapIn(index);
    return true;
}

CDotGrid CFrameList::BlankLike(const CDotGrid& like) const
{
    CDotGrid blank;
    blank.SetBackgroundColor(like.BackColor(), false);
    blank.SetDotColor(like.ColorIndex());
    if (!blank.Create(like.Width(), like.Height(), like.Mode()))
        return CDotGrid();
    return blank;
}

bool CFrameList::Insert(int index, SSignFrame frame)
{
    if (index < 0 || index > Count() || frame.grid.Width() != m_live.Width()
        || frame.grid.Height() != m_live.Height() || frame.grid.IsEmpty() || !HasRoomFor(1))
        return false;
    frame.nDurationMs = ClampDuration(frame.nDurationMs);
    // Every frame is stored while the list changes shape; the new one then goes live.
    std::swap(m_live, Stored(m_nCurrent));
    const int colorIndex = Stored(m_nCurrent).ColorIndex();
    m_frames.insert(m_frames.begin() + index, std::move(frame));
    m_nCurrent = index;
    std::swap(m_live, Stored(m_nCurrent));
    m_live.SetDotColor(colorIndex);
    return true;
}

bool CFrameList::AddBlank()
{
    CDotGrid blank = BlankLike(m_live);
    return !blank.IsEmpty() && Insert(m_nCurrent + 1, SSignFrame{std::move(blank), Duration(m_nCurrent)});
}

bool CFrameList::Duplicate(int index)
{
    if (!IsIndex(index))
        return false;
    return Insert(index + 1, SSignFrame{Grid(index), Duration(index)});
}

bool CFrameList::Remove(int index, SSignFrame* out)
{
    if (!IsIndex(index) || Count() < 2)
        return false;
    const int colorIndex = m_live.ColorIndex();
    std::swap(m_live, Stored(m_nCurrent));
    if (out)
        *out = std::move(m_frames[static_cast<std::size_t>(index)]);
    m_frames.erase(m_frames.begin() + index);
    if (index < m_nCurrent || m_nCurrent >= Count())
        --m_nCurrent;
    std::swap(m_live, Stored(m_nCurrent));
    m_live.SetDotColor(colorIndex);
    return true;
}

bool CFrameList::Move(int from, int to)
{
    if (!IsIndex(from) || !IsIndex(to) || from == to)
        return false;
    const auto first = m_frames.begin();
    if (from < to)
        std::rotate(first + from, first + from + 1, first + to + 1);
    else
        std::rotate(first + to, first + from, first + from + 1);
    // The live dots stay live; only the number of their slot changes.
    if (m_nCurrent == from)
        m_nCurrent = to;
    else if (from < m_nCurrent && to >= m_nCurrent)
        --m_nCurrent;
    else if (from > m_nCurrent && to <= m_nCurrent)
        ++m_nCurrent;
    return true;
}

bool CFrameList::SetDuration(int index, int ms)
{
    if (!IsIndex(index))
        return false;
    int& duration = m_frames[static_cast<std::size_t>(index)].nDurationMs;
    const int clamped = ClampDuration(ms);
    if (duration == clamped)
        return false;
    duration = clamped;
    return true;
}

bool CFrameList::Replace(std::vector<SSignFrame> frames, int current)
{
    return Swap(frames, current);
}

bool CFrameList::Swap(std::vector<SSignFrame>& frames, int& current)
{
    if (frames.empty() || current < 0 || current >= static_cast<int>(frames.size()))
        return false;
    const int width = frames.front().grid.Width(), height = frames.front().grid.Height();
    for (SSignFrame& frame : frames) {
        if (frame.grid.Width() != width || frame.grid.Height() != height || frame.grid.IsEmpty())
            return false;
        frame.nDurationMs = ClampDuration(frame.nDurationMs);
    }
    const int colorIndex = m_live.ColorIndex();
    std::swap(m_live, Stored(m_nCurrent));
    std::swap(m_frames, frames);
    std::swap(m_nCurrent, current);
    std::swap(m_live, Stored(m_nCurrent));
    m_live.SetDotColor(colorIndex);
    return true;
}

std::vector<SSignFrame> CFrameList::Copy() const
{
    std::vector<SSignFrame> copy;
    copy.reserve(m_frames.size());
    for (int i = 0; i < Count(); ++i)
        copy.push_back(SSignFrame{Grid(i), Duration(i)});
    return copy;
}

void CFrameList::Reset()
{
    const int duration = Duration(m_nCurrent);
    m_frames.clear();
    m_frames.push_back(SSignFrame{CDotGrid(), duration});
    m_nCurrent = 0;
}

void CFrameList::FitToLive()
{
    const int width = m_live.Width(), height = m_live.Height();
    ForEachStored([&](CDotGrid& grid) {
        if (grid.Width() == width && grid.Height() == height)
            return;
        CDotGrid fitted = BlankLike(m_live);
        fitted.SetBackgroundColor(grid.BackColor(), false);
        fitted.FillWithBackground();
        // Top-left stays: display row y is storage row H-1-y in both grids.
        const int columns = std::min(width, grid.Width());
        const int rows = std::min(height, grid.Height());
        for (int y = 0; y < rows && !fitted.IsEmpty() && !grid.IsEmpty(); ++y) {
            std::memcpy(fitted.Bits() + 3u * static_cast<std::size_t>(height - 1 - y) * width,
                        grid.Bits() + 3u * static_cast<std::size_t>(grid.Height() - 1 - y) * grid.Width(),
                        3u * static_cast<std::size_t>(columns));
        }
        grid = std::move(fitted);
    });
}
