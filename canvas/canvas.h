// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#pragma once

#include "pixel.h"
#include "rect.h"

#include <cstddef>
#include <memory>
#include <vector>

namespace canvas {

// The show's picture as pixels, with no toolkit: whoever shows it (a
// window, a recording, a web page) puts the rectangle each call changed
// where people see it.
//
// Between two backdrop changes the picture is the backdrop and the
// outlines drawn since, and the canvas keeps them as a short list. So it
// may hold only a part of the picture (the part a screen can show), at any
// device pixel ratio, and follow that part as it moves: what comes into
// view is drawn again from the list.
//
// Lengths are logical pixels of the whole picture, its origin top-left; a
// logical pixel is `ratio` device pixels wide, and every outline is one
// logical pixel wide at any ratio.
class Canvas
{
public:
    explicit Canvas(Pixel backdrop = Rgb(0, 0, 0));
    Canvas(const Canvas &) = delete;
    Canvas &operator=(const Canvas &) = delete;

    // Device pixels along a side of `logical` logical ones.
    static int DevicePixels(int logical, double ratio);

    // Holds `area` of the picture at `ratio` from now on, drawn again from
    // the backdrop and the outlines. False when there is no memory for it:
    // then it stays as it was.
    [[nodiscard]] bool Hold(Rect area, double ratio);

    // The backdrop: every pixel, and the outlines forgotten. Returns what
    // changed, in device pixels.
    Rect SetBackdrop(Pixel colour);
    // One outline, kept to be drawn again. Returns what changed, in device
    // pixels: nothing when it falls outside what the canvas holds.
    Rect DrawCircleOutline(double x, double y, double radius, Pixel colour);
    // Device pixels as the logical pixels of the picture they lie in.
    Rect ToLogical(Rect device) const;

    Rect area() const { return area_; }
    double ratio() const { return ratio_; }
    Pixel backdrop() const { return backdrop_; }
    std::size_t outlines() const { return outlines_.size(); }

    // The pixels: rows of width() words, top row first. None while the
    // area is empty.
    bool isNull() const { return !pixels_; }
    int width() const { return width_; }
    int height() const { return height_; }
    Rect rect() const { return {0, 0, width_, height_}; }
    Pixel *line(int y) { return pixels_.get() + std::size_t(y) * std::size_t(width_); }
    const Pixel *line(int y) const { return pixels_.get() + std::size_t(y) * std::size_t(width_); }
    Pixel pixel(int x, int y) const { return line(y)[x]; }

private:
    struct Outline
    {
        double x, y, radius;
        Pixel colour;
    };

    Rect Draw(const Outline &outline);
    void Fill();

    Pixel backdrop_;
    std::vector<Outline> outlines_; // since the last backdrop change
    std::unique_ptr<Pixel[]> pixels_;
    Rect area_;
    double ratio_ = 1;
    int width_ = 0;
    int height_ = 0;
};

} // namespace canvas
