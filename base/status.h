// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#pragma once

#include <QString>

// What an operation that can fail gives back: it worked, or why not, in
// words fit for the program's one line ("cannot open the display \":9\"").
class [[nodiscard]] Status
{
public:
    // It worked.
    Status() = default;
    static Status Ok() { return {}; }
    static Status Error(const QString &message) { return Status(message.isEmpty() ? QStringLiteral("failed") : message); }

    bool ok() const { return message_.isEmpty(); }
    // Empty when it worked.
    const QString &message() const { return message_; }
    // The same failure, said of something: "the file: no space left".
    Status Prefixed(const QString &what) const { return ok() ? *this : Error(what + QStringLiteral(": ") + message_); }

    bool operator==(const Status &other) const { return message_ == other.message_; }
    bool operator!=(const Status &other) const { return !(*this == other); }

private:
    explicit Status(const QString &message) : message_(message) {}

    QString message_;
};

// For test output.
inline char *toString(const Status &status)
{
    return qstrdup(status.ok() ? "ok" : qPrintable(status.message()));
}
