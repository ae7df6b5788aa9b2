#pragma once

#include "base/SignFrame.h"

#include <vector>

// The frames of a sign, all of one size, played in order and looped. The
// grid the rest of the program edits is the current frame: the list is built
// on that grid (the live grid) and keeps only the other frames itself, so
// every holder of the live grid keeps editing whichever frame is current.
// Selecting another frame exchanges the dots, never the grid object.
//
// A list that was never given a second frame is just the live grid. The
// painting colour and the background are the live grid's: a frame going
// live takes them.
class CFrameList
{
public:
    static constexpr int kMinDurationMs = SSignFrame::kMinDurationMs;
    static constexpr int kMaxDurationMs = SSignFrame::kMaxDurationMs;
    static constexpr int kDefaultDurationMs = SSignFrame::kDefaultDurationMs;
    static constexpr std::size_t kMaxTotalBytes = SSignFrame::kMaxTotalBytes;

    explicit CFrameList(CDotGrid& live);
    CFrameList(const CFrameList&) = delete;
    CFrameList& operator=(const CFrameList&) = delete;

    int Count() const { return static_cast<int>(m_frames.size()); }
    int Current() const { return m_nCurrent; }
    bool IsAnimated() const { return Count() > 1; }
    const CDotGrid& Grid(int index) const;
    int Duration(int index) const;
    CDotGrid& Live() { return m_live; }
    const CDotGrid& Live() const { return m_live; }
    std::size_t TotalBytes() const { return m_live.ByteCount() * m_frames.size(); }

    static int ClampDuration(int ms);
    // True when another frame of the live grid's size still fits the cap.
    bool HasRoomFor(int frames) const;

    // Each returns false, changing nothing, for an index out of range (or a
    // move that moves nothing, or the last frame to delete, or no room).
    bool Select(int index);
    // Inserts a frame at index (0..Count()) and selects it. The grid must
    // have the live grid's size.
    bool Insert(int index, SSignFrame frame);
    // A blank frame (the background colour) after the current one.
    bool AddBlank();
    // A copy of frame index right after it, selected.
    bool Duplicate(int index);
    // Removes frame index; out holds it. The frame that takes its place (or
    // the one before, at the end) becomes current when index was current.
    bool Remove(int index, SSignFrame* out = nullptr);
    bool Move(int from, int to);
    bool SetDuration(int index, int ms);

    // Every frame at once, frame current selected. frames must not be empty
    // and must all have one size (the live grid takes it).
    bool Replace(std::vector<SSignFrame> frames, int current);
    // The same, handing back the frames that were in the list (the live one
    // among them) and which of them was current.
    bool Swap(std::vector<SSignFrame>& frames, int& current);
    // Every frame as copies, the live one included.
    std::vector<SSignFrame> Copy() const;
    // Back to one frame, the live grid, with its duration.
    void Reset();
    // After the live grid changed size: the other frames take the new size,
    // keeping their top-left dots, the rest filled with the background.
    void FitToLive();
    // The other way: the live grid goes back to the size of the other frames,
    // keeping its top-left dots. False when there was nothing to fit.
    bool FitLiveToFrames();
    // Frame index as it looks: stored frames keep the background they had
    // when they were last live, the live grid's is the document's.
    CDotGrid Picture(int index) const;
    // Applies a change (a new background, a dot colour) to every stored frame.
    template <typename F>
    void ForEachStored(F change)
    {
        for (int i = 0; i < Count(); ++i) {
            if (i != m_nCurrent)
                change(m_frames[static_cast<std::size_t>(i)].grid);
        }
    }

private:
    bool IsIndex(int index) const { return index >= 0 && index < Count(); }
    CDotGrid& Stored(int index) { return m_frames[static_cast<std::size_t>(index)].grid; }
    // Runs a change of the list's shape with every frame stored, then puts
    // frame m_nCurrent into the live grid.
    template <typename F>
    void Reshape(F change);
    static void CopyTopLeft(const CDotGrid& from, CDotGrid& to);
    static CDotGrid BlankLike(const CDotGrid& like, int width, int height);

    CDotGrid& m_live;
    // The slot of the current frame holds no dots while they are live.
    std::vector<SSignFrame> m_frames;
    int m_nCurrent = 0;
};
