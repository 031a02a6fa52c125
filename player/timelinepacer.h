// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#pragma once

#include "clock.h"

#include "show/pacer.h"

#include <chrono>

namespace player {

// A pause of fixed counts that takes a fixed time on a clock, and never
// lets window events in: nothing repaints, moves or closes while the show
// runs.
//
// A show keeps a timeline: the pause after the n-th outline ends at the
// show's start plus all counts so far (timeline.h), so the time spent
// drawing comes out of the pause that follows instead of being added to
// the show.
class TimelinePacer : public show::Pacer
{
public:
    using Duration = std::chrono::nanoseconds;

    // How a pause passes: spinning on the GUI thread, as the show was made
    // to, or asleep, for a show that runs for hours (a loop, a screen
    // saver) and must not hold a core. Either way no event gets in.
    enum class Mode { Spin, Sleep };

    // How far behind its timeline a show may run and still catch up. Past
    // that (a display that stalled) the timeline slips. The bound is twice
    // the dearest thing the show draws between two pauses: a backdrop
    // change on a window that fills an 8192 x 8192 screen takes 30 to 50
    // ms on a local X server. A longer stall is let go rather than made up.
    static constexpr Duration kMostBehind = std::chrono::milliseconds(100);

    explicit TimelinePacer(Mode mode, Clock &clock = Clock::Steady());

    void StartShow() override;
    void Wait(std::uint32_t counts) override;

private:
    void Until(Duration end);

    Mode mode_;
    Clock &clock_;
    Duration due_{}; // where the last pause ended on the timeline
};

} // namespace player
