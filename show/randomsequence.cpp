// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#include "randomsequence.h"

namespace show {

namespace {
constexpr std::uint32_t kMultiplier = 1140671485;
constexpr std::uint32_t kIncrement = 12820163;
constexpr std::uint32_t kModulusMask = (1u << 24) - 1;
constexpr float kModulus = 16777216.0f;
} // namespace

float RandomSequence::Next()
{
    // Unsigned wrap-around is modulo 2^32, so masking gives modulo 2^24.
    state_ = (state_ * kMultiplier + kIncrement) & kModulusMask;
    return float(state_) / kModulus;
}

} // namespace show
