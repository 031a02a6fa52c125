// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#pragma once

#include "canvas.h"

#include "show/design.h"
#include "show/palette.h"

namespace canvas {

// A colour as the show composes it, as a pixel.
inline Pixel PixelOf(show::Colour colour)
{
    const show::Rgb rgb = show::Unpack(colour);
    return Rgb(rgb.red, rgb.green, rgb.blue);
}

// The show's outline, given in twips, on a canvas of logical pixels. The
// radius is divided in single precision, as it comes: every player's
// pixels are the window's.
inline Rect DrawShowOutline(Canvas &canvas, float x, float y, float radius, show::Colour colour)
{
    return canvas.DrawCircleOutline(double(x) / show::kTwipsPerPixel, double(y) / show::kTwipsPerPixel,
                                    double(radius / show::kTwipsPerPixel), PixelOf(colour));
}

} // namespace canvas
