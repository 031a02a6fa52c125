// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#pragma once

#include "captionface.h"
#include "form1.h"

#include "base/status.h"
#include "player/saverinput.h"
#include "player/session.h"

#include <memory>
#include <vector>

namespace win32 {

// The Windows program's player: the show in Form1, played when the window
// asks, or in a loop (--loop, the screen saver, its preview) when the
// session has a show due, from the moment the window is on the screen. A
// clicked show spins on the performance counter; a loop sleeps.
//
// The screen saver has a window on each monitor, each with the picture
// fitted to it; input that ends it (player/saverinput.h) ends it at once,
// during a show too, as its sleeping pauses take in input. The preview's
// sleeps take in what its host sends, follow the host's size and end with
// the host.
class Player
{
public:
    // `loopSeconds` below 0: no loop.
    Player(Form1::Frame frame, double loopSeconds);
    ~Player();
    Player(const Player &) = delete;
    Player &operator=(const Player &) = delete;

    Status Start(HWND parent = nullptr, bool fullScreen = false);
    // Until the window goes: the program's exit status.
    int Run();

private:
    // Every call of the show, to every window.
    class Screens : public player::CallSurface
    {
    public:
        explicit Screens(std::vector<std::unique_ptr<Form1>> &forms) : forms_(forms) {}
        bool Take(const player::Call &call) override;
        void BeginShow() override;
        void EndShow() override;

    protected:
        float ClientWidth() override;
        float ClientHeight() override;

    private:
        std::vector<std::unique_ptr<Form1>> &forms_;
    };

    // A loop's pauses, asleep; a screen saver's and a preview's wake for
    // what must not wait for the show's end.
    class LoopClock : public player::Clock
    {
    public:
        explicit LoopClock(Player &player) : player_(player) {}
        std::chrono::nanoseconds Now() override { return Steady().Now(); }
        void SleepUntil(std::chrono::nanoseconds when) override;

    private:
        Player &player_;
    };

    Status Open(HWND parent, RECT monitor);
    void Play();
    void Schedule();
    // What the saver's and the preview's windows were sent meanwhile.
    void TakeMessages();
    void SaverInput(player::SaverInput::What what, POINT at);

    Form1::Frame frame_;
    CaptionFace face_;
    std::vector<std::unique_ptr<Form1>> forms_;
    Screens screens_{forms_};
    LoopClock clock_{*this};
    player::Session session_;
    player::SaverInput saverInput_;
    HWND parent_ = nullptr; // a preview's host
    int status_ = 0;
};

// The screen saver's preview in `parent`, as /p HWND asks: until `parent`
// goes.
int RunPreview(HWND parent);

} // namespace win32
