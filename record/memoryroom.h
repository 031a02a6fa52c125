// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#pragma once

#include "base/status.h"

#include <cstdint>
#include <string>

// Bytes a recording will take beyond what the process holds when it
// starts: resident memory, and address space (which counts what is
// reserved and never touched, and thread stacks).
struct MemoryNeed
{
    std::int64_t resident = 0;
    std::int64_t address = 0;
};

// Whether the machine can give the process that much more, told before
// the first frame rather than by the kernel's out-of-memory killer or a
// failed allocation deep in an encoder: what the kernel counts as
// available (reclaimable caches included) with free swap, what the
// process's control group leaves, and what its address-space limit
// (ulimit -v) leaves. Fails with one line naming `what` needs and what
// is left.
Status CheckMemory(const MemoryNeed &need, const std::string &what);
