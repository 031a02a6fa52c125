// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#include "timelinepacer.h"

#include "timeline.h"

#include <algorithm>

namespace player {

TimelinePacer::TimelinePacer(Mode mode, Clock &clock)
    : mode_(mode)
    , clock_(clock)
{
}

void TimelinePacer::StartShow()
{
    due_ = clock_.Now();
}

void TimelinePacer::Wait(std::uint32_t counts)
{
    const Duration length = Duration(CountsToNanoseconds(counts));
    const Duration now = clock_.Now();
    due_ = std::max(due_, now - kMostBehind) + length;
    // Catching up never runs at more than double pace: every pause lasts at
    // least half its length, so what drawing owes is paid back over several
    // pauses and no outlines follow each other without a pause.
    Until(std::max(due_, now + length / 2));
}

void TimelinePacer::Until(Duration end)
{
    if (mode_ == Mode::Sleep) {
        clock_.SleepUntil(end);
        return;
    }
    while (clock_.Now() < end) {
    }
}

} // namespace player
