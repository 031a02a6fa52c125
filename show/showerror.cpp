// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#include "showerror.h"

#include <sstream>

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
    std::ostringstream message;
    message << "overflow: coordinate " << value << " does not fit a stamp argument";
    return ShowError(Kind::Overflow, message.str());
}

ShowError ShowError::FloatingPoint(const std::string &what)
{
    return ShowError(Kind::FloatingPoint, "floating-point error in " + what);
}

} // namespace show
