// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#include "windowmanager.h"

#include "xdriver.h"
#include "xserver.h"

#include <QElapsedTimer>
#include <QThread>

namespace {
constexpr int kStartMs = 60000; // only real breakage takes this long
}

WindowManager::WindowManager(const QString &name, const QString &display)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), display);
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), dir_.path());
    QStringList arguments;
    if (name == QLatin1String("mutter")) {
        // A session bus of its own, which it needs and which goes with it.
        bus_.setChildProcessModifier(DieWithParent);
        bus_.setStandardErrorFile(QProcess::nullDevice());
        bus_.start(QStringLiteral("dbus-daemon"), {QStringLiteral("--session"), QStringLiteral("--nofork"),
                                                   QStringLiteral("--print-address")});
        if (!bus_.waitForReadyRead(kStartMs)) {
            problem_ = QStringLiteral("dbus-daemon did not start");
            return;
        }
        env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), QString::fromUtf8(bus_.readLine().trimmed()));
        arguments = {QStringLiteral("--x11"), QStringLiteral("--replace"), QStringLiteral("--sm-disable")};
    }
    process_.setProcessEnvironment(env);
    process_.setChildProcessModifier(DieWithParent);
    process_.setStandardOutputFile(QProcess::nullDevice());
    process_.setStandardErrorFile(logPath());
    process_.start(name, arguments);
    if (!process_.waitForStarted(kStartMs)) {
        problem_ = name + QStringLiteral(" did not start");
        return;
    }
    XDriver x(display);
    QElapsedTimer timer;
    timer.start();
    const bool compositing = name == QLatin1String("mutter");
    while (!(x.HasWindowManager() && (!compositing || x.HasCompositor()))) {
        if (timer.elapsed() > kStartMs || process_.state() != QProcess::Running) {
            problem_ = name + QStringLiteral(" did not take the screen; see ") + logPath();
            return;
        }
        QThread::msleep(20);
    }
}

WindowManager::~WindowManager()
{
    for (QProcess *process : {&process_, &bus_}) {
        if (process->state() != QProcess::NotRunning) {
            process->kill();
            process->waitForFinished(5000);
        }
    }
}

QString WindowManager::logPath() const
{
    return dir_.filePath(QStringLiteral("wm.log"));
}
