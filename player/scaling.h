// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#pragma once

#include "canvas/rect.h"

#include <vector>

namespace player {

// The design picture in a rectangle of device pixels (a whole screen, a
// window another program hands over, a preview a fifth of the design's
// size): scaled uniformly by the largest factor that fits, in thousandths
// so that a recording's --scale can name it, and centred. The rest is
// black, as a video player shows a picture of another shape. The picture
// is drawn at that scale (outlines one design pixel wide, sharp), so it
// equals a recording at that scale.
struct Fit
{
    double scale = 1;     // device pixels to a pixel of the design
    canvas::Rect picture; // where it stands in the rectangle

    // A point of the rectangle, in its device pixels, as a point of the
    // design's client area, in its pixels.
    double DesignX(double x) const { return (x - picture.x) / scale; }
    double DesignY(double y) const { return (y - picture.y) / scale; }
};

Fit FitDesign(int width, int height);

// A screen saver's pictures: one on each monitor, fitted to it, never one
// across the seam of two. Monitors are rectangles of the virtual screen in
// device pixels (left of or above the main one where they are negative); a
// monitor that mirrors another shows the same picture, once. Each fit's
// picture stands in virtual-screen pixels.
struct MonitorPicture
{
    canvas::Rect monitor;
    Fit fit;
};
std::vector<MonitorPicture> FitMonitors(const std::vector<canvas::Rect> &monitors);

} // namespace player
