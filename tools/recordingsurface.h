// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#pragma once

#include "call.h"
#include "show/pacer.h"
#include "show/surface.h"

#include <vector>

namespace trace {

// A client area of a given size in twips that writes down every call and
// every pause, in order, and waits for nothing.
class RecordingSurface : public show::Surface, public show::Pacer
{
public:
    RecordingSurface(float width, float height);

    // Makes the n-th surface call from now (1-based) fail; 0 never fails.
    void FailAtCall(int n) { failAt_ = n; }
    void Resize(float width, float height);

    const std::vector<Call> &calls() const { return calls_; }
    void Clear() { calls_.clear(); }

    bool SetBackdrop(show::Colour colour) override;
    bool GetClientWidth(float &width) override;
    bool GetClientHeight(float &height) override;
    bool DrawCircleOutline(float x, float y, float radius, show::Colour colour) override;
    bool SetLabelVisible(show::Label label, bool visible) override;
    bool SetLabelCaption(show::Label label, const std::string &text) override;

    void Wait(std::uint32_t counts) override;

private:
    bool Record(Call call);

    float width_;
    float height_;
    int failAt_ = 0;
    std::vector<Call> calls_;
};

} // namespace trace
