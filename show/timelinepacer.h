// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#pragma once

#include "clock.h"
#include "pacer.h"

#include <chrono>

namespace show {

// A pause of fixed counts that takes a fixed time on a clock, and never
// lets window events in: nothing repaints, moves or closes while the show
// runs. How the time passes is the subclass's: spinning or sleeping.
//
// A show keeps a timeline: the pause after the n-th outline ends at the
// show's start plus all counts so far, so the time spent drawing comes out
// of the pause that follows instead of being added to the show.
class TimelinePacer : public Pacer
{
public:
    using Duration = std::chrono::nanoseconds;

    // 180 ns a count puts the 18,514,000 counts of one show at 3.33 s, well
    // under the time after which desktops call a busy window unresponsive.
    static constexpr Duration kPerCount{180};

    // How far behind its timeline a show may run and still catch up. Past
    // that (a display that stalled) the timeline slips. The bound is twice
    // the dearest thing the show draws between two pauses: a backdrop
    // change on a window that fills an 8192 x 8192 screen takes 30 to 50
    // ms on a local X server. A longer stall is let go rather than made up.
    static constexpr Duration kMostBehind = std::chrono::milliseconds(100);

    void StartShow() override;
    void Wait(std::uint32_t counts) override;

protected:
    explicit TimelinePacer(Clock &clock);
    // Returns once the clock reads `end` or later.
    virtual void Until(Duration end) = 0;

    Clock &clock_;

private:
    Duration due_{}; // where the last pause ended on the timeline
};

} // namespace show
