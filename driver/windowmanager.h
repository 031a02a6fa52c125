// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#pragma once

#include <QProcess>
#include <QString>
#include <QTemporaryDir>

// A window manager on an X display, as most people run the program: openbox
// (reparenting, no compositing) or mutter (GNOME's, compositing on X11).
// It dies with the test.
class WindowManager
{
public:
    // `name` is "openbox" or "mutter".
    WindowManager(const QString &name, const QString &display);
    ~WindowManager();
    WindowManager(const WindowManager &) = delete;
    WindowManager &operator=(const WindowManager &) = delete;

    // Empty once it manages the screen (and, for a compositing manager,
    // composites it); else what went wrong.
    QString problem() const { return problem_; }
    QString logPath() const;

private:
    QTemporaryDir dir_;
    QProcess bus_;
    QProcess process_;
    QString problem_;
};
