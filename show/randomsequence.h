// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#pragma once

#include <cstdint>

namespace show {

// The scatter's random numbers: a 24-bit linear congruential sequence that
// starts from the same state in every run of the program and is never
// reseeded, so the first show after a start always scatters alike.
class RandomSequence
{
public:
    static constexpr std::uint32_t kInitialState = 327680;

    // The next value, a float in [0, 1).
    float Next();

private:
    std::uint32_t state_ = kInitialState;
};

} // namespace show
