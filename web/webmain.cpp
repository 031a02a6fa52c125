// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

// What the page's script calls: one player, the design's values, and the
// captions fitted by the players' rules on the browser's own measure of
// text. The script forwards events and draws; it decides nothing.

#include "webplayer.h"

#include "player/captionfit.h"
#include "player/designvalues.h"
#include "player/scaling.h"
#include "show/design.h"

#include <emscripten.h>

#include <limits>
#include <memory>
#include <string>

// The ink of `text` at `pixels` in the captions' face, as the browser
// measures it: left, top, right, bottom from the line's top-left corner.
EM_JS(void, clickshow_measure, (const char *text, int length, int pixels, double *ink), {
    if (!clickshow_measure.context)
        clickshow_measure.context = document.createElement('canvas').getContext('2d');
    const context = clickshow_measure.context;
    context.font = pixels + 'px P052, serif';
    const line = context.measureText(new TextDecoder().decode(HEAPU8.subarray(text, text + length)));
    const values = [-line.actualBoundingBoxLeft, line.fontBoundingBoxAscent - line.actualBoundingBoxAscent,
                    line.actualBoundingBoxRight, line.fontBoundingBoxAscent + line.actualBoundingBoxDescent];
    HEAPF64.set(values, ink >> 3);
});

namespace {

std::unique_ptr<WebPlayer> page;
player::Fit fit;
player::Change changed;
std::string design;
int fitted[2] = {0, 0}; // caption sizes, 0 until measured
std::string fittedText[2];

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

// Input, at device pixels of the page's frame, which the fit maps back to
// the design's client area: the player::Action to take.
EMSCRIPTEN_KEEPALIVE int clickshow_press(double x, double y, int primary, int clicks)
{
    return Act(player::Event::Press(fit.DesignX(x), fit.DesignY(y),
                                    primary ? player::Button::Primary : player::Button::Other, clicks));
}

EMSCRIPTEN_KEEPALIVE int clickshow_release(double x, double y, int primary)
{
    const double designX = fit.DesignX(x), designY = fit.DesignY(y);
    const bool inside = designX >= 0 && designY >= 0 && designX < show::kDesignWidth && designY < show::kDesignHeight;
    return Act(player::Event::Release(designX, designY, inside,
                                      primary ? player::Button::Primary : player::Button::Other));
}

EMSCRIPTEN_KEEPALIVE int clickshow_key(int key, int modifiers, int repeat, double time)
{
    return Act(player::Event::KeyDown(player::Key(key), unsigned(modifiers), repeat, std::uint64_t(time)));
}

EMSCRIPTEN_KEEPALIVE void clickshow_full_screen(int on)
{
    Act(player::Event::FullScreenChanged(on));
}

// As the window's --loop SECONDS, 0 to 3600: 0 if out of range.
EMSCRIPTEN_KEEPALIVE int clickshow_loop(double seconds)
{
    if (!(seconds >= 0 && seconds <= 3600))
        return 0;
    page->Loop(seconds * 1000);
    return 1;
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
// (its pixels at clickshow_rgba()), 4 if a caption changed.
EMSCRIPTEN_KEEPALIVE int clickshow_frame(double now)
{
    changed |= page->Frame(now);
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

// The size the caption is drawn at, in CSS pixels of the design.
EMSCRIPTEN_KEEPALIVE int clickshow_caption_pixels(int label)
{
    label &= 1;
    const std::string text = page->picture().ShownText(show::Label(label));
    if (!fitted[label] || fittedText[label] != text) {
        const canvas::Rect box = player::Picture::CaptionRect(show::Label(label));
        fitted[label] = player::FitCaption(text, box.width, box.height, [](const std::string &line, int pixels) {
            double ink[4] = {};
            clickshow_measure(line.data(), int(line.size()), pixels, ink);
            return player::Ink{ink[0], ink[1], ink[2], ink[3]};
        });
        fittedText[label] = text;
    }
    return fitted[label];
}

// The face has come: the captions are measured again.
EMSCRIPTEN_KEEPALIVE void clickshow_refit()
{
    fitted[0] = fitted[1] = 0;
}
}
