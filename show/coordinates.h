// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#pragma once

#include <cstdint>

namespace show {

// Where a stamp coordinate comes from: a constant, or the client width or
// height less an offset. An offset of 0 is the far edge itself.
struct Coord
{
    enum class Edge { None, Width, Height };
    Edge edge;
    std::int32_t value;
};

constexpr Coord Const(std::int32_t value) { return {Coord::Edge::None, value}; }
constexpr Coord FromW(std::int32_t offset) { return {Coord::Edge::Width, offset}; }
constexpr Coord FromH(std::int32_t offset) { return {Coord::Edge::Height, offset}; }

// The corner sequence of the diagonal runs: 0, 350, 600, 850, ...
constexpr std::int32_t D(int k) { return k == 0 ? 0 : 100 + 250 * k; }

// Rounds to the nearest integer, halves to even. Throws an overflow
// ShowError for non-finite values and values beyond 32 bits.
std::int32_t ToStampArg(float value);

// size - offset in single precision, checked for invalid operation, division
// by zero and overflow (a floating-point ShowError), then rounded as
// ToStampArg. `what` names the coordinate in the error.
std::int32_t EdgeRelative(float size, float offset, const char *what);

} // namespace show
