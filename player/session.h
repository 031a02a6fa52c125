// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#pragma once

#include "callsurface.h"
#include "timelinepacer.h"

#include "base/status.h"
#include "show/sequence.h"

#include <memory>

namespace player {

// A player's shows on a surface that draws at once (a window, a screen, a
// screen saver): one show whenever the player asks, or, in a loop, again
// each time the final picture has stood its time. One session serves the
// surface for the life of the program, so the scatter's random sequence
// goes on from show to show.
//
// The pauses never let an event in. A clicked show spins, as the show was
// made to; a loop sleeps, so that hours of it hold no core.
class Session
{
public:
    // `loopSeconds` below 0: no loop.
    explicit Session(CallSurface &surface, double loopSeconds = -1, Clock &clock = Clock::Steady());
    // Shows paced by the caller's own pacer: one that waits for nothing,
    // say, for a test or a reference picture.
    Session(CallSurface &surface, show::Pacer &pacer);
    Session(const Session &) = delete;
    Session &operator=(const Session &) = delete;

    // One whole show on the calling thread, between the surface's
    // BeginShow() and EndShow(). A failure ends it where it stands, and
    // comes back as its one message.
    Status Play();

    bool looping() const { return loopSeconds_ >= 0; }
    // How long a final picture stands before the loop plays again.
    int loopMilliseconds() const { return int(loopSeconds_ * 1000 + 0.5); }

    // The loop's first show waits until the surface is on the screen (the
    // player calls this once it is painted), so that every show is seen
    // whole: true, once, when it is to start.
    bool FirstShowDue();

private:
    CallSurface &surface_;
    std::unique_ptr<TimelinePacer> timelinePacer_;
    show::ClickShow show_;
    double loopSeconds_;
    bool started_ = false;
};

} // namespace player
