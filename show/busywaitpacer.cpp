#include "busywaitpacer.h"

namespace show {

void BusyWaitPacer::Wait(std::uint32_t counts)
{
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + counts * kPerCount;
    while (Clock::now() < deadline) {
    }
}

} // namespace show
