// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#pragma once

#include "callsurface.h"
#include "loopschedule.h"
#include "timelinepacer.h"

#include "base/status.h"
#include "show/sequence.h"

#include <memory>

namespace player {

// A player's shows on a surface that draws at once (a window, a screen, a
// screen saver): one show whenever the player asks, and in a loop the
// shows its schedule has due (loopschedule.h), which the player plays when
// MillisecondsToNextShow() says. One session serves the surface for the
// life of the program, so the scatter's random sequence goes on from show
// to show.
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

    bool looping() const { return loop_.looping(); }

    // The surface is on the screen: a loop's first show is due, so that
    // every show is seen whole.
    void Painted();
    // The player closes: no show is due any more.
    void Stop() { loop_.Stop(); }
    // When the loop's next show is due, from now; below 0 if none is.
    int MillisecondsToNextShow() const;

private:
    double Now() const;

    CallSurface &surface_;
    Clock &clock_;
    std::unique_ptr<TimelinePacer> timelinePacer_;
    show::ClickShow show_;
    LoopSchedule loop_;
};

} // namespace player
