// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#include "emblem.h"

namespace show {

void DrawEmblem(CheckedSurface &window)
{
    for (const EmblemRing &ring : kEmblemRings) {
        for (int i = 0; i < kOutlinesPerRing; ++i)
            window.DrawCircleOutline(ring.x + kEmblemStep * i, ring.y + kEmblemStep * i, kEmblemRadius, ring.rgb);
    }
}

} // namespace show
