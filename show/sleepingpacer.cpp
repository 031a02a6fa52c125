// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#include "sleepingpacer.h"

namespace show {

SleepingPacer::SleepingPacer(Clock &clock)
    : TimelinePacer(clock)
{
}

void SleepingPacer::Until(Duration end)
{
    clock_.SleepUntil(end);
}

} // namespace show
