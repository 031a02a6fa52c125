// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#pragma once

#include "window/form1.h"

#include <QSize>
#include <QString>

// What `clickshow --record FILE` was asked for.
struct RecordOptions
{
    QString file;
    int fps = 60;
    QSize size{Form1::kClientWidth, Form1::kClientHeight}; // logical pixels
    double scale = 1;                                       // device pixels to a logical one
    int shows = 1;
    double hold = 2; // seconds the final picture stays
    bool quiet = false;
};

// Plays the shows into the file, frame-exact, on Qt's offscreen platform
// (the caller has chosen it and the scale before the application object).
// The file is written beside FILE under another name and renamed over it
// only when complete. Returns the exit status: 0, or 1 after one line on
// stderr. SIGINT and SIGTERM stop it the same way, and then end the
// process by that signal.
int Record(const RecordOptions &options);
