#include "animation/FrameEffects.h"

#include "base/MessageTexts.h"

#include <algorithm>
#include <cstring>

namespace {

using Direction = CFrameEffects::Direction;

bool IsAcross(Direction direction)
{
    return direction == Direction::Left || direction == Direction::Right;
}

// A grid of the given size in the message's colours, all background.
CDotGrid BlankPanel(const CDotGrid& message, int width, int height)
{
    CDotGrid panel;
    panel.SetBackgroundColor(message.BackColor(), false);
    panel.SetDotColor(message.ColorIndex());
    if (!panel.Create(width, height, ImageMode))
        return CDotGrid();
    return panel;
}

// Copies the message into the panel so that panel dot (x, y) shows message
// dot (x + dx, y + dy) where there is one; other dots are left alone.
void Place(const CDotGrid& message, CDotGrid& panel, int dx, int dy)
{
    const int x0 = std::max(0, -dx), x1 = std::min(panel.Width(), message.Width() - dx);
    const int y0 = std::max(0, -dy), y1 = std::min(panel.Height(), message.Height() - dy);
    if (x0 >= x1)
        return;
    const std::size_t bytes = 3u * static_cast<std::size_t>(x1 - x0);
    for (int y = y0; y < y1; ++y)
        std::memcpy(panel.DisplayRowBits(y) + 3 * x0, message.DisplayRowBits(y + dy) + 3 * (x0 + dx), bytes);
}

} // namespace

int CFrameEffects::DurationForSpeed(int dotsPerSecond)
{
    const int speed = std::clamp(dotsPerSecond, kMinSpeed, kMaxSpeed);
    return CFrameList::ClampDuration((1000 + speed / 2) / speed);
}

long long CFrameEffects::ScrollFrameCount(const CDotGrid& message, int panelWidth, int panelHeight,
                                          Direction direction)
{
    if (message.IsEmpty() || panelWidth <= 0 || panelHeight <= 0)
        return 0;
    return IsAcross(direction) ? static_cast<long long>(message.Width()) + panelWidth
                               : static_cast<long long>(message.Height()) + panelHeight;
}

bool CFrameEffects::CheckRoom(const CDotGrid& message, int width, int height, long long count,
                              QString& error)
{
    if (message.IsEmpty() || width <= 0 || height <= 0 || count <= 0) {
        error = MessageText::English(MessageText::NothingToAnimate);
        return false;
    }
    const std::size_t each = 3u * static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    if (static_cast<unsigned long long>(count) > CFrameList::kMaxTotalBytes / each) {
        error = MessageText::English(MessageText::AnimationTooLarge,
                                     {QString::number(count), QString::number(width), QString::number(height)});
        return false;
    }
    return true;
}

bool CFrameEffects::Scroll(const CDotGrid& message, int panelWidth, int panelHeight, Direction direction,
                           int durationMs, std::vector<SSignFrame>& frames, QString& error)
{
    frames.clear();
    const long long count = ScrollFrameCount(message, panelWidth, panelHeight, direction);
    if (!CheckRoom(message, panelWidth, panelHeight, count, error))
        return false;
    const CDotGrid blank = BlankPanel(message, panelWidth, panelHeight);
    if (blank.IsEmpty()) {
        error = MessageText::English(MessageText::NoMemoryForFrames);
        return false;
    }
    const int duration = CFrameList::ClampDuration(durationMs);
    frames.reserve(static_cast<std::size_t>(count));
    // Scrolling down, the message's last row enters first.
    const int lastMessageRow = message.Height() - 1;
    for (int k = 0; k < count; ++k) {
        SSignFrame frame{blank, duration};
        if (frame.grid.IsEmpty()) {
            frames.clear();
            error = MessageText::English(MessageText::NoMemoryForFrames);
            return false;
        }
        switch (direction) {
        case Direction::Left: Place(message, frame.grid, k - (panelWidth - 1), 0); break;
        case Direction::Right: Place(message, frame.grid, message.Width() - 1 - k, 0); break;
        case Direction::Up: Place(message, frame.grid, 0, k - (panelHeight - 1)); break;
        case Direction::Down: Place(message, frame.grid, 0, lastMessageRow - k); break;
        }
        frames.push_back(std::move(frame));
    }
    return true;
}

bool CFrameEffects::Blink(const CDotGrid& message, int durationMs, std::vector<SSignFrame>& frames,
                          QString& error)
{
    frames.clear();
    if (!CheckRoom(message, message.Width(), message.Height(), 2, error))
        return false;
    const int duration = CFrameList::ClampDuration(durationMs);
    CDotGrid off = BlankPanel(message, message.Width(), message.Height());
    SSignFrame on{message, duration};
    on.grid.SetMode(ImageMode);
    if (off.IsEmpty() || on.grid.IsEmpty()) {
        error = MessageText::English(MessageText::NoMemoryForFrames);
        return false;
    }
    frames.push_back(std::move(on));
    frames.push_back(SSignFrame{std::move(off), duration});
    return true;
}

bool CFrameEffects::Wipe(const CDotGrid& message, Direction direction, int durationMs,
                         std::vector<SSignFrame>& frames, QString& error)
{
    frames.clear();
    const int width = message.Width(), height = message.Height();
    const int count = IsAcross(direction) ? width : height;
    if (!CheckRoom(message, width, height, count, error))
        return false;
    const CDotGrid blank = BlankPanel(message, width, height);
    const int duration = CFrameList::ClampDuration(durationMs);
    frames.reserve(static_cast<std::size_t>(count));
    for (int k = 1; k <= count; ++k) {
        SSignFrame frame{blank, duration};
        if (frame.grid.IsEmpty()) {
            frames.clear();
            error = MessageText::English(MessageText::NoMemoryForFrames);
            return false;
        }
        // The uncovered band of k columns (rows), copied row by row.
        int x0 = 0, x1 = width, y0 = 0, y1 = height;
        switch (direction) {
        case Direction::Right: x1 = k; break;
        case Direction::Left: x0 = width - k; break;
        case Direction::Down: y1 = k; break;
        case Direction::Up: y0 = height - k; break;
        }
        for (int y = y0; y < y1; ++y)
            std::memcpy(frame.grid.DisplayRowBits(y) + 3 * x0, message.DisplayRowBits(y) + 3 * x0,
                        3u * static_cast<std::size_t>(x1 - x0));
        frames.push_back(std::move(frame));
    }
    return true;
}

bool CFrameEffects::DirectionOfName(const QString& name, Direction& direction)
{
    static const struct
    {
        const char* szName;
        Direction direction;
    } kNames[] = {{"left", Direction::Left}, {"right", Direction::Right}, {"up", Direction::Up},
                  {"down", Direction::Down}};
    for (const auto& entry : kNames) {
        if (name.compare(QLatin1String(entry.szName), Qt::CaseInsensitive) == 0) {
            direction = entry.direction;
            return true;
        }
    }
    return false;
}
