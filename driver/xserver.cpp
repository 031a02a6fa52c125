// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#include "xserver.h"

#include <csignal>
#include <cstdio>
#include <string>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

void DieWithParent()
{
    prctl(PR_SET_PDEATHSIG, SIGKILL);
}

XServer::XServer(const QString &screen)
{
    const std::string geometry = screen.toStdString();
    int fds[2];
    if (pipe(fds) != 0)
        return;
    const pid_t parent = getpid();
    pid_ = fork();
    if (pid_ == 0) {
        DieWithParent();
        if (getppid() != parent)
            _exit(127);
        close(fds[0]);
        freopen("/dev/null", "w", stderr); // its start-up chatter
        const std::string fd = std::to_string(fds[1]);
        execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", geometry.c_str(), "-nolisten", "tcp",
               static_cast<char *>(nullptr));
        _exit(127);
    }
    close(fds[1]);
    // Xvfb writes its display number once it accepts connections.
    std::string number;
    char c = 0;
    while (read(fds[0], &c, 1) == 1 && c != '\n')
        number += c;
    close(fds[0]);
    if (!number.empty())
        display_ = QStringLiteral(":") + QString::fromStdString(number);
}

XServer::~XServer()
{
    Kill();
}

void XServer::Kill()
{
    if (pid_ > 0) {
        ::kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
        pid_ = -1;
    }
}
