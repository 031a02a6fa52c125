// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#include "weston.h"

#include <QElapsedTimer>
#include <QFile>
#include <QThread>

#include <csignal>
#include <sys/prctl.h>

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
    process_.setChildProcessModifier([] { prctl(PR_SET_PDEATHSIG, SIGKILL); });
    process_.setStandardOutputFile(QProcess::nullDevice());
    process_.setStandardErrorFile(runtime_.filePath(QStringLiteral("weston.log")));
    process_.start(QStringLiteral("weston"),
                   {QStringLiteral("--backend=x11-backend.so"), QStringLiteral("--use-pixman"),
                    QStringLiteral("--width=1024"), QStringLiteral("--height=768"),
                    QStringLiteral("--socket=") + kSocket, QStringLiteral("--config=") + ini.fileName()});
    if (!process_.waitForStarted(5000))
        return;

    // Ready once its output window shows the shell's background.
    XDriver x(xDisplay);
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < 15000 && process_.state() == QProcess::Running) {
        const XWindow window = x.FindWindow(QStringLiteral("Weston Compositor - screen0"));
        if (window && Backdrop(x.Grab(window)) == kBackground) {
            output_ = window;
            return;
        }
        QThread::msleep(50);
    }
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
