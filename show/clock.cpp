// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#include "clock.h"

#include <cerrno>
#include <time.h>

namespace show {

namespace {

class SteadyClock final : public Clock
{
public:
    std::chrono::nanoseconds Now() override
    {
        return std::chrono::steady_clock::now().time_since_epoch();
    }

    // An absolute deadline on the monotonic clock, the steady clock's own:
    // a late wake-up is not carried into the next pause.
    void SleepUntil(std::chrono::nanoseconds when) override
    {
        const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(when);
        const timespec deadline{time_t(seconds.count()), long((when - seconds).count())};
        while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &deadline, nullptr) == EINTR) {
        }
    }
};

} // namespace

Clock &Clock::Steady()
{
    static SteadyClock clock;
    return clock;
}

} // namespace show
