// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#pragma once

#include "handles.h"

#include "base/status.h"
#include "player/picture.h"

#include <string>

namespace win32 {

// The captions as GDI draws them, in P052, the Palatino-like face the
// window uses elsewhere: subset to the captions' glyphs, it travels in the
// program's resources and is loaded for this process alone. Each caption
// is drawn at the size the players' fitting gives on GDI's own ink.
class CaptionFace
{
public:
    Status Load();

    // The shown captions of `picture`, on their white boxes, at `scale`
    // device pixels to a design pixel, the design's origin at `origin`.
    void Paint(HDC dc, const player::Picture &picture, double scale, POINT origin);

private:
    HFONT FontFor(show::Label label, const std::string &text, double scale);

    FontResource resource_;
    struct Fitted
    {
        std::string text;
        double scale = 0;
        Font font;
    } fitted_[2];
};

std::wstring Wide(const std::string &utf8);

} // namespace win32
