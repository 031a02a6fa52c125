// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#pragma once

#include <cstdint>

namespace canvas {

// One opaque pixel in a 32-bit word, 0xffRRGGBB: the layout of Qt's RGB32
// images, so a window shows the buffer as it is. A web page reorders the
// bytes of what it puts on its canvas.
using Pixel = std::uint32_t;

constexpr Pixel Rgb(int red, int green, int blue)
{
    return 0xff000000u | std::uint32_t(red & 0xff) << 16 | std::uint32_t(green & 0xff) << 8 | std::uint32_t(blue & 0xff);
}

constexpr int Red(Pixel pixel) { return int(pixel >> 16 & 0xff); }
constexpr int Green(Pixel pixel) { return int(pixel >> 8 & 0xff); }
constexpr int Blue(Pixel pixel) { return int(pixel & 0xff); }

} // namespace canvas
