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

template <typename F>
void CFrameList::Reshape(F change)
{
    // The painting colour and the background belong to the document, not
    // to a frame: the frame that goes live takes them.
    const int colorIndex = m_live.ColorIndex();
    const COLORREF background = m_live.BackColor();
    std::swap(m_live, Stored(m_nCurrent));
    change();
    std::swap(m_live, Stored(m_nCurrent));
    m_live.SetDotColor(colorIndex);
    if (m_live.BackColor() != background)
        m_live.SetBackgroundColor(background, true);
}

CDotGrid CFrameList::Picture(int index) const
{
    CDotGrid picture = Grid(index);
    if (picture.BackColor() != m_live.BackColor())
        picture.SetBackgroundColor(m_live.BackColor(), true);
    return picture;
}

void CFrameList::CopyTopLeft(const CDotGrid& from, CDotGrid& to)
{
    if (from.IsEmpty() || to.IsEmpty())
        return;
    // Display row y is storage row H-1-y in both grids.
    const int columns = std::min(from.Width(), to.Width());
    const int rows = std::min(from.Height(), to.Height());
    for (int y = 0; y < rows; ++y)
        std::memcpy(to.Bits() + 3u * static_cast<std::size_t>(to.Height() - 1 - y) * to.Width(),
                    from.Bits() + 3u * static_cast<std::size_t>(from.Height() - 1 - y) * from.Width(),
                    3u * static_cast<std::size_t>(columns));
}

bool CFrameList::Select(int index)
{
    if (!IsIndex(index) || index == m_nCurrent)
        return false;
    Reshape([&] { m_nCurrent = index; });
    return true;
}

CDotGrid CFrameList::BlankLike(const CDotGrid& like, int width, int height)
{
    CDotGrid blank;
    blank.SetBackgroundColor(like.BackColor(), false);
    blank.SetDotColor(like.ColorIndex());
    if (!blank.Create(width, height, like.Mode()))
        return CDotGrid();
    return blank;
}

bool CFrameList::Insert(int index, SSignFrame frame)
{
    if (index < 0 || index > Count() || frame.grid.Width() != m_live.Width()
        || frame.grid.Height() != m_live.Height() || frame.grid.IsEmpty() || !HasRoomFor(1))
        return false;
    frame.nDurationMs = ClampDuration(frame.nDurationMs);
    Reshape([&] {
        m_frames.insert(m_frames.begin() + index, std::move(frame));
        m_nCurrent = index;
    });
    return true;
}

bool CFrameList::AddBlank()
{
    CDotGrid blank = BlankLike(m_live, m_live.Width(), m_live.Height());
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
    Reshape([&] {
        if (out)
            *out = std::move(m_frames[static_cast<std::size_t>(index)]);
        m_frames.erase(m_frames.begin() + index);
        if (index < m_nCurrent || m_nCurrent >= Count())
            --m_nCurrent;
    });
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
    Reshape([&] {
        std::swap(m_frames, frames);
        std::swap(m_nCurrent, current);
    });
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

bool CFrameList::FitLiveToFrames()
{
    if (!IsAnimated())
        return false;
    const CDotGrid& other = Stored(m_nCurrent == 0 ? 1 : 0);
    if (other.Width() == m_live.Width() && other.Height() == m_live.Height())
        return false;
    CDotGrid fitted = BlankLike(m_live, other.Width(), other.Height());
    if (fitted.IsEmpty())
        return false;
    CopyTopLeft(m_live, fitted);
    m_live = std::move(fitted);
    return true;
}

void CFrameList::FitToLive()
{
    const int width = m_live.Width(), height = m_live.Height();
    ForEachStored([&](CDotGrid& grid) {
        if (grid.Width() == width && grid.Height() == height)
            return;
        CDotGrid fitted = BlankLike(grid, width, height);
        if (fitted.IsEmpty())
            return; // out of memory: the frame keeps its dots, and its size
        CopyTopLeft(grid, fitted);
        grid = std::move(fitted);
    });
}
