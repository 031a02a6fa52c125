// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#include "scatter.h"

#include "floatfaults.h"
#include "showerror.h"

#include <cmath>

namespace show {

namespace {

// floor(r * size), with the product formed exactly in double precision.
float ScaledFloor(float random, float size, const char *what)
{
    if (ProductFaults(random, size))
        throw ShowError::FloatingPoint(what);
    return float(std::floor(double(random) * double(size)));
}

} // namespace

Scatter::Scatter(CheckedSurface &window, Stamps &stamps)
    : window_(window)
    , stamps_(stamps)
{
}

void Scatter::ScatterCircles()
{
    for (int pass = 0; pass < kPasses; ++pass) {
        for (const Rgb &rgb : {kBlack, kRed, kGreen, kBlue, kGold})
            ScatterOne(rgb);
        stamps_.PauseShort();
    }
}

void Scatter::ScatterOne(Rgb rgb)
{
    // Each random value is taken before the size it scales is read.
    const float rx = random_.Next();
    const float width = window_.ClientWidth();
    const float ry = random_.Next();
    const float height = window_.ClientHeight();
    const float y = ScaledFloor(ry, height, "random y");
    const float x = ScaledFloor(rx, width, "random x");
    window_.DrawCircleOutline(x, y, kRadius, rgb);
}

} // namespace show
