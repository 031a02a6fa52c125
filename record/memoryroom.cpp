// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#include "memoryroom.h"

#include <QByteArray>
#include <QFile>
#include <QList>

#include <algorithm>
#include <cstdio>
#include <limits>
#include <sys/resource.h>

namespace {

constexpr std::int64_t kUnknown = std::numeric_limits<std::int64_t>::max();

QByteArray ReadAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// "Name:   1234 kB" lines (/proc/meminfo, /proc/self/status), in bytes;
// "name 1234" lines (a control group's memory.stat), as they are.
std::int64_t Field(const QByteArray &text, const QByteArray &name)
{
    for (const QByteArray &line : text.split('\n')) {
        const QList<QByteArray> words = line.simplified().split(' ');
        if (words.size() >= 2 && (words[0] == name + ':' || words[0] == name)) {
            bool ok = false;
            const std::int64_t value = words[1].toLongLong(&ok);
            if (ok)
                return words.size() >= 3 && words[2] == "kB" ? value * 1024 : value;
        }
    }
    return kUnknown;
}

std::int64_t Number(const QByteArray &text)
{
    bool ok = false;
    const std::int64_t value = text.trimmed().toLongLong(&ok);
    return ok ? value : kUnknown; // "max" too
}

// What the control group's limit leaves, its file cache counted as free.
std::int64_t LeftInControlGroup()
{
    for (const QByteArray &line : ReadAll(QStringLiteral("/proc/self/cgroup")).split('\n')) {
        const QList<QByteArray> fields = line.split(':');
        if (fields.size() < 3)
            continue;
        const QString path = QString::fromLocal8Bit(fields[2]);
        QString folder;
        std::int64_t limit = kUnknown, used = kUnknown, cache = 0;
        if (fields[0] == "0") { // version 2
            folder = QStringLiteral("/sys/fs/cgroup") + path;
            limit = Number(ReadAll(folder + QStringLiteral("/memory.max")));
            used = Number(ReadAll(folder + QStringLiteral("/memory.current")));
            cache = Field(ReadAll(folder + QStringLiteral("/memory.stat")), "file");
        } else if (fields[1] == "memory") { // version 1
            folder = QStringLiteral("/sys/fs/cgroup/memory") + path;
            limit = Number(ReadAll(folder + QStringLiteral("/memory.limit_in_bytes")));
            used = Number(ReadAll(folder + QStringLiteral("/memory.usage_in_bytes")));
            cache = Field(ReadAll(folder + QStringLiteral("/memory.stat")), "cache");
        }
        if (limit != kUnknown && used != kUnknown && limit < (std::int64_t(1) << 60))
            return limit - used + (cache == kUnknown ? 0 : cache);
    }
    return kUnknown;
}

std::string Gigabytes(std::int64_t bytes)
{
    char text[32];
    std::snprintf(text, sizeof text, bytes >= (std::int64_t(1) << 30) ? "%.1f GiB" : "%.0f MiB",
                  double(bytes) / double(bytes >= (std::int64_t(1) << 30) ? 1 << 30 : 1 << 20));
    return text;
}

} // namespace

Status CheckMemory(const MemoryNeed &need, const std::string &what)
{
    const QByteArray meminfo = ReadAll(QStringLiteral("/proc/meminfo"));
    std::int64_t available = Field(meminfo, "MemAvailable");
    if (available != kUnknown && Field(meminfo, "SwapFree") != kUnknown)
        available += Field(meminfo, "SwapFree");
    available = std::min(available, LeftInControlGroup());
    if (available != kUnknown && need.resident > available)
        return Status::Error(what + " need about " + Gigabytes(need.resident) + " of memory, and "
                             + Gigabytes(std::max<std::int64_t>(available, 0)) + " is free");

    rlimit limit{};
    if (getrlimit(RLIMIT_AS, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY) {
        const std::int64_t used = Field(ReadAll(QStringLiteral("/proc/self/status")), "VmSize");
        const std::int64_t left = std::int64_t(limit.rlim_cur) - (used == kUnknown ? 0 : used);
        if (need.address > left)
            return Status::Error(what + " need about " + Gigabytes(need.address)
                                 + " of memory, and the address-space limit (ulimit -v) leaves "
                                 + Gigabytes(std::max<std::int64_t>(left, 0)));
    }
    return Status::Ok();
}
