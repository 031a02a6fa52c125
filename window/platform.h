// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#pragma once

#include "base/status.h"

#include <QString>

#include <cstdint>

#include <functional>
#include <memory>

class QAbstractNativeEventFilter;
class QWidget;

// Chooses, before the application object exists, xcb whenever an X display
// is set and native Wayland only when it is the one display there is: under
// load the show keeps its time better on X (see the README). A platform
// already set in the environment stands, so tests can use the offscreen one.
void ChoosePlatformDefaults();

// Whether the chosen platform can reach its display; if not, why ("cannot
// open the display \":9\""). Asked before the application object exists:
// Qt itself aborts with a core dump instead.
Status CheckDisplay();
// Closes the connection DisplayProblem() opened; once Qt has its own.
void ReleaseDisplayProbe();

// Now, in milliseconds of the clock that stamps the window's input events:
// the X server's own time under X (asked of it), else the monotonic clock
// that Wayland compositors stamp with. It wraps around at 32 bits.
std::uint32_t InputClockNow();

// True once the connection to the X server is broken. The show never returns
// to the event loop, where Qt itself would notice, so the window asks after
// each call that goes to the server. Always false on other platforms.
bool DisplayConnectionLost();

// Calls `destroyed` when another program destroys the window's X window,
// which Qt would otherwise leave the process running without. The watch
// lasts as long as the returned filter.
std::unique_ptr<QAbstractNativeEventFilter> WatchForDestruction(QWidget *window,
                                                               std::function<void()> destroyed);
