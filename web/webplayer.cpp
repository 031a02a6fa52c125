// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#include "webplayer.h"

#include "canvas/showdrawing.h"
#include "show/design.h"

#include <algorithm>

WebPlayer::WebPlayer(canvas::Pixel buttonFace)
    : show_(timed_, timed_)
    , canvas_(buttonFace)
    , captions_{show::kTopCaptionAtStart, show::kWordsCaptionAtStart}
{
}

bool WebPlayer::Resize(double ratio)
{
    return canvas_.Hold({0, 0, show::kDesignWidth, show::kDesignHeight}, ratio);
}

void WebPlayer::Play(double now)
{
    timed_.Begin(std::max(now, timed_.end()));
    show_.PlayClickShow();
}

canvas::Rect WebPlayer::Advance(double now)
{
    canvas::Rect changed;
    filled_ = false;
    auto &calls = timed_.calls();
    for (; !calls.empty() && calls.front().at <= now; calls.pop_front()) {
        const TimedSurface::Call &call = calls.front();
        switch (call.kind) {
        case TimedSurface::Call::Kind::Backdrop:
            // A page fills its canvas with one colour far faster than it
            // takes a picture's worth of pixels.
            canvas_.SetBackdrop(canvas::PixelOf(call.colour));
            filled_ = true;
            fill_ = canvas::PixelOf(call.colour);
            changed = {};
            break;
        case TimedSurface::Call::Kind::Circle:
            changed = changed | canvas::DrawShowOutline(canvas_, call.x, call.y, call.radius, call.colour);
            break;
        case TimedSurface::Call::Kind::Visible:
            shown_[int(call.label)] = call.visible;
            break;
        case TimedSurface::Call::Kind::Caption:
            captions_[int(call.label)] = call.text;
            break;
        }
    }
    return changed;
}

const std::uint8_t *WebPlayer::Rgba(const canvas::Rect &rect)
{
    rgba_.resize(std::size_t(rect.width) * std::size_t(rect.height) * 4);
    std::uint8_t *to = rgba_.data();
    for (int y = rect.y; y < rect.y + rect.height; ++y) {
        const canvas::Pixel *line = canvas_.line(y) + rect.x;
        for (int x = 0; x < rect.width; ++x) {
            *to++ = std::uint8_t(canvas::Red(line[x]));
            *to++ = std::uint8_t(canvas::Green(line[x]));
            *to++ = std::uint8_t(canvas::Blue(line[x]));
            *to++ = 0xff;
        }
    }
    return rgba_.data();
}
