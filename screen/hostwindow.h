// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#pragma once

#include "base/status.h"

#include <QSize>

// The X window another program hands over to draw on, as XScreenSaver's
// hacks take it: the id given, else the window XScreenSaver names in
// XSCREENSAVER_WINDOW, else the root window. Asked on Qt's connection.
Status FindHostWindow(unsigned long given, unsigned long &window);
// Its size now: Qt reads a foreign window's as 0 x 0.
QSize HostWindowSize(unsigned long window);
bool IsRootWindow(unsigned long window);
