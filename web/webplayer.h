// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#pragma once

#include "player/inputrules.h"
#include "player/loopschedule.h"
#include "player/picture.h"
#include "player/timeline.h"

#include <cstdint>
#include <vector>

// The page's player: the show on the players' timeline, drawn into the
// picture frame by frame. A page cannot wait inside a call, so a show is
// played at once and each animation frame draws what the timeline has
// reached. Times are the page's milliseconds.
//
// A show asked for while none runs starts at the next animation frame. A
// frame is on the screen when the next one begins, and the first frame
// after a while of none may take long (the browser wakes its compositor).
// So the show's timeline starts when its first frame is on the screen, and
// its calls are drawn a frame ahead of their moment, as every later frame
// is on the screen a frame after it begins: the frame after the first one
// tells how long a frame takes. A slow first frame delays the show rather
// than shortening its first act on the screen.
//
// In a loop, as the window's --loop, the shows come when the players'
// schedule has them due: the first once the picture is on the screen. A
// page cannot close itself: the rules leave Ctrl+Q and Ctrl+W to the
// browser.
class WebPlayer
{
public:
    explicit WebPlayer(canvas::Pixel buttonFace);

    // The picture at `ratio` device pixels to a design pixel, drawn again.
    bool Resize(double ratio);
    // What the page's input asks for; a show asked for plays from the
    // next frame on. The page does the rest (full screen).
    player::Action Input(const player::Event &event);
    // The picture is on the screen, at `now`.
    void Painted(double now) { loop_.Painted(now); }
    // An animation frame at `now`: what changed.
    player::Change Frame(double now);
    // Whether frames are wanted: a show runs or is asked for.
    bool Playing(double now) const { return asked_ > 0 || starting_ > 0 || timeline_.Playing(Nanoseconds(now)); }

    // Each final picture stands `seconds` before the show plays again;
    // below 0, no loop.
    void Loop(double seconds) { loop_ = player::LoopSchedule(seconds); }
    bool looping() const { return loop_.looping(); }
    // When the loop's next show is due, or below 0 if none is.
    double due() const { return loop_.due(); }

    const player::Picture &picture() const { return picture_; }
    // Pixels of the canvas, as a page's canvas takes them: bytes R, G, B, A.
    const std::uint8_t *Rgba(const canvas::Rect &rect);

private:
    static std::int64_t Nanoseconds(double milliseconds) { return std::int64_t(milliseconds * 1e6); }
    void Ask();

    player::Picture picture_;
    player::InputRules rules_{picture_, false};
    player::Timeline timeline_;
    int asked_ = 0;    // shows asked for since the last frame
    int starting_ = 0; // frames of a show's start still to come
    bool showing_ = false;
    double started_[2] = {0, 0}; // when its first frame began, and when it was on the screen
    player::LoopSchedule loop_;
    std::vector<std::uint8_t> rgba_;
};
