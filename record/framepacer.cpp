// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#include "framepacer.h"

#include "show/busywaitpacer.h"

#include <algorithm>
#include <cmath>
#include <utility>

FramePacer::FramePacer(int fps, std::function<Status(std::int64_t)> frame)
    : fps_(fps)
    , frame_(std::move(frame))
{
}

// Frame k stands at k * 1e9 / fps ns: the frames before a moment t are
// those with k * 1e9 < t * fps, k = 0 .. ceil(t * fps / 1e9) - 1. In whole
// numbers: a hundred shows at 240 frames a second stay far inside 64 bits.
std::int64_t FramePacer::FramesBefore(std::int64_t nanoseconds, int fps)
{
    constexpr std::int64_t kSecond = 1000000000;
    return (nanoseconds * fps + kSecond - 1) / kSecond;
}

// Hands out the frames before `end`.
void FramePacer::EmitUpTo(std::int64_t end)
{
    for (; next_ < end && status_.ok(); ++next_)
        status_ = frame_(next_);
}

// The calls so far stand at the timeline's present moment; the frames
// until the pause ends show them.
void FramePacer::Wait(std::uint32_t counts)
{
    nanoseconds_ += std::int64_t(counts) * show::BusyWaitPacer::kPerCount.count();
    EmitUpTo(FramesBefore(nanoseconds_, fps_));
}

// The end stands from its moment on: up to the hold's end, and, the last
// time, on at least one frame, even with no hold.
void FramePacer::Hold(double seconds, bool last)
{
    const std::int64_t end = nanoseconds_ + std::llround(seconds * 1e9);
    EmitUpTo(std::max(FramesBefore(end, fps_), FramesBefore(nanoseconds_, fps_) + (last ? 1 : 0)));
    nanoseconds_ = end;
}
