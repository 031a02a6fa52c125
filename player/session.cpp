// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#include "session.h"

#include "timeline.h"

#include <algorithm>

namespace player {

Session::Session(CallSurface &surface, double loopSeconds, Clock &clock)
    : surface_(surface)
    , clock_(clock)
    , timelinePacer_(std::make_unique<TimelinePacer>(
          loopSeconds >= 0 ? TimelinePacer::Mode::Sleep : TimelinePacer::Mode::Spin, clock))
    , show_(surface, *timelinePacer_)
    , loop_(loopSeconds)
{
}

Session::Session(CallSurface &surface, show::Pacer &pacer)
    : surface_(surface)
    , clock_(Clock::Steady())
    , show_(surface, pacer)
{
}

double Session::Now() const
{
    return std::chrono::duration<double, std::milli>(clock_.Now()).count();
}

Status Session::Play()
{
    loop_.ShowStarted();
    surface_.BeginShow();
    const Status played = PlayShow(show_);
    surface_.EndShow();
    loop_.ShowEnded(Now());
    if (!played.ok())
        loop_.Stop();
    return played;
}

void Session::Painted()
{
    loop_.Painted(Now());
}

int Session::MillisecondsToNextShow() const
{
    if (loop_.due() < 0)
        return -1;
    return int(std::max(0.0, loop_.due() - Now()) + 0.5);
}

} // namespace player
