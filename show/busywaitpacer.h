// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#pragma once

#include "timelinepacer.h"

namespace show {

// Spins on a clock: the window's own pace, as the show was made, on the
// GUI thread.
class BusyWaitPacer : public TimelinePacer
{
public:
    explicit BusyWaitPacer(Clock &clock = Clock::Steady());

protected:
    void Until(Duration end) override;
};

} // namespace show
