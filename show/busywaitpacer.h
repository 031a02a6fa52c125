#pragma once

#include "pacer.h"

#include <chrono>

namespace show {

// Spins on the monotonic clock: it neither sleeps nor lets window events in,
// so nothing repaints, moves or closes while the show runs.
class BusyWaitPacer : public Pacer
{
public:
    // 180 ns a count puts the 18,514,000 counts of one show at 3.33 s, well
    // under the time after which desktops call a busy window unresponsive.
    static constexpr std::chrono::nanoseconds kPerCount{180};

    void Wait(std::uint32_t counts) override;
};

} // namespace show
