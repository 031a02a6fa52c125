// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#pragma once

#include "handles.h"

#include "base/status.h"
#include "player/picture.h"

#include <string>

namespace win32 {

// The captions as GDI draws them, in the face every player carries: subset
// to the captions' glyphs, it travels in the program's resources and is
// loaded for this process alone. Each character stands where the players'
// layout puts it (player/captionlayout.h).
class CaptionFace
{
public:
    Status Load();

    // The shown captions of `picture`, on their white boxes, at `scale`
    // device pixels to a design pixel, the design's origin at `origin`.
    void Paint(HDC dc, const player::Picture &picture, double scale, POINT origin);

private:
    HFONT FontFor(int pixels);

    FontResource resource_;
    int pixels_ = 0; // of font_
    Font font_;
};

std::wstring Wide(const std::string &utf8);

} // namespace win32
