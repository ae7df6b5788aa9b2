#pragma once

#include "animation/FrameList.h"

#include <QString>

#include <vector>

// Effects that make a sign's frames from one picture (the message).
//
// Scrolling moves the message one dot a frame across a panel: it enters at
// one edge and leaves fully at the other. A message M dots long on a panel
// P dots across takes M + P frames: frame k shows message column
// x + k - (P - 1) at panel column x when scrolling left, so frame 0 shows the
// message's first column at the right edge and the last frame is empty (the
// gap before the loop starts again). Right, up and down are the same
// movement mirrored or turned. Across the movement the message is aligned
// to the panel's top (left) edge; what does not fit is cut off.
class CFrameEffects
{
public:
    enum class Direction { Left, Right, Up, Down };

    static constexpr int kMinSpeed = 1;   // dots a second
    static constexpr int kMaxSpeed = 100; // one dot every 10 ms
    static constexpr int kDefaultSpeed = 20;
    static constexpr int kDefaultBlinkMs = 500;

    // How long each frame stays when the message moves speed dots a second.
    static int DurationForSpeed(int dotsPerSecond);
    // Frames of a scroll of message across a panel; 0 for an empty message or panel.
    static long long ScrollFrameCount(const CDotGrid& message, int panelWidth, int panelHeight,
                                      Direction direction);

    // Each fills frames and returns true, or returns false with a reason
    // (nothing to animate, more frames than memory allows) leaving frames
    // empty. Frames take the message's colours and are image-mode pictures:
    // a moved text no longer sits in its character cells, so its listing is
    // the plain list of lit dots.
    static bool Scroll(const CDotGrid& message, int panelWidth, int panelHeight, Direction direction,
                       int durationMs, std::vector<SSignFrame>& frames, QString& error);
    // The message, then the background, each for durationMs.
    static bool Blink(const CDotGrid& message, int durationMs, std::vector<SSignFrame>& frames,
                      QString& error);
    // The message revealed one column (row) a frame, travelling the given
    // way: Right uncovers from the left edge. The last frame is the whole message.
    static bool Wipe(const CDotGrid& message, Direction direction, int durationMs,
                     std::vector<SSignFrame>& frames, QString& error);

    // "left", "right", "up", "down" in any letter case; false for anything else.
    static bool DirectionOfName(const QString& name, Direction& direction);

private:
    static bool CheckRoom(const CDotGrid& message, int width, int height, long long count,
                          QString& error);
};
