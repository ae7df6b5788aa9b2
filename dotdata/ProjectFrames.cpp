#include "dotdata/ProjectFrames.h"

#include "base/MessageTexts.h"
#include "dotdata/DotPng.h"
#include "dotdata/PngChunks.h"
#include "dotdata/ProjectText.h"

#include <QtEndian>

#include <limits>

namespace {

// The file's chunks cap how many frames it can hold.
constexpr int kMaxFrames = static_cast<int>(CPngChunks::kMaxChunks);

QByteArray FrameChunk(int index, const SSignFrame& frame)
{
    const QByteArray png = CDotPng::Encode(frame.grid, QByteArray());
    if (png.isNull())
        return {};
    QByteArray data(CProjectFrames::kHeaderBytes, '\0');
    qToBigEndian(static_cast<quint32>(index), data.data());
    qToBigEndian(static_cast<quint32>(frame.nDurationMs), data.data() + 4);
    const COLORREF background = frame.grid.BackColor();
    data[8] = static_cast<char>(frame.grid.Mode());
    data[9] = static_cast<char>(RedOf(background));
    data[10] = static_cast<char>(GreenOf(background));
    data[11] = static_cast<char>(BlueOf(background));
    return CPngChunks::MakeChunk(CProjectFrames::kChunkType, data + png);
}

// One frame chunk's data into frames[index]; detail says what is wrong.
bool ReadFrame(const QByteArray& data, const CDotGrid& current, std::vector<SSignFrame>& frames, QString& detail)
{
    const auto* head = reinterpret_cast<const uchar*>(data.constData());
    if (data.size() < CProjectFrames::kHeaderBytes || qFromBigEndian<quint32>(head) >= frames.size()) {
        detail = MessageText::English(MessageText::FrameWithoutPlace);
        return false;
    }
    const quint32 index = qFromBigEndian<quint32>(head);
    const quint32 duration = qFromBigEndian<quint32>(head + 4);
    SSignFrame& frame = frames[index];
    if (!frame.grid.IsEmpty() || frame.nDurationMs != 0) {
        detail = MessageText::English(MessageText::FrameTwice, {QString::number(index + 1)});
        return false;
    }
    const int mode = head[8];
    if (duration < SSignFrame::kMinDurationMs || duration > SSignFrame::kMaxDurationMs
        || (mode != TextMode && mode != ImageMode)) {
        detail = MessageText::English(MessageText::FrameBadTiming, {QString::number(index + 1)});
        return false;
    }
    const QByteArray png = data.mid(CProjectFrames::kHeaderBytes);
    if (!CDotPng::Decode(png, current.Width(), current.Height(), mode, frame.grid)) {
        detail = MessageText::English(MessageText::FrameDotsDamaged, {QString::number(index + 1)});
        return false;
    }
    frame.grid.SetBackgroundColor(MakeColor(head[9], head[10], head[11]), false);
    frame.grid.SetDotColor(current.ColorIndex());
    frame.nDurationMs = static_cast<int>(duration);
    return true;
}

} // namespace

void CProjectFrames::PutSettings(CProjectText& out, const SProject& project)
{
    if (!IsAnimated(project))
        return;
    out.Put("frames", static_cast<int>(project.m_frames.size()));
    out.Put("currentFrame", project.m_nCurrentFrame);
    out.Put("frameDuration", project.m_frames[static_cast<std::size_t>(project.m_nCurrentFrame)].nDurationMs);
}

bool CProjectFrames::AppendChunks(const SProject& project, QByteArray& chunks)
{
    if (!IsAnimated(project))
        return true;
    for (std::size_t i = 0; i < project.m_frames.size(); ++i) {
        if (static_cast<int>(i) == project.m_nCurrentFrame)
            continue;
        const QByteArray chunk = FrameChunk(static_cast<int>(i), project.m_frames[i]);
        if (chunk.isNull())
            return false;
        chunks += chunk;
    }
    return true;
}

bool CProjectFrames::Read(const QByteArray& bytes, const CPngChunks& chunks, CProjectText& in, SProject& project,
                          QString& detail)
{
    int count = 1;
    int current = 0;
    int duration = SSignFrame::kDefaultDurationMs;
    if (!in.GetInt("frames", 1, kMaxFrames, count) || !in.GetInt("currentFrame", 0, count - 1, current)
        || !in.GetInt("frameDuration", SSignFrame::kMinDurationMs, SSignFrame::kMaxDurationMs, duration)) {
        detail = in.Error();
        return false;
    }
    project.m_frames.clear();
    project.m_nCurrentFrame = 0;
    if (count == 1)
        return true;
    const CDotGrid& live = project.m_grid;
    const std::size_t frameBytes = live.ByteCount();
    if (live.IsEmpty() || frameBytes > SSignFrame::kMaxTotalBytes / static_cast<std::size_t>(count)) {
        detail = MessageText::English(MessageText::TooManyFrames,
                                      {QString::number(count), QString::number(live.Width()), QString::number(live.Height())});
        return false;
    }
    std::vector<SSignFrame> frames(static_cast<std::size_t>(count));
    frames[static_cast<std::size_t>(current)] = SSignFrame{live, duration};
    for (const CPngChunks::SChunk& chunk : chunks.Chunks()) {
        if (chunk.type != kChunkType)
            continue;
        if (!CPngChunks::CrcMatches(bytes, chunk)) {
            detail = MessageText::English(MessageText::FrameChecksum);
            return false;
        }
        if (!ReadFrame(bytes.mid(chunk.nOffset, chunk.nLength), live, frames, detail))
            return false;
    }
    for (std::size_t i = 0; i < frames.size(); ++i) {
        if (frames[i].grid.IsEmpty()) {
            detail = MessageText::English(MessageText::FrameMissing, {QString::number(i + 1), QString::number(count)});
            return false;
        }
    }
    project.m_frames = std::move(frames);
    project.m_nCurrentFrame = current;
    return true;
}
