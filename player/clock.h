// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#pragma once

#include <chrono>

namespace player {

// Where a pacer reads the time: the machine's monotonic clock, or a test's
// own.
class Clock
{
public:
    virtual ~Clock() = default;
    virtual std::chrono::nanoseconds Now() = 0;
    // Sleeps until Now() reads `when` or later.
    virtual void SleepUntil(std::chrono::nanoseconds when) = 0;

    // The monotonic clock of the machine: the performance counter on
    // Windows, CLOCK_MONOTONIC elsewhere.
    static Clock &Steady();
};

} // namespace player
