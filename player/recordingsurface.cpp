// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#include "recordingsurface.h"

namespace player {

RecordingSurface::RecordingSurface(float width, float height)
    : width_(width)
    , height_(height)
{
}

void RecordingSurface::Resize(float width, float height)
{
    width_ = width;
    height_ = height;
}

bool RecordingSurface::Take(const Call &call)
{
    calls_.push_back(call);
    return failAt_ == 0 || --failAt_ != 0;
}

void RecordingSurface::Wait(std::uint32_t counts)
{
    calls_.push_back(Call::Pause(counts));
}

} // namespace player
