// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#pragma once

#include "record/recorder.h"

#include <optional>

// What the command line asks for: an exit status at once (--help, --version,
// a bad option), a recording, or else the window.
struct CommandLine
{
    std::optional<int> status;
    std::optional<RecordOptions> record;
};

// Reads the command line before any display is touched. --help and
// --version print on stdout and give 0; anything unknown or out of range
// prints the usage on stderr and gives 2. Qt's own -platform and -display
// are taken and handed on, so the display check sees them.
CommandLine HandleCommandLine(int argc, char *argv[]);
