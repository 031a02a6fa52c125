// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#pragma once

#include "show/design.h"

#include <QSize>
#include <QString>

// What `clickshow --record FILE` was asked for.
struct RecordOptions
{
    QString file;
    int fps = 60;
    QSize size{show::kDesignWidth, show::kDesignHeight}; // logical pixels
    double scale = 1;                                     // device pixels to a logical one
    int shows = 1;
    double hold = 2; // seconds the final picture stays
    bool quiet = false;
};

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
