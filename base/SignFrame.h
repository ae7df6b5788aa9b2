#pragma once

#include "base/DotGrid.h"

#include <cstddef>

// One picture of an animated sign: its dots and how long it stays up.
struct SSignFrame
{
    // How long a frame may stay up, and what a new one gets.
    static constexpr int kMinDurationMs = 10;
    static constexpr int kMaxDurationMs = 60000;
    static constexpr int kDefaultDurationMs = 100;
    // What all frames of a sign together may hold: far beyond any real sign,
    // it keeps effects, duplicates and files from exhausting memory.
    static constexpr std::size_t kMaxTotalBytes = std::size_t{512} << 20;

    CDotGrid grid;
    int nDurationMs = 0;
};
