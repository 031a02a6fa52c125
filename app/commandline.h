// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#pragma once

#include "options.h"

#include "base/status.h"

#include <QStringList>

#include <optional>

// Reads the arguments (the program's name first) into `options`, every
// option through one table of names, values, ranges and fields. A bad
// one gives why ("--fps takes a whole number from 1 to 240").
Status ParseCommandLine(const QStringList &arguments, Options &options);
// The synopsis, and what --help prints.
QString Usage();
QString Help();

// What the command line asks for: an exit status at once (--help, --version,
// a bad option), or the options to run with.
struct CommandLine
{
    std::optional<int> status;
    Options options;
};

// Reads the command line before any display is touched. --help and
// --version print on stdout and give 0; anything unknown or out of range
// prints the usage on stderr and gives 2. Qt's own -platform and -display
// are taken and handed on, so the display check sees them.
CommandLine HandleCommandLine(int argc, char *argv[]);
