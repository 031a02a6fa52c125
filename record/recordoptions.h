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
