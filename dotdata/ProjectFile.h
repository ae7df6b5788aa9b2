#pragma once

#include "dotdata/Project.h"

#include <QByteArray>
#include <QString>

// A project file: a PNG picture of the canvas, one pixel per dot, so that any
// picture viewer shows the sign, with everything else in an iTXt chunk of
// "key=value" lines (see CProjectText) right after the image header.
//
// The settings carry a format version. A file of a newer version is refused
// with a message saying so; keys this version does not know are ignored, so
// that later additions which older versions may safely skip keep the version.
// Reading trusts nothing in the file: its size, the chunk structure, the
// canvas size and every value are checked before use.
class CProjectFile
{
public:
    enum Status {
        Ok,
        CannotRead, // missing, not a regular file, too large, unreadable
        NotProject, // not a PNG, or a PNG without project settings
        Truncated,
        Damaged,
        Newer,      // a later format version
    };

    // The newest format this version reads. A still sign is written in the
    // first format, which every version reads; an animated one in the second,
    // which older versions refuse rather than open its current frame alone
    // and lose the others on the next save.
    static constexpr int kVersion = 2;
    static constexpr int kStillVersion = 1;
    static constexpr const char* kKeyword = "Pellmark project";
    static constexpr const char* kSuffix = "png";
    static constexpr qint64 kMaxBytes = 64LL << 20;
    static constexpr qsizetype kMaxSettingsBytes = 1 << 20;
    // Text mode can grow the canvas past the New dialog's limits, one cell
    // per character; the renderer never makes more dots than this.
    static constexpr long long kMaxDots = 1LL << 25;

    // The whole file in memory; null when memory runs out.
    static QByteArray Encode(const SProject& project);
    // detail names what is wrong in a short phrase when the result is not Ok.
    static Status Decode(const QByteArray& bytes, SProject& project, QString& detail);

    // Writes the file through a temporary file that replaces path only when
    // complete. An existing path that is not a regular file is refused.
    static bool Save(const QString& path, const SProject& project, QString& error);
    // Reads a project; on failure the project is left untouched and error is
    // one sentence for the user, naming the file.
    static Status Load(const QString& path, SProject& project, QString& error);
    // Whether path holds a PNG with project settings (judged by content,
    // whatever the file is called).
    static bool IsProject(const QString& path);

    static QString Describe(Status status, const QString& path, const QString& detail);
};
