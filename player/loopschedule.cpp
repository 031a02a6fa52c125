// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#include "loopschedule.h"

namespace player {

LoopSchedule::LoopSchedule(double seconds)
    : seconds_(seconds)
{
}

void LoopSchedule::Painted(double now)
{
    if (!looping() || painted_ || stopped_)
        return;
    painted_ = true;
    due_ = now;
}

void LoopSchedule::ShowStarted()
{
    painted_ = true; // a show asked for before the first paint starts the loop
    due_ = -1;
}

void LoopSchedule::ShowEnded(double end)
{
    if (looping() && !stopped_)
        due_ = end + seconds_ * 1000;
}

void LoopSchedule::Stop()
{
    stopped_ = true;
    due_ = -1;
}

} // namespace player
