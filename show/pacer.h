// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#pragma once

#include <cstdint>

namespace show {

// Every pause of the show waits here. The window's pacer burns time on the
// GUI thread; tests record the counts and return at once.
class Pacer
{
public:
    virtual ~Pacer() = default;
    // A show begins: the pauses that follow keep time from here.
    virtual void StartShow() {}
    virtual void Wait(std::uint32_t counts) = 0;
};

} // namespace show
