// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#pragma once

#include <cstdint>

namespace player {

class Picture;

enum class Button { Primary, Other };
// Return stands for both Enters, the keypad's too.
enum class Key { Space, Return, F11, Escape, Q, W, Other };
// Keys held with a key; the keypad is no modifier here.
enum Modifier : unsigned { kShift = 1, kControl = 2, kAlt = 4, kMeta = 8 };

// What a person did, or what happened to the show, as every toolkit can
// say it: facts, not decisions. Points are pixels of the design's client
// area, wherever they fall (scaling.h maps a scaled view's back); times are
// milliseconds of the toolkit's input clock, the one its input events are
// stamped on, which wraps around at 32 bits.
struct Event
{
    enum class Kind { Press, Release, Key, KeyUp, ShowStarted, ShowEnded, CloseAsked, FullScreenChanged };

    Kind kind = Kind::Press;
    double x = 0, y = 0;
    Button button = Button::Primary;
    int clicks = 1; // a press: 2 for the second press of a double click
    Key key = Key::Other;
    unsigned modifiers = 0;
    bool repeat = false; // a key: held down
    std::uint32_t time = 0;
    bool on = false; // full screen, as the platform now has it

    static Event Press(double x, double y, Button button = Button::Primary, int clicks = 1);
    static Event Release(double x, double y, Button button = Button::Primary);
    static Event KeyDown(Key key, unsigned modifiers, bool repeat, std::uint32_t time);
    // A key let go. An X server repeats a held key as a release and a press
    // of the same moment, and a toolkit that looks ahead for the press may
    // miss it: the focus may have moved to another window in between.
    static Event KeyUp(Key key, std::uint32_t time);
    static Event ShowStarted();
    // When the show ended, on the input clock.
    static Event ShowEnded(std::uint32_t time);
    static Event CloseAsked();
    // The platform took the whole screen or gave it back by itself (a
    // window manager, a browser's own Esc).
    static Event FullScreenChanged(bool on);
};

// What the player does about it. None: the event is not the show's (a key
// is handed on to the toolkit); LetGo: taken, and nothing done. The
// numbers are the page's too.
enum class Action { None, Play, LetGo, Close, FullScreenOn, FullScreenOff };

// How every player takes input:
// - a click (press and release of the primary button on the picture)
//   outside a shown caption plays the show; the second press of a double
//   click is no click of its own, so a double click plays one show; a click
//   beside the picture (the black around it on a whole screen) is none;
// - each click during a show plays one more after it;
// - Space and Return, with no modifier, play the show unless one runs:
//   keys pressed during a show, and held keys, are let go, so a key
//   hammered during a show cannot hold the window for minutes;
// - Ctrl+Q and Ctrl+W close, once a show that runs has ended; after a close
//   nothing plays. A player that cannot close itself (a page) leaves them
//   to its platform;
// - F11 puts the picture on the whole screen and back, once for each
//   press however long it is held; Esc gives back the window.
//
// Toolkits that hand over events only once a show has ended (the window's
// show never returns to the event loop) say when it ended on their input
// clock: what was pressed before then was pressed during the show.
class InputRules
{
public:
    explicit InputRules(const Picture &picture, bool canClose = true);

    Action Handle(const Event &event);
    bool fullScreen() const { return fullScreen_; }
    bool closed() const { return closed_; }

private:
    bool Clickable(const Event &event) const;
    Action Close();
    Action ShowKey(const Event &event);

    const Picture &picture_;
    const bool canClose_;
    bool pressed_ = false;
    bool showing_ = false;
    bool closed_ = false;
    bool fullScreen_ = false;
    bool ended_ = false;         // a show has ended, at showEnd_
    std::uint32_t showEnd_ = 0; // on the input clock
    bool up_ = false;           // a key went up, upKey_ at upTime_
    Key upKey_ = Key::Other;
    std::uint32_t upTime_ = 0;
};

} // namespace player
