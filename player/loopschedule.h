// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#pragma once

namespace player {

// When a loop's shows are due, for every player that loops (--loop, a
// screen saver, a page's ?loop=): the first as soon as the picture is on
// the screen, then each time a final picture has stood its time. A show
// asked for by input meanwhile takes the place of the one due; a close
// ends the loop. Times are milliseconds on the player's own clock.
class LoopSchedule
{
public:
    // Each final picture stands `seconds`; below 0, no loop.
    explicit LoopSchedule(double seconds = -1);

    bool looping() const { return seconds_ >= 0; }
    int finaleMilliseconds() const { return int(seconds_ * 1000 + 0.5); }

    // The picture is on the screen, at `now`: the first show is due then.
    void Painted(double now);
    // A show begins: none is due until it has ended.
    void ShowStarted();
    // The show ended at `end`.
    void ShowEnded(double end);
    void Stop();

    // When the next show is due; below 0 if none is.
    double due() const { return due_; }
    // Whether it is due at `now`.
    bool Due(double now) const { return due_ >= 0 && now >= due_; }

private:
    double seconds_;
    bool painted_ = false;
    bool stopped_ = false;
    double due_ = -1;
};

} // namespace player
