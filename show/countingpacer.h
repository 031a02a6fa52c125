// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#pragma once

#include "pacer.h"

#include <cstdint>

namespace show {

// Waits for nothing and adds up the counts: a show played through it runs
// as fast as its surface draws, and tells how long its timeline is.
class CountingPacer : public Pacer
{
public:
    void Wait(std::uint32_t counts) override { counts_ += counts; }
    std::uint64_t counts() const { return counts_; }

private:
    std::uint64_t counts_ = 0;
};

} // namespace show
