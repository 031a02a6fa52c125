// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#pragma once

#include "base/status.h"

#include <QString>

// Where a recording is written until it is complete: a file with no name
// in FILE's folder (O_TMPFILE), given its name only then, so that even a
// process killed outright leaves nothing. Where the filesystem has no such
// files, a hidden name beside FILE, removed unless it is given FILE's.
class OutputFile
{
public:
    OutputFile() = default;
    ~OutputFile();
    OutputFile(const OutputFile &) = delete;
    OutputFile &operator=(const OutputFile &) = delete;

    Status Open(const QString &target);
    // The name to write it by, for FFmpeg, which may open it more than
    // once (an .mp4 moves its index to the front at the end).
    QString path() const { return path_; }
    // Gives it FILE's name, over any file there.
    Status Commit();
    qint64 size() const;

private:
    QString target_;
    QString path_;
    QString hidden_; // the fallback's name, until committed
    int fd_ = -1;
};
