// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#include "floatfaults.h"

#include <cmath>
#include <cstdint>
#include <cstring>

namespace show {

namespace {

// A NaN whose quiet bit is clear: any arithmetic on it, even widening it
// to double, is an invalid operation.
bool Signalling(float value)
{
    std::uint32_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return std::isnan(value) && !(bits & 0x00400000u);
}

} // namespace

bool SubtractionFaults(float a, float b)
{
    if (Signalling(a) || Signalling(b))
        return true;
    // Infinity less infinity of the same sign is invalid; finite operands
    // that give an infinity overflowed. A quiet NaN raises nothing.
    if (std::isinf(a) && std::isinf(b))
        return std::signbit(a) == std::signbit(b);
    return std::isfinite(a) && std::isfinite(b) && std::isinf(a - b);
}

bool ProductFaults(float a, float b)
{
    if (Signalling(a) || Signalling(b))
        return true;
    // Zero times infinity is invalid; two singles cannot overflow a double.
    return (a == 0 && std::isinf(b)) || (std::isinf(a) && b == 0);
}

} // namespace show
