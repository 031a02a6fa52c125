// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#pragma once

#include "checkedsurface.h"
#include "palette.h"

namespace show {

// Five thick rings at fixed places, whatever the window's size: each ring is
// four outlines of radius 600, stepping 10 twips right and down.
struct EmblemRing
{
    Rgb rgb;
    float x, y; // the first outline's centre, in twips
};

// Upper row blue, black, red; lower row gold, green. Green sits 10 twips
// lower than gold.
inline constexpr EmblemRing kEmblemRings[] = {
    {kBlue, 2020, 2020}, {kBlack, 3520, 2020}, {kRed, 5020, 2020}, {kGold, 2770, 2770}, {kGreen, 4270, 2780},
};
inline constexpr float kEmblemRadius = 600;
inline constexpr int kOutlinesPerRing = 4;
inline constexpr float kEmblemStep = 10;

void DrawEmblem(CheckedSurface &window);

} // namespace show
