// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#include "timeline.h"

#include "show/design.h"
#include "show/showerror.h"

#include <algorithm>

namespace player {

std::int64_t FramesBefore(std::int64_t nanoseconds, int fps)
{
    constexpr std::int64_t kSecond = 1000000000;
    return (nanoseconds * fps + kSecond - 1) / kSecond;
}

Status PlayShow(show::ClickShow &show)
{
    try {
        show.PlayClickShow();
    } catch (const show::ShowError &error) {
        return Status::Error(error.what());
    }
    return Status::Ok();
}

Timeline::Timeline(int width, int height)
    : recorded_(float(width * show::kTwipsPerPixel), float(height * show::kTwipsPerPixel))
    , show_(recorded_, recorded_)
{
}

Status Timeline::Play(std::int64_t start)
{
    recorded_.Clear();
    const Status played = PlayShow(show_);
    std::int64_t at = std::max(start, end_);
    for (const Call &call : recorded_.calls()) {
        if (call.kind == Call::Kind::Pause)
            at += CountsToNanoseconds(call.counts);
        else if (call.kind != Call::Kind::Width && call.kind != Call::Kind::Height)
            due_.push_back({at, call});
    }
    end_ = at;
    return played;
}

Change Timeline::Advance(std::int64_t now, Picture &picture)
{
    Change change;
    for (; !due_.empty() && due_.front().at <= now; due_.pop_front())
        change |= picture.Apply(due_.front().call);
    return change;
}

} // namespace player

namespace player {

void Timeline::Delay(std::int64_t by)
{
    for (Timed &timed : due_)
        timed.at += by;
    end_ += by;
}

} // namespace player
