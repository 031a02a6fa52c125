// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#include "weston.h"

#include "xserver.h"

#include <QElapsedTimer>
#include <QFile>
#include <QThread>

namespace {
const QString kSocket = QStringLiteral("clickshow-e2e");
}

Weston::Weston(const QString &xDisplay)
{
    if (!runtime_.isValid())
        return;
    QFile ini(runtime_.filePath(QStringLiteral("weston.ini")));
    if (!ini.open(QIODevice::WriteOnly))
        return;
    ini.write("[core]\nidle-time=0\n"
              "[shell]\npanel-position=none\nbackground-color=0xff203040\nlocking=false\n"
              "animation=none\nstartup-animation=none\nclose-animation=none\n");
    ini.close();

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), xDisplay);
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime_.path());
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    process_.setProcessEnvironment(env);
    // Left behind by a test that was killed, weston would spin on its dead
    // X connection for ever.
    process_.setChildProcessModifier(DieWithParent);
    process_.setStandardOutputFile(QProcess::nullDevice());
    process_.setStandardErrorFile(logPath());
    // Its output window opens where the pointer is not: opened under the
    // pointer, it mostly never takes it up, and its cursor stays drawn at
    // the top-left, deaf to every move.
    XDriver x(xDisplay);
    const QSize screen = x.ScreenSize();
    x.PointerTo(QPoint(screen.width() - 1, screen.height() - 1));
    process_.start(QStringLiteral("weston"),
                   {QStringLiteral("--backend=x11-backend.so"), QStringLiteral("--use-pixman"),
                    QStringLiteral("--width=%1").arg(kOutput.width()),
                    QStringLiteral("--height=%1").arg(kOutput.height()),
                    QStringLiteral("--socket=") + kSocket, QStringLiteral("--config=") + ini.fileName()});
    if (!process_.waitForStarted(5000))
        return;

    // Ready once its output window shows the shell's background.
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < 60000 && process_.state() == QProcess::Running) {
        const XWindow window = x.FindWindow(QStringLiteral("Weston Compositor - screen0"));
        if (window && Backdrop(x.Grab(window)) == kBackground) {
            output_ = window;
            // In from outside: now it follows the pointer, which waits in
            // the bottom-right corner, clear of any client.
            x.Hover(output_, QPoint(kOutput.width() - 1, kOutput.height() - 1));
            return;
        }
        QThread::msleep(20);
    }
}

QString Weston::logPath() const
{
    return runtime_.filePath(QStringLiteral("weston.log"));
}

Weston::~Weston()
{
    Kill();
}

QProcessEnvironment Weston::ClientEnvironment() const
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime_.path());
    env.insert(QStringLiteral("WAYLAND_DISPLAY"), kSocket);
    env.remove(QStringLiteral("DISPLAY"));
    return env;
}

void Weston::Kill()
{
    if (process_.state() != QProcess::NotRunning) {
        process_.kill();
        process_.waitForFinished(5000);
    }
}
