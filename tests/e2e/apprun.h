// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#pragma once

#include "weston.h"
#include "xdriver.h"

#include <QElapsedTimer>
#include <QList>
#include <QProcess>

#include <functional>

// The real clickshow binary on a given display, and ways to watch its window.
class AppRun
{
public:
    // On the X display itself, or as a native Wayland client of a weston
    // that runs on it.
    explicit AppRun(const QString &display, const Weston *weston = nullptr);
    ~AppRun();

    // Starts the program and waits until its window shows, empty.
    bool Start();
    // Why Start() failed.
    QString problem() const { return problem_; }
    // All it wrote to stderr so far.
    QByteArray Errors();
    // The X window that shows it: its own, or weston's output.
    XWindow window() const { return window_; }
    // Where its client area lies in window(); under weston, inside the
    // frame that Qt draws around it.
    QRect client() const { return client_; }
    QRect frame() const { return frame_; }

    QImage Grab(XDriver &x);
    // A click at a point of the client area; under weston the pointer then
    // leaves, since weston draws it into its output.
    void Click(XDriver &x, QPoint at);
    QProcess &process() { return process_; }
    qint64 pid() const { return process_.processId(); }

    // Stopped, the program draws nothing more; the X server still finishes
    // what it was sent.
    void Stop();
    void Continue();

    // One stretch between two backdrop changes, with the last frame seen in it.
    struct Phase
    {
        QRgb backdrop;
        QImage last;
    };

    // Clicks at `at` and follows the show by running the program in slices
    // of half a millisecond, looking at the window between slices. Every
    // pause of the show lasts longer than a slice, even when the show runs
    // behind its timeline, so the last frame of each phase is the whole of
    // what that stretch drew. Returns once the show
    // has ended on white and the picture has stood still.
    QList<Phase> ClickAndFollow(XDriver &x, QPoint at);

    // The picture once it has not changed for `stillMs`.
    QImage WaitUntilStill(XDriver &x, int stillMs);

    // Polls the window as it runs until `done` says so or the time is up,
    // collecting the backdrops seen, in order, without repeats.
    QList<QRgb> WatchBackdrops(XDriver &x, int timeoutMs, const std::function<bool(const QList<QRgb> &)> &done);

private:
    QRect FrameOnWeston(XDriver &x);
    bool FindOnWeston(XDriver &x);

    QString display_;
    const Weston *weston_;
    QProcess process_;
    XWindow window_ = 0;
    QRect client_;
    QRect frame_;
    QString problem_;
    QByteArray errors_;
};
