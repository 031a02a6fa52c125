// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#pragma once

#include "captionface.h"
#include "form1.h"

#include "base/status.h"
#include "player/session.h"

namespace win32 {

// The Windows program's player: the show in Form1, played when the window
// asks, or in a loop (--loop, the screen saver, its preview), from the
// moment the window is on the screen. A clicked show spins on the
// performance counter; a loop sleeps. The screen saver's pauses wake for
// input, and a key, a click or a move ends it at once.
class Player
{
public:
    // `loopSeconds` below 0: no loop.
    Player(Form1::Frame frame, double loopSeconds);

    Status Start(HWND parent = nullptr, bool fullScreen = false);
    // Until the window goes: the program's exit status.
    int Run();

private:
    class SaverClock : public player::Clock
    {
    public:
        explicit SaverClock(Form1 &form) : form_(form) {}
        std::chrono::nanoseconds Now() override { return Steady().Now(); }
        void SleepUntil(std::chrono::nanoseconds when) override;

    private:
        Form1 &form_;
    };

    void Play();

    Form1::Frame frame_;
    CaptionFace face_;
    Form1 form_;
    SaverClock saverClock_;
    player::Session session_;
    int status_ = 0;
};

// The screen saver's preview in `parent`, as /p HWND asks: until `parent`
// goes.
int RunPreview(HWND parent);

} // namespace win32
