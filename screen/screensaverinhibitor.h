// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#pragma once

// Holds the desktop's screen saver off while the show loops on the whole
// screen, as a video player does: the org.freedesktop.ScreenSaver Inhibit
// call, where a session bus offers it. Where none does, nothing happens.
class ScreenSaverInhibitor
{
public:
    ScreenSaverInhibitor() = default;
    ~ScreenSaverInhibitor();
    ScreenSaverInhibitor(const ScreenSaverInhibitor &) = delete;
    ScreenSaverInhibitor &operator=(const ScreenSaverInhibitor &) = delete;

    void Hold(bool held);

private:
    unsigned cookie_ = 0;
    bool held_ = false;
};
