// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#pragma once

#include "checkedsurface.h"
#include "coordinates.h"
#include "pacer.h"
#include "scatter.h"
#include "stamps.h"
#include "surface.h"

namespace show {

// The Click show. One ClickShow serves a window for the life of the program:
// its scatter carries the random sequence on from show to show.
class ClickShow
{
public:
    ClickShow(Surface &surface, Pacer &pacer);
    // It holds on to its surface and pacer, and carries the random sequence.
    ClickShow(const ClickShow &) = delete;
    ClickShow &operator=(const ClickShow &) = delete;

    // Plays the whole show on the calling thread and returns when it ends.
    // Throws ShowError at the first failure, leaving what was drawn.
    void PlayClickShow();

private:
    using StampFn = void (Stamps::*)(const StampArgs &);

    // One run: the stamp k = first..last (skipping `missing`) at (x(k), y(k)).
    struct Run
    {
        StampFn stamp;
        int first, last;
        Coord (*x)(int k);
        Coord (*y)(int k);
        int missing = -1;
    };

    template <std::size_t N>
    void PlayRuns(const Run (&runs)[N]);
    void StampAt(StampFn stamp, Coord x, Coord y);
    void PlayConvergence();

    Pacer &pacer_;
    CheckedSurface window_;
    Stamps stamps_;
    Scatter scatter_;
};

} // namespace show
