// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#pragma once

#include "show/busywaitpacer.h"
#include "show/sequence.h"
#include "window/form1.h"

#include <QString>

#include <functional>

// The window program's player: the show on Form1, paced by busy-waiting
// on the GUI thread, played whenever the window asks. One player serves
// the window for the life of the program, so the scatter's random
// sequence goes on from show to show.
class WindowPlayer
{
public:
    // `failed` hears of a show that stopped at a failure.
    explicit WindowPlayer(std::function<void(Form1 &window, const QString &message)> failed);
    WindowPlayer(const WindowPlayer &) = delete;
    WindowPlayer &operator=(const WindowPlayer &) = delete;

    Form1 &window() { return form_; }
    // One whole show, on the calling thread.
    void Play();

private:
    std::function<void(Form1 &, const QString &)> failed_;
    show::BusyWaitPacer pacer_;
    Form1 form_;
    show::ClickShow show_;
};
