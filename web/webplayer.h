// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#pragma once

#include "timedsurface.h"

#include "canvas/canvas.h"
#include "show/sequence.h"

#include <cstdint>
#include <string>
#include <vector>

// The page's player: the show on a canvas, on the show's own timeline. A
// request plays a whole show at once into the timed surface; each
// animation frame then draws what the timeline has reached. One player
// serves the page, so the scatter's random sequence goes on from show to
// show. Times are the page's milliseconds.
class WebPlayer
{
public:
    explicit WebPlayer(canvas::Pixel buttonFace);

    // The picture at `ratio` device pixels to a design pixel, drawn again.
    bool Resize(double ratio);
    // A show now, or, while shows run, one more after them.
    void Play(double now);
    bool Playing(double now) const { return now < timed_.end(); }
    // Draws every call whose moment has come by `now`: returns what
    // changed since the last backdrop, in device pixels. A backdrop
    // drawn on the way is filled(): the whole picture, one colour.
    canvas::Rect Advance(double now);
    const canvas::Pixel *filled() const { return filled_ ? &fill_ : nullptr; }
    // Those pixels, as a page's canvas takes them: bytes R, G, B, A.
    const std::uint8_t *Rgba(const canvas::Rect &rect);

    bool captionShown(show::Label label) const { return shown_[int(label)]; }
    const std::string &caption(show::Label label) const { return captions_[int(label)]; }

private:
    TimedSurface timed_;
    show::ClickShow show_;
    canvas::Canvas canvas_;
    bool shown_[2] = {false, false};
    std::string captions_[2];
    std::vector<std::uint8_t> rgba_;
    bool filled_ = false;
    canvas::Pixel fill_ = 0;
};
