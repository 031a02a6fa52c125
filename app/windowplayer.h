// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#pragma once

#include "options.h"

#include "player/session.h"
#include "screen/scaledview.h"
#include "screen/screensaverinhibitor.h"
#include "window/form1.h"

#include <QSize>
#include <QString>
#include <QTimer>

#include <functional>
#include <memory>

// The window program's player: the show on Form1, played whenever the
// window asks, in the window or on the whole screen (F11, --fullscreen).
// With --loop the show plays again each time its final picture has stood
// that long, from the moment the window is on the screen.
class WindowPlayer
{
public:
    // `failed` hears of a show that stopped at a failure.
    WindowPlayer(const Options &options, std::function<void(QWidget &window, const QString &message)> failed);
    WindowPlayer(const WindowPlayer &) = delete;
    WindowPlayer &operator=(const WindowPlayer &) = delete;

    Form1 &window() { return form_; }
    // Shows the window, or the whole screen.
    void Start();
    // One whole show, on the calling thread.
    void Play();

private:
    void SetFullScreen(bool on);
    void Painted();
    void Schedule();
    QWidget &Shown();

    std::function<void(QWidget &, const QString &)> failed_;
    Form1 form_;
    player::Session session_;
    bool fullscreen_;
    QTimer loop_;
    std::unique_ptr<ScaledView> view_;
    QSize windowSize_; // as it was before the whole screen
    ScreenSaverInhibitor inhibitor_;
};
