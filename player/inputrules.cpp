// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#include "inputrules.h"

#include "picture.h"

namespace player {

namespace {

Event Of(Event::Kind kind)
{
    Event event;
    event.kind = kind;
    return event;
}

} // namespace

Event Event::Press(double x, double y, Button button, int clicks)
{
    Event event = Of(Kind::Press);
    event.x = x;
    event.y = y;
    event.button = button;
    event.clicks = clicks;
    return event;
}

Event Event::Release(double x, double y, Button button)
{
    Event event = Press(x, y, button);
    event.kind = Kind::Release;
    return event;
}

Event Event::KeyDown(Key key, unsigned modifiers, bool repeat, std::uint32_t time)
{
    Event event = Of(Kind::Key);
    event.key = key;
    event.modifiers = modifiers;
    event.repeat = repeat;
    event.time = time;
    return event;
}

Event Event::KeyUp(Key key, std::uint32_t time)
{
    Event event = Of(Kind::KeyUp);
    event.key = key;
    event.time = time;
    return event;
}

Event Event::ShowStarted()
{
    return Of(Kind::ShowStarted);
}

Event Event::ShowEnded(std::uint32_t time)
{
    Event event = Of(Kind::ShowEnded);
    event.time = time;
    return event;
}

Event Event::CloseAsked()
{
    return Of(Kind::CloseAsked);
}

Event Event::FullScreenChanged(bool on)
{
    Event event = Of(Kind::FullScreenChanged);
    event.on = on;
    return event;
}

InputRules::InputRules(const Picture &picture, bool canClose)
    : picture_(picture)
    , canClose_(canClose)
{
}

// The primary button on the picture, outside a shown caption.
bool InputRules::Clickable(const Event &event) const
{
    return event.button == Button::Primary && picture_.OnPicture(event.x, event.y)
        && !picture_.OnShownCaption(event.x, event.y);
}

Action InputRules::Handle(const Event &event)
{
    switch (event.kind) {
    case Event::Kind::Press:
        pressed_ = event.clicks == 1 && Clickable(event);
        return pressed_ ? Action::LetGo : Action::None;
    case Event::Kind::Release: {
        const bool click = pressed_ && Clickable(event);
        pressed_ = false;
        if (!click)
            return Action::None;
        return closed_ ? Action::LetGo : Action::Play;
    }
    case Event::Kind::Key: {
        Event key = event;
        key.repeat = event.repeat || (up_ && event.key == upKey_ && event.time == upTime_);
        up_ = false;
        return ShowKey(key);
    }
    case Event::Kind::KeyUp:
        up_ = true;
        upKey_ = event.key;
        upTime_ = event.time;
        return Action::None;
    case Event::Kind::ShowStarted:
        showing_ = true;
        return Action::None;
    case Event::Kind::ShowEnded:
        showing_ = false;
        ended_ = true;
        showEnd_ = event.time;
        return Action::None;
    case Event::Kind::CloseAsked:
        return Close();
    case Event::Kind::FullScreenChanged:
        fullScreen_ = event.on;
        return Action::None;
    }
    return Action::None;
}

Action InputRules::Close()
{
    closed_ = true;
    return Action::Close;
}

Action InputRules::ShowKey(const Event &event)
{
    if (event.modifiers == kControl && (event.key == Key::Q || event.key == Key::W))
        return canClose_ ? Close() : Action::None;
    if (event.modifiers)
        return Action::None;
    switch (event.key) {
    case Key::F11:
        if (event.repeat)
            return Action::LetGo;
        fullScreen_ = !fullScreen_;
        return fullScreen_ ? Action::FullScreenOn : Action::FullScreenOff;
    case Key::Escape:
        if (!fullScreen_)
            return Action::None;
        fullScreen_ = false;
        return Action::FullScreenOff;
    case Key::Space:
    case Key::Return: {
        // Input clocks wrap around: what matters is which came first.
        const bool beforeLastEnd = ended_ && std::int32_t(event.time - showEnd_) < 0;
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
