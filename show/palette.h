// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#pragma once

#include "surface.h"

namespace show {

struct Rgb
{
    int red, green, blue;
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

} // namespace show
