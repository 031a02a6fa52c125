// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#include "inputrules.h"

#include "picture.h"

namespace player {

Event Event::Press(double x, double y, Button button, int clicks)
{
    Event event;
    event.kind = Kind::Press;
    event.x = x;
    event.y = y;
    event.button = button;
    event.clicks = clicks;
    return event;
}

Event Event::Release(double x, double y, bool inside, Button button)
{
    Event event = Press(x, y, button);
    event.kind = Kind::Release;
    event.inside = inside;
    return event;
}

Event Event::KeyDown(Key key, unsigned modifiers, bool repeat, std::uint64_t time)
{
    Event event;
    event.kind = Kind::Key;
    event.key = key;
    event.modifiers = modifiers;
    event.repeat = repeat;
    event.time = time;
    return event;
}

Event Event::ShowStarted()
{
    Event event;
    event.kind = Kind::ShowStarted;
    return event;
}

Event Event::ShowEnded(std::uint64_t time)
{
    Event event;
    event.kind = Kind::ShowEnded;
    event.time = time;
    return event;
}

Event Event::CloseAsked()
{
    Event event;
    event.kind = Kind::CloseAsked;
    return event;
}

Event Event::FullScreenChanged(bool on)
{
    Event event;
    event.kind = Kind::FullScreenChanged;
    event.on = on;
    return event;
}

InputRules::InputRules(const Picture &picture)
    : picture_(picture)
{
}

Action InputRules::Handle(const Event &event)
{
    switch (event.kind) {
    case Event::Kind::Press:
        pressed_ = event.button == Button::Primary && event.clicks == 1 && !picture_.OnShownCaption(event.x, event.y);
        return pressed_ ? Action::LetGo : Action::None;
    case Event::Kind::Release: {
        const bool click = pressed_ && event.button == Button::Primary && event.inside
            && !picture_.OnShownCaption(event.x, event.y);
        pressed_ = false;
        return click ? Click() : Action::None;
    }
    case Event::Kind::Key:
        return ShowKey(event);
    case Event::Kind::ShowStarted:
        showing_ = true;
        return Action::None;
    case Event::Kind::ShowEnded:
        showing_ = false;
        showEnd_ = event.time;
        return Action::None;
    case Event::Kind::CloseAsked:
        closed_ = true;
        return showing_ ? Action::CloseAfterShow : Action::CloseNow;
    case Event::Kind::FullScreenChanged:
        fullScreen_ = event.on;
        return Action::None;
    }
    return Action::None;
}

Action InputRules::Click()
{
    if (closed_)
        return Action::LetGo;
    return showing_ ? Action::QueueOne : Action::Play;
}

Action InputRules::ShowKey(const Event &event)
{
    const unsigned modifiers = event.modifiers;
    if (modifiers == kControl && (event.key == Key::Q || event.key == Key::W)) {
        closed_ = true;
        return showing_ ? Action::CloseAfterShow : Action::CloseNow;
    }
    if (modifiers)
        return Action::None;
    switch (event.key) {
    case Key::F11:
        fullScreen_ = !fullScreen_;
        return fullScreen_ ? Action::FullScreenOn : Action::FullScreenOff;
    case Key::Escape:
        if (!fullScreen_)
            return Action::None;
        fullScreen_ = false;
        return Action::FullScreenOff;
    case Key::Space:
    case Key::Return:
    case Key::Enter: {
        // Input clocks wrap around: what matters is which came first.
        const bool beforeLastEnd = showEnd_ != 0 && event.time != 0
            && std::int32_t(std::uint32_t(event.time) - std::uint32_t(showEnd_)) < 0;
        if (event.repeat || showing_ || beforeLastEnd || closed_)
            return Action::LetGo;
        return Action::Play;
    }
    case Key::Q:
    case Key::W:
    case Key::Other:
        break;
    }
    return Action::None;
}

} // namespace player
