// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#pragma once

#include "callsurface.h"

#include "show/pacer.h"

#include <vector>

namespace player {

// A client area of a given size in twips that writes down every call and
// every pause, in order, and waits for nothing.
class RecordingSurface : public CallSurface, public show::Pacer
{
public:
    RecordingSurface(float width, float height);

    // Makes the n-th surface call from now (1-based) fail; 0 never fails.
    void FailAtCall(int n) { failAt_ = n; }
    void Resize(float width, float height);

    const std::vector<Call> &calls() const { return calls_; }
    void Clear() { calls_.clear(); }

    bool Take(const Call &call) override;
    void Wait(std::uint32_t counts) override;

protected:
    float ClientWidth() override { return width_; }
    float ClientHeight() override { return height_; }

private:
    float width_;
    float height_;
    int failAt_ = 0;
    std::vector<Call> calls_;
};

} // namespace player
