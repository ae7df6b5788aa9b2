#pragma once

#include <QByteArray>
#include <QString>

class CFrameList;

// Writes a sign's frames as an animated GIF, one pixel per dot, looping
// forever. The colour table holds the background (index 0) and the seven dot
// colours, so every frame is stored exactly. GIF keeps delays in hundredths
// of a second: durations are rounded to the nearest 10 ms, and frames
// shorter than 20 ms are stored as 20 ms, the shortest delay GIF readers
// honour (they play shorter ones as 100 ms).
class CGifWriter
{
public:
    // The delay stored for a frame of ms milliseconds, in hundredths.
    static int DelayOf(int ms);
    // The whole file in memory; false with a reason when the frames are empty.
    static bool Encode(const CFrameList& frames, QByteArray& bytes, QString& error);
    // Through QSaveFile: a failed write leaves any existing file untouched.
    static bool Write(const CFrameList& frames, const QString& path, QString& error);
};
