// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#include "busywaitpacer.h"

namespace show {

BusyWaitPacer::BusyWaitPacer(Clock &clock)
    : TimelinePacer(clock)
{
}

void BusyWaitPacer::Until(Duration end)
{
    while (clock_.Now() < end) {
    }
}

} // namespace show
