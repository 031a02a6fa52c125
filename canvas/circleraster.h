// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#pragma once

#include "pixel.h"
#include "rect.h"

namespace canvas {

class Canvas;

// Writes a circle outline straight into the canvas's pixels, in device
// pixels, pixel (i, j) standing at the point (i, j). Painting libraries
// stroke a fractional-radius circle as a path, several times slower, and
// every outline of the show is followed by a synchronous present that
// wants the rest of its time.
//
// A width of 1 or less is a one-pixel midpoint circle, centre and radius
// rounded to whole pixels. A wider outline (one logical pixel on a scaled
// screen) is the ring of pixels whose distance from the centre lies within
// width / 2 of the radius. Pixels outside the canvas are skipped. Returns
// the bounding rectangle, clipped to the canvas.
Rect RasterCircleOutline(Canvas &canvas, double cx, double cy, double radius, Pixel colour, double width = 1);

} // namespace canvas
