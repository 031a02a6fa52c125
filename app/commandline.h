// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#pragma once

#include <optional>

// Reads the command line before any display is touched. --help and
// --version print on stdout and give 0; anything unknown prints the usage on
// stderr and gives 2. Qt's own -platform and -display are taken and handed
// on, so the display check sees them. Gives nothing when the window should
// open.
std::optional<int> HandleCommandLine(int argc, char *argv[]);
