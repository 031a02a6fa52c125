// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#pragma once

#include "show/pacer.h"
#include "show/surface.h"

#include <cstdint>
#include <deque>
#include <string>

// A show played at once into a list of calls, each with its moment on the
// show's timeline (its counts so far, 180 ns each): a page cannot wait
// inside a call, so it plays the show ahead and draws each call when the
// moment comes. The client area is the design's, whatever the page.
class TimedSurface : public show::Surface, public show::Pacer
{
public:
    struct Call
    {
        enum class Kind { Backdrop, Circle, Visible, Caption };
        double at; // milliseconds from the start
        Kind kind;
        show::Colour colour = 0;
        float x = 0, y = 0, radius = 0;
        show::Label label = show::Label::Top;
        bool visible = false;
        std::string text;
    };

    // The next show's calls stand from `start` on.
    void Begin(double start);
    // Where the timeline stands: the end of what was played.
    double end() const { return now_; }
    std::deque<Call> &calls() { return calls_; }

    bool SetBackdrop(show::Colour colour) override;
    bool GetClientWidth(float &width) override;
    bool GetClientHeight(float &height) override;
    bool DrawCircleOutline(float x, float y, float radius, show::Colour colour) override;
    bool SetLabelVisible(show::Label label, bool visible) override;
    bool SetLabelCaption(show::Label label, const std::string &text) override;
    void Wait(std::uint32_t counts) override;

private:
    Call &Add(Call::Kind kind);

    double now_ = 0;
    std::deque<Call> calls_;
};
