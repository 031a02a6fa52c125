// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace player {

// What a screen saver is asked to do, as Windows asks it: /s plays on the
// whole screen, /p HWND plays in a preview inside that window, /c or
// /c:HWND (or nothing at all) opens the settings. Either case, / or -, and
// ':' or a blank before the window's handle, as Windows passes them.
struct SaverRequest
{
    enum class Mode { None, Play, Preview, Settings };
    Mode mode = Mode::None;
    std::uintptr_t window = 0; // the preview's parent, the settings' owner
    // Why a request that names a screen saver's letter cannot be done (a
    // preview without a window, a handle out of range), in one line.
    std::string problem;
};

// The arguments after the program's name; Mode::None if they ask for no
// screen saver, or for one that cannot be (then `problem` says why).
SaverRequest ReadSaverArguments(const std::vector<std::string> &arguments);

} // namespace player
