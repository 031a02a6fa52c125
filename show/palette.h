// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#pragma once

#include "surface.h"

namespace show {

struct Rgb
{
    int red, green, blue;

    constexpr bool operator==(const Rgb &other) const
    {
        return red == other.red && green == other.green && blue == other.blue;
    }
    constexpr bool operator!=(const Rgb &other) const { return !(*this == other); }
};

inline constexpr Rgb kBlue{0, 0, 255};
inline constexpr Rgb kGold{255, 204, 102};
inline constexpr Rgb kBlack{0, 0, 0};
inline constexpr Rgb kRed{255, 0, 0};
inline constexpr Rgb kGreen{0, 255, 0};

inline constexpr Rgb kGrey100{100, 100, 100};
inline constexpr Rgb kGrey110{110, 110, 110};
inline constexpr Rgb kGrey109{109, 109, 109};
inline constexpr Rgb kWhite{255, 255, 255};

constexpr Colour Compose(Rgb rgb)
{
    return Surface::ComposeColour(rgb.red, rgb.green, rgb.blue);
}

// The three bytes of a composed colour.
constexpr Rgb Unpack(Colour colour)
{
    return {int(colour & 0xff), int(colour >> 8 & 0xff), int(colour >> 16 & 0xff)};
}

} // namespace show
