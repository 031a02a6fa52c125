// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#include "webplayer.h"

#include "show/design.h"
#include "show/palette.h"

#include <algorithm>

namespace {

canvas::Pixel ToPixel(show::Colour colour)
{
    const show::Rgb rgb = show::Unpack(colour);
    return canvas::Rgb(rgb.red, rgb.green, rgb.blue);
}

canvas::Rect Union(const canvas::Rect &a, const canvas::Rect &b)
{
    if (a.empty())
        return b;
    if (b.empty())
        return a;
    const int left = std::min(a.x, b.x), top = std::min(a.y, b.y);
    return {left, top, std::max(a.x + a.width, b.x + b.width) - left, std::max(a.y + a.height, b.y + b.height) - top};
}

} // namespace

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
            canvas_.SetBackdrop(ToPixel(call.colour));
            filled_ = true;
            fill_ = ToPixel(call.colour);
            changed = {};
            break;
        case TimedSurface::Call::Kind::Circle:
            // In the window's own arithmetic: the radius divided in single
            // precision, as it comes.
            changed = Union(changed, canvas_.DrawCircleOutline(double(call.x) / show::kTwipsPerPixel,
                                                               double(call.y) / show::kTwipsPerPixel,
                                                               double(call.radius / show::kTwipsPerPixel),
                                                               ToPixel(call.colour)));
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
