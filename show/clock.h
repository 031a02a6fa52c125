// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#pragma once

#include <chrono>

namespace show {

// Where the pacer reads the time: the monotonic clock, or a test's own.
class Clock
{
public:
    virtual ~Clock() = default;
    virtual std::chrono::nanoseconds Now() = 0;
    // Sleeps until Now() reads `when` or later.
    virtual void SleepUntil(std::chrono::nanoseconds when) = 0;

    // The monotonic clock of the machine.
    static Clock &Steady();
};

} // namespace show
