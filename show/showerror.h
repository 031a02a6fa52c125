// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#pragma once

#include <stdexcept>
#include <string>

namespace show {

// What ends a show early. The message names what failed.
class ShowError : public std::runtime_error
{
public:
    enum class Kind { WindowCall, Overflow, FloatingPoint };

    static ShowError WindowCall(const std::string &object, const std::string &operation);
    static ShowError Overflow(double value);
    static ShowError FloatingPoint(const std::string &what);

    Kind kind() const { return kind_; }

private:
    ShowError(Kind kind, const std::string &message);
    Kind kind_;
};

} // namespace show
