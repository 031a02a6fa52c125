// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#pragma once

#include <string>

namespace player {

// How long a loop's final picture may stand (--loop, a page's ?loop=, the
// screen saver's setting), in seconds.
inline constexpr double kLoopSecondsMost = 3600;
// How long a screen saver's final picture stands unless told.
inline constexpr double kSaverFinaleSeconds = 5;

// Seconds as a person writes them: plain decimal digits, from 0 to
// kLoopSecondsMost. False for anything else, an empty text included.
bool ReadLoopSeconds(const std::string &text, double &seconds);

} // namespace player
