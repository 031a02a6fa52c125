// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#pragma once

#include "show/surface.h"

#include <string>
#include <vector>

namespace player {

// A caption as every player draws it, in the one face every player
// carries: one line from its label's top-left corner, the top of the
// face's cell at the label's top, each character at the pen position its
// advances give (no kerning), at the designed size or, where the ink would
// not lie whole in the label, the largest size at which it does. Lengths
// are pixels of the design's client area; a player draws at its own scale,
// each position rounded to its device pixels.
struct CaptionLayout
{
    int pixels = 0;       // the face's size: its em
    double baseline = 0;  // from the client area's top
    std::vector<double> x; // each character's pen position, from its left
    double ink[4] = {0, 0, 0, 0}; // left, top, right, bottom of the ink
};

CaptionLayout LayOutCaption(show::Label label, const std::string &text);

// The face's family name, as the players load it from the copy they carry.
const char *CaptionFamily();

} // namespace player
