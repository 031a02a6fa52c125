// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#pragma once

#include "checkedsurface.h"
#include "randomsequence.h"
#include "stamps.h"

namespace show {

// 120 passes of five circles at random centres inside the client area. The
// random sequence lives as long as the Scatter, so each show continues it.
class Scatter
{
public:
    static constexpr int kPasses = 120;
    static constexpr float kRadius = 350.0f;

    Scatter(CheckedSurface &window, Stamps &stamps);

    void ScatterCircles();

private:
    void ScatterOne(Rgb rgb);

    CheckedSurface &window_;
    Stamps &stamps_;
    RandomSequence random_;
};

} // namespace show
