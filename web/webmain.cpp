// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

// What the page's script calls: one player, and the design values it lays
// the page out by.

#include "webplayer.h"

#include "show/design.h"

#include <emscripten.h>

#include <memory>

namespace {

std::unique_ptr<WebPlayer> player;
canvas::Rect changed;

} // namespace

extern "C" {

EMSCRIPTEN_KEEPALIVE int clickshow_start(double ratio, int red, int green, int blue)
{
    player = std::make_unique<WebPlayer>(canvas::Rgb(red, green, blue));
    return player->Resize(ratio);
}

EMSCRIPTEN_KEEPALIVE int clickshow_resize(double ratio)
{
    return player->Resize(ratio);
}

EMSCRIPTEN_KEEPALIVE void clickshow_play(double now)
{
    player->Play(now);
}

EMSCRIPTEN_KEEPALIVE int clickshow_playing(double now)
{
    return player->Playing(now);
}

// Draws what the timeline has reached by `now`; then clickshow_filled()
// is the colour to fill the picture with first (0xRRGGBB, or -1),
// clickshow_changed(0 to 3) the rectangle to put, and clickshow_rgba() its
// pixels.
EMSCRIPTEN_KEEPALIVE int clickshow_advance(double now)
{
    changed = player->Advance(now);
    return !changed.empty() || player->filled();
}

EMSCRIPTEN_KEEPALIVE int clickshow_filled()
{
    return player->filled() ? int(*player->filled() & 0xffffff) : -1;
}

EMSCRIPTEN_KEEPALIVE int clickshow_changed(int side)
{
    const int sides[] = {changed.x, changed.y, changed.width, changed.height};
    return sides[side & 3];
}

EMSCRIPTEN_KEEPALIVE const std::uint8_t *clickshow_rgba()
{
    return player->Rgba(changed);
}

// The whole picture next time: after a resize, say.
EMSCRIPTEN_KEEPALIVE void clickshow_everything(int width, int height)
{
    changed = {0, 0, width, height};
}

EMSCRIPTEN_KEEPALIVE int clickshow_caption_shown(int label)
{
    return player->captionShown(show::Label(label));
}

EMSCRIPTEN_KEEPALIVE const char *clickshow_caption(int label)
{
    return player->caption(show::Label(label)).c_str();
}

// 0, 1: the client area; 2 to 5 and 6 to 9: the captions' rectangles; 10:
// their size in points.
EMSCRIPTEN_KEEPALIVE int clickshow_design(int what)
{
    const int values[] = {show::kDesignWidth,        show::kDesignHeight,      show::kTopCaption.x,
                          show::kTopCaption.y,       show::kTopCaption.width,  show::kTopCaption.height,
                          show::kWordsCaption.x,     show::kWordsCaption.y,    show::kWordsCaption.width,
                          show::kWordsCaption.height, show::kCaptionPoints};
    return what >= 0 && what < int(std::size(values)) ? values[what] : 0;
}
}
