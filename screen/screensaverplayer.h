// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#pragma once

#include "scaledview.h"

#include "player/session.h"
#include "window/form1.h"

#include <QString>
#include <QTimer>

#include <functional>

// The show as a screensaver hack: on a window another program hands over
// (XScreenSaver's, or a settings dialog's preview), scaled to it whatever
// its size, and again and again. It makes no window of its own there: its
// view is a child of that window. The pauses sleep, so hours of it hold no
// core; SIGTERM, as XScreenSaver stops a hack, ends it as it ends the
// window.
class ScreenSaverPlayer
{
public:
    // Each final picture stands `loopSeconds` before the next show.
    ScreenSaverPlayer(unsigned long host, double loopSeconds, std::function<void(const QString &message)> failed);
    ScreenSaverPlayer(const ScreenSaverPlayer &) = delete;
    ScreenSaverPlayer &operator=(const ScreenSaverPlayer &) = delete;

    QWidget &view() { return view_; }
    // Puts the view into the window; the first show follows once it is
    // on the screen.
    void Start();

private:
    void Play();
    void Schedule();
    // The window's size between shows.
    void Follow();

    unsigned long host_;
    std::function<void(const QString &)> failed_;
    Form1 form_;
    player::Session session_;
    ScaledView view_;
    QTimer loop_;
};
