// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#include "clock.h"

namespace show {

namespace {

class SteadyClock final : public Clock
{
public:
    std::chrono::nanoseconds Now() override
    {
        return std::chrono::steady_clock::now().time_since_epoch();
    }
};

} // namespace

Clock &Clock::Steady()
{
    static SteadyClock clock;
    return clock;
}

} // namespace show
