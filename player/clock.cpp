// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#include "clock.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <cerrno>
#include <time.h>
#endif

namespace player {

namespace {

#ifdef _WIN32

class SteadyClock final : public Clock
{
public:
    SteadyClock()
    {
        LARGE_INTEGER frequency;
        QueryPerformanceFrequency(&frequency);
        frequency_ = frequency.QuadPart;
    }

    std::chrono::nanoseconds Now() override
    {
        LARGE_INTEGER counter;
        QueryPerformanceCounter(&counter);
        const long long ticks = counter.QuadPart;
        // In two steps, so that a day of ticks does not overflow.
        return std::chrono::nanoseconds(ticks / frequency_ * 1000000000LL
                                        + ticks % frequency_ * 1000000000LL / frequency_);
    }

    // Sleep() wakes on the scheduler's tick: the rest is spun, so that a
    // pause ends on time, as the window's own busy wait does.
    void SleepUntil(std::chrono::nanoseconds when) override
    {
        for (;;) {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(when - Now()).count();
            if (left <= 2)
                break;
            Sleep(DWORD(left - 2));
        }
        while (Now() < when) {
        }
    }

private:
    long long frequency_ = 1;
};

#else

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

#endif

} // namespace

Clock &Clock::Steady()
{
    static SteadyClock clock;
    return clock;
}

} // namespace player
