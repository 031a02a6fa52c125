// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#pragma once

#include "checkedsurface.h"
#include "pacer.h"

#include <cstdint>

namespace show {

// Centre and radius of one stamp, in twips. 32 bits wide, so a maximized
// window on a large monitor still fits.
struct StampArgs
{
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::int32_t radius = 0;
};

// One outline of a fixed colour, then a fixed pause: slow stamps pause long,
// fast stamps medium.
class Stamps
{
public:
    static constexpr std::uint32_t kLongCounts = 52000;
    static constexpr std::uint32_t kMediumCounts = 30000;
    static constexpr std::uint32_t kShortCounts = 9000;

    Stamps(CheckedSurface &window, Pacer &pacer);

    void DrawBlueSlow(const StampArgs &args);
    void DrawGoldSlow(const StampArgs &args);
    void DrawBlackSlow(const StampArgs &args);
    void DrawRedSlow(const StampArgs &args);
    void DrawGreenSlow(const StampArgs &args);

    void DrawBlueFast(const StampArgs &args);
    void DrawGoldFast(const StampArgs &args);
    void DrawBlackFast(const StampArgs &args);
    void DrawRedFast(const StampArgs &args);
    void DrawGreenFast(const StampArgs &args);

    void PauseLong();
    void PauseMedium();
    void PauseShort();

private:
    void Stamp(const StampArgs &args, Rgb rgb, void (Stamps::*pause)());

    CheckedSurface &window_;
    Pacer &pacer_;
};

} // namespace show
