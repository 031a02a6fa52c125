// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#pragma once

#include "base/status.h"
#include "show/pacer.h"

#include <cstdint>
#include <functional>

// The show's pauses on a virtual clock: a pause waits for nothing, it moves
// the clock on by its counts (180 ns each, as on the screen) and hands out
// every frame whose moment the clock passes. Frame k stands at k / fps
// seconds after the first click and shows exactly the calls whose place on
// the timeline is at or before that moment. Shows follow one another on
// one timeline.
//
// The first frame that fails stops the frames: the show then plays to its
// end with none (a matter of milliseconds), and status() says why.
class FramePacer : public show::Pacer
{
public:
    // `frame(k)` is called with the picture as it stands for frame k.
    FramePacer(int fps, std::function<Status(std::int64_t frame)> frame);

    void Wait(std::uint32_t counts) override;
    // Hands out the frames up to the moment `seconds` after the end of
    // what was played: the picture that stands, held; the timeline goes
    // on from there. The `last` hold shows the end in one frame at least.
    void Hold(double seconds, bool last = true);

    // Frames up to the moment `nanoseconds` after the first click.
    static std::int64_t FramesBefore(std::int64_t nanoseconds, int fps);
    std::int64_t nanoseconds() const { return nanoseconds_; }
    std::int64_t frames() const { return next_; }
    const Status &status() const { return status_; }

private:
    void EmitUpTo(std::int64_t end);

    int fps_;
    std::function<Status(std::int64_t)> frame_;
    Status status_;
    std::int64_t nanoseconds_ = 0; // where the timeline stands
    std::int64_t next_ = 0;        // the next frame to hand out
};
