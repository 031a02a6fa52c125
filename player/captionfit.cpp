// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#include "captionfit.h"

#include "show/design.h"

namespace player {

int FitCaption(const std::string &text, int width, int height, const MeasureInk &measure)
{
    int pixels = show::kCaptionPixels;
    for (; pixels > 1; --pixels) {
        const Ink ink = measure(text, pixels);
        if (ink.top >= 0 && ink.right < width && ink.bottom < height)
            break;
    }
    return pixels;
}

} // namespace player
