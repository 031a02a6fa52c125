// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#pragma once

#include <string>
#include <utility>

// What an operation that can fail gives back: it worked, or why not, in
// words fit for the program's one line ("cannot open the display \":9\"").
// Plain C++, so that every layer can say why.
class [[nodiscard]] Status
{
public:
    // It worked.
    Status() = default;
    static Status Ok() { return {}; }
    static Status Error(std::string message) { return Status(message.empty() ? "failed" : std::move(message)); }

    bool ok() const { return message_.empty(); }
    // Empty when it worked.
    const std::string &message() const { return message_; }
    // The same failure, said of something: "the file: no space left".
    Status Prefixed(const std::string &what) const { return ok() ? *this : Error(what + ": " + message_); }

    bool operator==(const Status &other) const { return message_ == other.message_; }
    bool operator!=(const Status &other) const { return !(*this == other); }

private:
    explicit Status(std::string message) : message_(std::move(message)) {}

    std::string message_;
};
