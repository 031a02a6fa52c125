// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#include "session.h"

#include "timeline.h"

namespace player {

Session::Session(CallSurface &surface, double loopSeconds, Clock &clock)
    : surface_(surface)
    , timelinePacer_(std::make_unique<TimelinePacer>(
          loopSeconds >= 0 ? TimelinePacer::Mode::Sleep : TimelinePacer::Mode::Spin, clock))
    , show_(surface, *timelinePacer_)
    , loopSeconds_(loopSeconds)
{
}

Session::Session(CallSurface &surface, show::Pacer &pacer)
    : surface_(surface)
    , show_(surface, pacer)
    , loopSeconds_(-1)
{
}

Status Session::Play()
{
    started_ = true;
    surface_.BeginShow();
    const Status played = PlayShow(show_);
    surface_.EndShow();
    return played;
}

bool Session::FirstShowDue()
{
    if (!looping() || started_)
        return false;
    started_ = true;
    return true;
}

} // namespace player
