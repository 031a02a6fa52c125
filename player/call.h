// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#pragma once

#include "show/surface.h"

#include <cstdint>
#include <string>

namespace player {

// One thing the show did to its surface or pacer, as a value: what players
// draw from, and what show-trace prints.
struct Call
{
    enum class Kind { Width, Height, Backdrop, Circle, Pause, Visible, Caption };

    Kind kind = Kind::Width;
    float x = 0, y = 0, radius = 0;
    show::Colour colour = 0;
    std::uint32_t counts = 0;
    show::Label label = show::Label::Top;
    bool visible = false;
    std::string text;

    static Call Of(Kind kind)
    {
        Call call;
        call.kind = kind;
        return call;
    }
    static Call Width() { return Of(Kind::Width); }
    static Call Height() { return Of(Kind::Height); }
    static Call Backdrop(show::Colour colour);
    static Call Circle(float x, float y, float radius, show::Colour colour);
    static Call Pause(std::uint32_t counts);
    static Call Visible(show::Label label, bool visible);
    static Call Caption(show::Label label, const std::string &text);

    // The line show-trace prints, e.g. "circle 7485 0 350 255 0 0".
    std::string Line() const;

    bool operator==(const Call &other) const { return Line() == other.Line(); }
    bool operator!=(const Call &other) const { return !(*this == other); }
};

} // namespace player
