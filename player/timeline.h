// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#pragma once

#include "picture.h"
#include "recordingsurface.h"

#include "base/status.h"
#include "show/sequence.h"

#include <cstdint>
#include <deque>

namespace player {

// The show's time. Its pauses are counts; a count takes 180 ns on every
// player, which puts the 18,514,000 counts of one show at 3.33 s, well
// under the time after which desktops call a busy window unresponsive.
inline constexpr std::int64_t kNanosecondsPerCount = 180;
// A recording's window stands this long as it opens, before the click.
inline constexpr std::int64_t kLeadInNanoseconds = 500000000;

constexpr std::int64_t CountsToNanoseconds(std::uint64_t counts)
{
    return std::int64_t(counts) * kNanosecondsPerCount;
}

// Frame k at `fps` stands at k / fps seconds: the frames before the
// moment `nanoseconds` are k = 0 .. FramesBefore - 1. A frame shows every
// call whose moment is at or before its own. In whole numbers: a hundred
// shows at 240 frames a second stay far inside 64 bits.
std::int64_t FramesBefore(std::int64_t nanoseconds, int fps);

// Shows played ahead, each call with its moment on the timeline, for the
// players that cannot wait inside a call (a recording, a page): the show
// is played at once, and each call is drawn when its moment comes. The
// calls of a show follow from its start by the counts before them; shows
// follow one another, the scatter's random sequence going on. Moments are
// nanoseconds on the player's own clock.
class Timeline
{
public:
    // Shows on a client area of that many pixels.
    Timeline(int width, int height);
    Timeline(const Timeline &) = delete;
    Timeline &operator=(const Timeline &) = delete;

    // The next show, from `start` or, if later, the end of the last one. A
    // show that fails keeps its calls up to the failure and says why.
    Status Play(std::int64_t start);
    // Where the last show played ends.
    std::int64_t end() const { return end_; }
    // Whether a show is played or due at `now`.
    bool Playing(std::int64_t now) const { return now < end_; }
    // Draws every call whose moment has come by `now`.
    Change Advance(std::int64_t now, Picture &picture);
    // Moves what is still to come that much later.
    void Delay(std::int64_t by);

private:
    struct Timed
    {
        std::int64_t at;
        Call call;
    };

    RecordingSurface recorded_;
    show::ClickShow show_;
    std::deque<Timed> due_;
    std::int64_t end_ = 0;
};

// A whole show on the calling thread; a failure, as its one message.
Status PlayShow(show::ClickShow &show);

} // namespace player
