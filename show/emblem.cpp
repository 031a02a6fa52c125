// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#include "emblem.h"

namespace show {

namespace {

struct Ring
{
    Rgb rgb;
    float x, y;
};

// Upper row blue, black, red; lower row gold, green. Green sits 10 twips
// lower than gold.
constexpr Ring kRings[] = {
    {kBlue, 2020, 2020},
    {kBlack, 3520, 2020},
    {kRed, 5020, 2020},
    {kGold, 2770, 2770},
    {kGreen, 4270, 2780},
};

constexpr float kRadius = 600;
constexpr int kOutlinesPerRing = 4;
constexpr float kStep = 10;

} // namespace

void DrawEmblem(CheckedSurface &window)
{
    for (const Ring &ring : kRings) {
        for (int i = 0; i < kOutlinesPerRing; ++i)
            window.DrawCircleOutline(ring.x + kStep * i, ring.y + kStep * i, kRadius, ring.rgb);
    }
}

} // namespace show
