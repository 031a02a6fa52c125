// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#pragma once

#include <cstdint>
#include <string>

namespace show {

// A 24-bit colour as the surface takes it: red + 256 * green + 65536 * blue.
using Colour = std::uint32_t;

enum class Label { Top, Words };

inline const char *LabelName(Label label)
{
    return label == Label::Top ? "lblTop" : "lblWords";
}

// Everything the show may do to the window. Lengths are twips of the client
// area. Every operation but ComposeColour reports success; the show ends at
// the first one that fails.
class Surface
{
public:
    virtual ~Surface() = default;

    static constexpr Colour ComposeColour(int red, int green, int blue)
    {
        return Colour(red & 0xff) | Colour(green & 0xff) << 8 | Colour(blue & 0xff) << 16;
    }

    [[nodiscard]] virtual bool SetBackdrop(Colour colour) = 0;
    [[nodiscard]] virtual bool GetClientWidth(float &width) = 0;
    [[nodiscard]] virtual bool GetClientHeight(float &height) = 0;
    [[nodiscard]] virtual bool DrawCircleOutline(float x, float y, float radius, Colour colour) = 0;
    [[nodiscard]] virtual bool SetLabelVisible(Label label, bool visible) = 0;
    [[nodiscard]] virtual bool SetLabelCaption(Label label, const std::string &text) = 0;
};

} // namespace show
