// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#pragma once

#include <QString>

#include <sys/types.h>

// A private Xvfb that dies with the test, however the test ends.
class XServer
{
public:
    // One screen of the given size and depth.
    explicit XServer(const QString &screen = QStringLiteral("1280x1024x24"));
    ~XServer();
    XServer(const XServer &) = delete;
    XServer &operator=(const XServer &) = delete;

    bool isRunning() const { return pid_ > 0 && !display_.isEmpty(); }
    QString display() const { return display_; }
    void Kill();

private:
    pid_t pid_ = -1;
    QString display_;
};

// Makes a child started from here die when this process dies, even by
// SIGKILL; for QProcess::setChildProcessModifier.
void DieWithParent();
