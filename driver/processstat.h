// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#pragma once

#include <QByteArray>
#include <QtGlobal>

// What Linux tells of a running process, -1 where it cannot be read.
namespace processstat {

// CPU time so far, user and system, in clock ticks (sysconf(_SC_CLK_TCK)).
long Ticks(qint64 pid);
// A memory figure, "VmRSS" or "VmHWM" (its peak), in KiB.
long StatusKib(qint64 pid, const QByteArray &field);

} // namespace processstat
