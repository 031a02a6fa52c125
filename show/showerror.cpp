// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#include "showerror.h"

#include <cstdio>

namespace show {

ShowError::ShowError(Kind kind, const std::string &message)
    : std::runtime_error(message)
    , kind_(kind)
{
}

ShowError ShowError::WindowCall(const std::string &object, const std::string &operation)
{
    return ShowError(Kind::WindowCall, "window call failed: " + object + "." + operation);
}

ShowError ShowError::Overflow(double value)
{
    // As a stream prints a double: six significant digits.
    char number[32];
    std::snprintf(number, sizeof number, "%g", value);
    return ShowError(Kind::Overflow, std::string("overflow: coordinate ") + number + " does not fit a stamp argument");
}

ShowError ShowError::FloatingPoint(const std::string &what)
{
    return ShowError(Kind::FloatingPoint, "floating-point error in " + what);
}

} // namespace show
