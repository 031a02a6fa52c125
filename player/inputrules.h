// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#pragma once

#include <cstdint>

namespace player {

class Picture;

enum class Button { Primary, Other };
enum class Key { Space, Return, Enter, F11, Escape, Q, W, Other };
// Keys held with a key; the keypad is no modifier here.
enum Modifier : unsigned { kShift = 1, kControl = 2, kAlt = 4, kMeta = 8 };

// What a person did, or what happened to the show, as every toolkit can
// say it. Points are pixels of the design's client area (scaling.h maps a
// scaled view's back); times are milliseconds of the toolkit's own input
// clock, 0 where it has none.
struct Event
{
    enum class Kind { Press, Release, Key, ShowStarted, ShowEnded, CloseAsked, FullScreenChanged };

    Kind kind = Kind::Press;
    double x = 0, y = 0;
    Button button = Button::Primary;
    int clicks = 1;     // a press: 2 for the second press of a double click
    bool inside = true; // a release: within the client area
    Key key = Key::Other;
    unsigned modifiers = 0;
    bool repeat = false; // a key: held down
    std::uint64_t time = 0;
    bool on = false; // full screen, as the platform now has it

    static Event Press(double x, double y, Button button = Button::Primary, int clicks = 1);
    static Event Release(double x, double y, bool inside = true, Button button = Button::Primary);
    static Event KeyDown(Key key, unsigned modifiers = 0, bool repeat = false, std::uint64_t time = 0);
    static Event ShowStarted();
    // `time`: when the show ended, on the input clock.
    static Event ShowEnded(std::uint64_t time = 0);
    static Event CloseAsked();
    static Event FullScreenChanged(bool on);
};

// What the player does about it. None: the event is not the show's (a key
// is handed on to the toolkit); LetGo: taken, and nothing done.
enum class Action { None, Play, QueueOne, LetGo, CloseNow, CloseAfterShow, FullScreenOn, FullScreenOff };

// How the window takes input, for every player alike:
// - a click (press and release of the primary button on the client area)
//   outside a shown caption plays the show; the second press of a double
//   click is no click of its own, so a double click plays one show;
// - each click during a show plays one more after it;
// - Space, Return and Enter, with no modifier, play the show unless one
//   runs: keys pressed during a show, and held keys, are let go, so a key
//   hammered during a show cannot hold the window for minutes;
// - Ctrl+Q and Ctrl+W close the window, once a show that runs has ended;
//   after a close nothing plays;
// - F11 puts the picture on the whole screen and back; Esc gives back the
//   window.
//
// Toolkits that hand over events only once a show has ended (the window's
// show never returns to the event loop) tell when it ended on their input
// clock: what was pressed before then was pressed during the show.
class InputRules
{
public:
    explicit InputRules(const Picture &picture);

    Action Handle(const Event &event);
    bool fullScreen() const { return fullScreen_; }

private:
    Action Click();
    Action ShowKey(const Event &event);

    const Picture &picture_;
    bool pressed_ = false;
    bool showing_ = false;
    bool closed_ = false;
    bool fullScreen_ = false;
    std::uint64_t showEnd_ = 0; // on the input clock; 0: not known
};

} // namespace player
