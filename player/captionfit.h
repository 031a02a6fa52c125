// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#pragma once

#include <functional>
#include <string>

namespace player {

// The ink of a line of text, in pixels, as the toolkit measures it when
// the line is drawn from the top-left corner (0, 0) of its box: the top of
// the box is the top of the line, its baseline the face's ascent below.
struct Ink
{
    double left = 0, top = 0, right = 0, bottom = 0;
};
using MeasureInk = std::function<Ink(const std::string &text, int pixels)>;

// The size a caption is drawn at: the design's where its text fits its
// label; else the largest size at which its ink lies whole in the label,
// not a letter cut at the right or the bottom, whatever face stands in for
// the designed one. Measured by the toolkit that draws it.
int FitCaption(const std::string &text, int width, int height, const MeasureInk &measure);

} // namespace player
