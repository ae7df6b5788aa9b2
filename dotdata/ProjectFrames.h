#pragma once

#include "dotdata/Project.h"

#include <QByteArray>
#include <QString>

class CPngChunks;
class CProjectText;

// The frames of an animated sign in a project file. The file's picture is
// the current frame, so that any viewer shows what the editor showed; the
// settings say how many frames there are, which is current and how long it
// stays up. Every other frame is a private ancillary chunk of its own, which
// picture viewers skip: its index and duration (4 bytes each, big-endian),
// its mode, its background red, green and blue (a byte each), then a PNG of
// its dots. A still sign writes none of this, so its file stays as it was.
class CProjectFrames
{
public:
    static constexpr const char* kChunkType = "frAM";
    static constexpr int kHeaderBytes = 12;

    static bool IsAnimated(const SProject& project) { return project.m_frames.size() > 1; }
    static void PutSettings(CProjectText& out, const SProject& project);
    // Appends the chunks of every frame but the current; false when memory
    // runs out.
    static bool AppendChunks(const SProject& project, QByteArray& chunks);
    // Reads the frames the settings announce into project, whose grid holds
    // the current frame already. False with detail set when the settings or
    // a frame chunk are malformed or a frame is missing.
    static bool Read(const QByteArray& bytes, const CPngChunks& chunks, CProjectText& in, SProject& project,
                     QString& detail);
};
