// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

// What the page's script calls: one player, the design's values, the
// rules' numbers, and the captions laid out by the players' rules. The
// script forwards events and draws; it decides nothing.

#include "webplayer.h"

#include "player/captionlayout.h"
#include "player/designvalues.h"
#include "player/limits.h"
#include "player/scaling.h"
#include "show/design.h"

#include <emscripten.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>
#include <memory>
#include <string>

namespace {

std::unique_ptr<WebPlayer> page;
player::Fit fit;
player::Change changed;
std::string design;
std::string rules;
std::vector<double> layout; // of the last caption asked for

int Act(const player::Event &event)
{
    return int(page->Input(event));
}

} // namespace

extern "C" {

EMSCRIPTEN_KEEPALIVE void clickshow_start(int red, int green, int blue)
{
    page = std::make_unique<WebPlayer>(canvas::Rgb(red, green, blue));
}

// The picture in `width` x `height` device pixels of the page's frame, as
// the window's full screen fits it: scaled in thousandths (so that a
// recording's --scale names it), centred, the canvas held at that scale.
// A height of 0: a page as tall as the picture, which stands at its top
// left. clickshow_fitted(0 to 4) tells the scale and where the picture
// stands; the whole picture is put next. 0 if it cannot be held.
EMSCRIPTEN_KEEPALIVE int clickshow_layout(int width, int height)
{
    player::Fit wanted = player::FitDesign(width, height > 0 ? height : std::numeric_limits<int>::max());
    if (height <= 0)
        wanted.picture.x = wanted.picture.y = 0;
    if (!page->Resize(wanted.scale))
        return 0;
    fit = wanted;
    changed = {};
    changed.pixels = page->picture().canvas().rect();
    return 1;
}

EMSCRIPTEN_KEEPALIVE double clickshow_fitted(int side)
{
    const canvas::Rect &rect = fit.picture;
    const double values[] = {fit.scale, double(rect.x), double(rect.y), double(rect.width), double(rect.height)};
    return values[side < 0 || side > 4 ? 0 : side];
}

// The design's values and the timeline's, as JSON.
EMSCRIPTEN_KEEPALIVE const char *clickshow_design()
{
    design = player::DesignValuesJson();
    return design.c_str();
}

// The numbers of the rules' actions and keys, and the ranges the players
// share, as JSON.
EMSCRIPTEN_KEEPALIVE const char *clickshow_rules()
{
    rules = player::RulesValuesJson();
    return rules.c_str();
}

// Input, at device pixels of the page's frame, which the fit maps back to
// the design's client area: the player::Action to take.
EMSCRIPTEN_KEEPALIVE int clickshow_press(double x, double y, int primary, int clicks)
{
    return Act(player::Event::Press(fit.DesignX(x), fit.DesignY(y),
                                    primary ? player::Button::Primary : player::Button::Other, clicks));
}

EMSCRIPTEN_KEEPALIVE int clickshow_release(double x, double y, int primary)
{
    return Act(player::Event::Release(fit.DesignX(x), fit.DesignY(y),
                                      primary ? player::Button::Primary : player::Button::Other));
}

EMSCRIPTEN_KEEPALIVE int clickshow_key(int key, int modifiers, int repeat, double time)
{
    return Act(player::Event::KeyDown(player::Key(key), unsigned(modifiers), repeat,
                                      std::uint32_t(std::uint64_t(time))));
}

EMSCRIPTEN_KEEPALIVE void clickshow_full_screen(int on)
{
    Act(player::Event::FullScreenChanged(on));
}

// Room for `bytes` of text from the page, and its end.
EMSCRIPTEN_KEEPALIVE char *clickshow_text(int bytes)
{
    static std::string text;
    text.assign(std::size_t(std::max(bytes, 0)), '\0');
    return text.data();
}

// As the window's --loop SECONDS, ?loop=SECONDS: 0 if it is no number of
// seconds in the loop's range.
EMSCRIPTEN_KEEPALIVE int clickshow_loop(const char *seconds)
{
    double value = 0;
    if (!player::ReadLoopSeconds(seconds, value))
        return 0;
    page->Loop(value);
    return 1;
}

// The picture is on the screen: a loop's first show is due.
EMSCRIPTEN_KEEPALIVE void clickshow_painted(double now)
{
    page->Painted(now);
}

EMSCRIPTEN_KEEPALIVE int clickshow_looping()
{
    return page->looping();
}

// When the loop's next show is due on the page's clock; below 0, none.
EMSCRIPTEN_KEEPALIVE double clickshow_due()
{
    return page->due();
}

// An animation frame: 1 if the picture is to be filled with
// clickshow_backdrop() first, 2 if clickshow_changed(0 to 3) is to be put
// (its pixels at clickshow_rgba()), 4 if a caption changed: the shown
// captions go over the pixels, which take in the captions' boxes.
EMSCRIPTEN_KEEPALIVE int clickshow_frame(double now)
{
    player::Change change = page->Frame(now);
    if (change.captions) {
        const double scale = page->picture().canvas().ratio();
        for (const show::Label label : {show::Label::Top, show::Label::Words}) {
            const canvas::Rect box = player::Picture::CaptionRect(label);
            const int left = int(std::floor(box.x * scale)), top = int(std::floor(box.y * scale));
            change.pixels = change.pixels
                | canvas::Rect{left, top, int(std::ceil((box.x + box.width) * scale)) - left,
                               int(std::ceil((box.y + box.height) * scale)) - top};
        }
        change.pixels = change.pixels & page->picture().canvas().rect();
    }
    changed |= change;
    const int what = (changed.filled ? 1 : 0) | (changed.pixels.empty() ? 0 : 2) | (changed.captions ? 4 : 0);
    return what;
}

EMSCRIPTEN_KEEPALIVE int clickshow_playing(double now)
{
    return page->Playing(now);
}

EMSCRIPTEN_KEEPALIVE int clickshow_backdrop()
{
    return int(page->picture().canvas().backdrop() & 0xffffff);
}

EMSCRIPTEN_KEEPALIVE int clickshow_changed(int side)
{
    const canvas::Rect &rect = changed.pixels;
    const int sides[] = {rect.x, rect.y, rect.width, rect.height};
    return sides[side & 3];
}

EMSCRIPTEN_KEEPALIVE const std::uint8_t *clickshow_rgba()
{
    return page->Rgba(changed.pixels);
}

// What the last frame changed has been put on the page.
EMSCRIPTEN_KEEPALIVE void clickshow_put()
{
    changed = {};
}

EMSCRIPTEN_KEEPALIVE int clickshow_caption_shown(int label)
{
    return page->picture().caption(show::Label(label & 1)).shown;
}

EMSCRIPTEN_KEEPALIVE const char *clickshow_caption(int label)
{
    static std::string text;
    text = page->picture().ShownText(show::Label(label & 1));
    return text.c_str();
}

// Where the caption's characters stand (player/captionlayout.h), in pixels
// of the design: its size, its baseline and the count of its characters,
// then each one's pen position.
EMSCRIPTEN_KEEPALIVE const double *clickshow_caption_layout(int label)
{
    const std::string text = page->picture().ShownText(show::Label(label & 1));
    const player::CaptionLayout caption = player::LayOutCaption(show::Label(label & 1), text);
    layout = {double(caption.pixels), caption.baseline, double(caption.x.size())};
    layout.insert(layout.end(), caption.x.begin(), caption.x.end());
    return layout.data();
}
}
