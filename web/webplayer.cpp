// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#include "webplayer.h"

#include "show/design.h"

#include <algorithm>

WebPlayer::WebPlayer(canvas::Pixel buttonFace)
    : picture_(buttonFace)
    , timeline_(show::kDesignWidth, show::kDesignHeight)
{
}

bool WebPlayer::Resize(double ratio)
{
    return picture_.canvas().Hold({0, 0, show::kDesignWidth, show::kDesignHeight}, ratio);
}

player::Action WebPlayer::Input(const player::Event &event)
{
    const player::Action action = rules_.Handle(event);
    if (action == player::Action::Play)
        Ask();
    return action;
}

// A show from the next frame on; the loop waits for its end.
void WebPlayer::Ask()
{
    ++asked_;
    loop_.ShowStarted();
    if (!showing_) {
        showing_ = true;
        rules_.Handle(player::Event::ShowStarted());
    }
}

player::Change WebPlayer::Frame(double now)
{
    const std::int64_t at = Nanoseconds(now);
    if (loop_.Due(now))
        Ask();
    if (starting_ == 1) {
        // On the screen from started_[1], a frame after its frame begins: a
        // frame as long as this one, or a 60th of a second if this one came
        // late, so that the show never runs early.
        const double start = started_[1] - std::min(now - started_[1], 1000.0 / 60);
        timeline_.Delay(std::max<std::int64_t>(0, Nanoseconds(start) - Nanoseconds(started_[0])));
        starting_ = 0;
    } else if (starting_ == 2) {
        started_[1] = now;
        starting_ = 1;
        return {};
    }
    if (asked_ > 0) {
        if (!timeline_.Playing(at)) {
            starting_ = 2;
            started_[0] = now;
        }
        for (; asked_ > 0; --asked_)
            static_cast<void>(timeline_.Play(at)); // on the design's size the show cannot fail
    }
    const player::Change change = timeline_.Advance(at, picture_);
    if (showing_ && !Playing(now)) {
        showing_ = false;
        const double end = double(timeline_.end()) / 1e6;
        rules_.Handle(player::Event::ShowEnded(std::uint32_t(std::uint64_t(end))));
        loop_.ShowEnded(end);
    }
    return change;
}

const std::uint8_t *WebPlayer::Rgba(const canvas::Rect &rect)
{
    const canvas::Canvas &canvas = picture_.canvas();
    rgba_.resize(std::size_t(rect.width) * std::size_t(rect.height) * 4);
    std::uint8_t *to = rgba_.data();
    for (int y = rect.y; y < rect.y + rect.height; ++y) {
        const canvas::Pixel *line = canvas.line(y) + rect.x;
        for (int x = 0; x < rect.width; ++x) {
            *to++ = std::uint8_t(canvas::Red(line[x]));
            *to++ = std::uint8_t(canvas::Green(line[x]));
            *to++ = std::uint8_t(canvas::Blue(line[x]));
            *to++ = 0xff;
        }
    }
    return rgba_.data();
}
