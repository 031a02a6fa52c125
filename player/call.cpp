// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#include "call.h"

#include "show/palette.h"

#include <cmath>
#include <cstdio>

namespace player {

namespace {

// Whole numbers without a decimal point; anything else as a float, as a
// stream prints it at nine digits. (No streams: a program that draws the
// show need not carry them.)
std::string Number(double value)
{
    char text[40];
    if (std::isfinite(value) && value == std::floor(value) && std::fabs(value) < 1e15)
        std::snprintf(text, sizeof text, "%lld", static_cast<long long>(value));
    else
        std::snprintf(text, sizeof text, "%.9g", value);
    return text;
}

std::string Rgb(show::Colour colour)
{
    const show::Rgb rgb = show::Unpack(colour);
    return std::to_string(rgb.red) + ' ' + std::to_string(rgb.green) + ' ' + std::to_string(rgb.blue);
}

} // namespace

Call Call::Backdrop(show::Colour colour)
{
    Call call = Of(Kind::Backdrop);
    call.colour = colour;
    return call;
}

Call Call::Circle(float x, float y, float radius, show::Colour colour)
{
    Call call = Of(Kind::Circle);
    call.x = x;
    call.y = y;
    call.radius = radius;
    call.colour = colour;
    return call;
}

Call Call::Pause(std::uint32_t counts)
{
    Call call = Of(Kind::Pause);
    call.counts = counts;
    return call;
}

Call Call::Visible(show::Label label, bool visible)
{
    Call call = Of(Kind::Visible);
    call.label = label;
    call.visible = visible;
    return call;
}

Call Call::Caption(show::Label label, const std::string &text)
{
    Call call = Of(Kind::Caption);
    call.label = label;
    call.text = text;
    return call;
}

std::string Call::Line() const
{
    switch (kind) {
    case Kind::Width:
        return "width";
    case Kind::Height:
        return "height";
    case Kind::Backdrop:
        return "backdrop " + Rgb(colour);
    case Kind::Circle:
        return "circle " + Number(x) + ' ' + Number(y) + ' ' + Number(radius) + ' ' + Rgb(colour);
    case Kind::Pause:
        return "pause " + std::to_string(counts);
    case Kind::Visible:
        return std::string("visible ") + show::LabelName(label) + (visible ? " 1" : " 0");
    case Kind::Caption:
        return std::string("caption ") + show::LabelName(label) + " \"" + text + '"';
    }
    return {};
}

} // namespace player
