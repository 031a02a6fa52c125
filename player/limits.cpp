// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#include "limits.h"

namespace player {

bool ReadLoopSeconds(const std::string &text, double &seconds)
{
    // Digits, and at most one point between digits: no sign, blank,
    // exponent or hexadecimal. Read by hand, so that no player carries a
    // whole floating-point parser for it.
    double value = 0, unit = 1;
    bool point = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '.' && !point && i > 0 && i + 1 < text.size()) {
            point = true;
        } else if (c >= '0' && c <= '9') {
            if (point)
                value += (c - '0') * (unit /= 10);
            else
                value = value * 10 + (c - '0');
        } else {
            return false;
        }
        if (value > kLoopSecondsMost)
            return false;
    }
    if (text.empty())
        return false;
    seconds = value;
    return true;
}

} // namespace player
