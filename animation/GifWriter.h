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
//
// With an LED pitch, each dot is instead drawn as a round lamp of that many
// pixels across on black, unlit lamps dark, as the preview shows the sign.
class CGifWriter
{
public:
    static constexpr int kMaxLedPitch = 32;

    // The delay stored for a frame of ms milliseconds, in hundredths.
    static int DelayOf(int ms);
    // The whole file in memory; false with a reason when the frames are empty
    // or the picture would exceed GIF's 65535 pixels a side.
    static bool Encode(const CFrameList& frames, QByteArray& bytes, QString& error, int ledPitch = 0);
    // Through QSaveFile: a failed write leaves any existing file untouched.
    static bool Write(const CFrameList& frames, const QString& path, QString& error, int ledPitch = 0);
};
