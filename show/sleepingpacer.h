// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#pragma once

#include "timelinepacer.h"

namespace show {

// Sleeps until the timeline reaches the pause's end, on the same timeline
// as the busy wait, and still lets no window event in: for a show that runs
// for hours (a screensaver, a loop) and must not hold a core.
class SleepingPacer : public TimelinePacer
{
public:
    explicit SleepingPacer(Clock &clock = Clock::Steady());

protected:
    void Until(Duration end) override;
};

} // namespace show
