// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#include "coordinates.h"

#include "floatfaults.h"
#include "showerror.h"

#include <cmath>
#include <limits>
#include <string>

namespace show {

std::int32_t ToStampArg(float value)
{
    // nearbyint follows the default round-to-nearest-even mode.
    const double rounded = std::nearbyint(double(value));
    if (!(rounded >= std::numeric_limits<std::int32_t>::min()
          && rounded <= std::numeric_limits<std::int32_t>::max()))
        throw ShowError::Overflow(value);
    return std::int32_t(rounded);
}

std::int32_t EdgeRelative(float size, float offset, const char *what)
{
    if (SubtractionFaults(size, offset))
        throw ShowError::FloatingPoint(std::string(what) + " - " + std::to_string(int(offset)));
    return ToStampArg(size - offset);
}

} // namespace show
