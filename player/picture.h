// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#pragma once

#include "call.h"

#include "canvas/canvas.h"
#include "show/surface.h"

#include <string>

namespace player {

// A caption as the show left it: its text as set (the designed one ends in
// a blank that never shows) and whether it is shown.
struct Caption
{
    std::string text;
    bool shown = false;
};

// What calls changed of the picture, for a player to put on the screen.
struct Change
{
    canvas::Rect pixels; // device pixels of the canvas
    // A backdrop came first: the whole canvas is its colour, with `pixels`
    // drawn over it since. A page fills one colour far faster than it
    // copies a picture's worth of pixels.
    bool filled = false;
    unsigned captions = 0; // a bit for each label shown, hidden or rewritten

    // This change, and then `later`.
    Change &operator|=(const Change &later);
    bool empty() const { return pixels.empty() && !filled && !captions; }
};

// The show's picture as every player shows it: the canvas, and the two
// captions over it at their designed rectangles. Players draw each call of
// the show by applying it here, at once or when its moment comes, and put
// what changed on the screen their own way.
class Picture
{
public:
    explicit Picture(canvas::Pixel backdrop = canvas::Rgb(0, 0, 0));

    // Sizes, pauses and anything else that draws nothing change nothing.
    Change Apply(const Call &call);

    canvas::Canvas &canvas() { return canvas_; }
    const canvas::Canvas &canvas() const { return canvas_; }
    const Caption &caption(show::Label label) const { return captions_[int(label)]; }
    // A caption's text as it shows: without trailing blanks.
    std::string ShownText(show::Label label) const;

    // Where a label stands whatever the window's size, in pixels of the
    // client area.
    static canvas::Rect CaptionRect(show::Label label);
    // A point of the client area, in its pixels, lies on the picture: on
    // the part of the client area the canvas holds, not beside it.
    bool OnPicture(double x, double y) const;
    // ... and on a shown caption.
    bool OnShownCaption(double x, double y) const;

private:
    canvas::Canvas canvas_;
    Caption captions_[2];
};

} // namespace player
