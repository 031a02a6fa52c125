// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#pragma once

#include "record/recordoptions.h"

#include <QString>

// Everything the command line can ask for.
struct Options
{
    bool help = false;
    bool version = false;
    bool record = false; // --record was given: `recording` holds the rest
    RecordOptions recording;
    // The window.
    bool fullscreen = false;
    double loop = -1; // seconds each final picture stands before the next show; -1: no loop
    // A screensaver: on the window handed over, or XScreenSaver's, or root.
    bool root = false;
    unsigned long windowId = 0;
    // Qt's own -platform and -display, for the display check to see.
    QString platform;
    QString display;
};
