// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#include "captionlayout.h"

#include "captionface.h" // written from the face at build time
#include "picture.h"

#include "show/design.h"

#include <algorithm>

namespace player {

namespace {

const face::Glyph &GlyphOf(char c)
{
    // A character the face's table lacks stands as a blank would.
    return face::kGlyphs[c >= face::kFirst && c <= face::kLast ? c - face::kFirst : 0];
}

CaptionLayout LayOut(const canvas::Rect &box, const std::string &text, int pixels)
{
    const double unit = double(pixels) / face::kUnitsPerEm;
    CaptionLayout layout;
    layout.pixels = pixels;
    layout.baseline = box.y + face::kAscent * unit;
    double pen = box.x;
    double left = 1e9, top = 1e9, right = -1e9, bottom = -1e9;
    for (const char c : text) {
        const face::Glyph &glyph = GlyphOf(c);
        layout.x.push_back(pen);
        if (glyph.right > glyph.left) {
            left = std::min(left, pen + glyph.left * unit);
            right = std::max(right, pen + glyph.right * unit);
            top = std::min(top, layout.baseline - glyph.top * unit);
            bottom = std::max(bottom, layout.baseline - glyph.bottom * unit);
        }
        pen += glyph.advance * unit;
    }
    if (right > left) {
        layout.ink[0] = left;
        layout.ink[1] = top;
        layout.ink[2] = right;
        layout.ink[3] = bottom;
    }
    return layout;
}

} // namespace

CaptionLayout LayOutCaption(show::Label label, const std::string &text)
{
    const canvas::Rect box = Picture::CaptionRect(label);
    CaptionLayout layout;
    for (int pixels = show::kCaptionPixels; pixels > 0; --pixels) {
        layout = LayOut(box, text, pixels);
        // Whole in the label: no column or row of ink beyond its edges.
        if (layout.ink[2] <= box.x + box.width && layout.ink[3] <= box.y + box.height)
            break;
    }
    return layout;
}

const char *CaptionFamily()
{
    return face::kFamily;
}

} // namespace player
