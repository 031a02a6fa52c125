// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#pragma once

#include "showreference.h"
#include "weston.h"
#include "xdriver.h"

#include <QList>
#include <QProcess>

#include <functional>

// The real clickshow binary on a display, watched and driven as a person
// would: clicks through XTest, eyes on the screen. Every wait ends on what
// the screen shows or on the process ending, with a ceiling of a minute
// for real breakage; a failed wait says what it saw last.
class AppRun
{
public:
    // On the X display itself, or as a native Wayland client of a weston
    // that runs on it.
    AppRun(XDriver &x, const QString &display, const Weston *weston = nullptr);
    ~AppRun();
    AppRun(const AppRun &) = delete;
    AppRun &operator=(const AppRun &) = delete;

    // Starts the program and waits until its window shows `empty`, exactly.
    bool Start(const QImage &empty);
    // From now on the program may take at most this much more memory for
    // its data (RLIMIT_DATA, set on the running process).
    bool LimitMemory(qint64 bytes);
    // Why the last wait failed.
    QString problem() const { return problem_; }
    // All it wrote to stderr so far.
    QByteArray Errors();
    // The X window that shows it: its own, or weston's output.
    XWindow window() const { return window_; }
    // Where its client area lies in window().
    QRect client() const { return client_; }
    QRect frame() const { return frame_; }
    QProcess &process() { return process_; }

    // The client area, or a part of it, as the screen shows it: under a
    // compositing manager read from the screen, else from the window.
    QImage Grab(QRect area = {});
    // The last picture Grab() saw.
    QImage last() const { return last_; }
    // A click at a point of the client area.
    void Click(QPoint at);

    // Until the client area shows `picture` exactly; or the part of it in
    // `area`, which must lie on the screen.
    bool WaitFor(const QImage &picture, QRect area = {});
    // Until `done` holds for the client area on the screen (a null picture
    // while it cannot be read).
    bool WaitUntil(const std::function<bool(const QImage &)> &done, const QString &what);
    // Until the program has handled everything sent to it so far: it
    // answers a ping. If `standing` is given, the screen shows it all the
    // while.
    bool Settle(const QImage &standing = {});

    // What was seen of shows in flight: for each show, the pictures of the
    // reference that the screen went through, in order.
    struct Followed
    {
        QList<QList<int>> seen;
        int actOneSteps = 0; // different pictures seen in the first show's act 1
    };
    // Follows `shows` as they play, one after another, until the screen
    // shows the last picture of the last one. Every picture seen must be
    // one the shows go through, in their order; under a compositing
    // manager, which may show a picture late or in part, the backdrops must
    // come in their order and the ink only grow between them. `during`, if
    // given, is called after each picture with the show and picture seen.
    // If `untilItCloses`, a window that goes away ends the following too.
    bool Follow(const QList<ShowReference::Show> &shows, Followed &followed,
                const std::function<void(int show, int picture)> &during = {}, bool untilItCloses = false);
    // Until the program exits; the screen must show `standing` until then.
    bool WaitForExit(const QImage &standing);
    // Whether it has ended, waiting a minute at most.
    bool Ended() { return process_.state() == QProcess::NotRunning || process_.waitForFinished(60000); }

    // On failure: the last picture, the program's stderr and weston's log,
    // in a folder under build/Testing named after the test. Returns it.
    QString SaveArtifacts(const QString &name, const QString &extraLog = {});

private:
    bool FindOnWeston(const QImage &before, const QImage &empty);
    bool Fail(const QString &what);

    XDriver &x_;
    QString display_;
    const Weston *weston_;
    QProcess process_;
    XWindow window_ = 0;
    QRect client_;
    QRect frame_;
    bool compositor_ = false;
    QImage last_;
    QString problem_;
    QByteArray errors_;
};
