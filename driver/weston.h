// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#pragma once

#include "xdriver.h"

#include <QProcess>
#include <QTemporaryDir>

// A Wayland compositor in a window of an X server: weston with its X11
// back end and the pixman renderer, so XTest clicks and XGetImage reads
// work on its output window. No panel, no animations, a plain background.
// It has a runtime directory and socket of its own, and dies with the test.
class Weston
{
public:
    static constexpr QRgb kBackground = 0xff203040u;
    static constexpr QSize kOutput{1024, 768};

    explicit Weston(const QString &xDisplay);
    ~Weston();
    Weston(const Weston &) = delete;
    Weston &operator=(const Weston &) = delete;

    bool isRunning() const { return output_ != 0 && process_.state() == QProcess::Running; }
    XWindow output() const { return output_; }
    // What a client needs to reach it.
    QProcessEnvironment ClientEnvironment() const;
    QString logPath() const;
    void Kill();

private:
    QTemporaryDir runtime_;
    QProcess process_;
    XWindow output_ = 0;
};
