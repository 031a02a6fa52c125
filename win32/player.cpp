// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#include "player.h"

#include "settings.h"

#include <mmsystem.h>

namespace win32 {

namespace {

constexpr UINT_PTR kLoopTimer = 1;

// For the bench (CLICKSHOW_START_TIMES=1): from the process's creation to
// its window's first paint, on standard error.
void TellStart()
{
    static bool told = false;
    if (told || !GetEnvironmentVariableW(L"CLICKSHOW_START_TIMES", nullptr, 0))
        return;
    told = true;
    FILETIME created, exited, kernel, user, now;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    GetSystemTimeAsFileTime(&now);
    const auto ticks = [](const FILETIME &time) {
        return (ULONGLONG(time.dwHighDateTime) << 32 | time.dwLowDateTime) / 10000; // milliseconds
    };
    char line[64];
    const int length = wsprintfA(line, "clickshow: first paint %u ms after the process began\n",
                                 unsigned(ticks(now) - ticks(created)));
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_ERROR_HANDLE), line, DWORD(length), &written, nullptr);
}

} // namespace

Player::Player(Form1::Frame frame, double loopSeconds)
    : frame_(frame)
    , form_(face_)
    , saverClock_(form_)
    , session_(form_, loopSeconds, frame == Form1::Frame::ScreenSaver ? static_cast<player::Clock &>(saverClock_)
                                                                      : player::Clock::Steady())
{
    if (loopSeconds >= 0)
        timeBeginPeriod(1); // a loop's sleeps end on time
}

Status Player::Start(HWND parent, bool fullScreen)
{
    form_.playRequested = [this] { Play(); };
    form_.timer = [this] {
        KillTimer(form_.window(), kLoopTimer);
        Play();
    };
    form_.painted = [this] {
        TellStart();
        if (session_.FirstShowDue())
            SetTimer(form_.window(), kLoopTimer, USER_TIMER_MINIMUM, nullptr);
    };
    if (Status loaded = face_.Load(); !loaded.ok())
        return loaded;
    if (Status created = form_.Create(frame_, parent); !created.ok())
        return created;
    if (fullScreen)
        form_.SetFullScreen(true);
    return Status::Ok();
}

void Player::Play()
{
    if (const Status played = session_.Play(); !played.ok()) {
        MessageBoxW(form_.window(), Wide(played.message()).c_str(), L"clickshow", MB_OK | MB_ICONERROR);
        status_ = 1;
        DestroyWindow(form_.window());
        return;
    }
    if (session_.looping() && form_.window())
        SetTimer(form_.window(), kLoopTimer, UINT(session_.loopMilliseconds()), nullptr);
}

int Player::Run()
{
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return status_;
}

// Asleep until the pause's end, or until input that ends the saver.
void Player::SaverClock::SleepUntil(std::chrono::nanoseconds when)
{
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(when - Now()).count();
        if (left <= 1)
            break;
        if (MsgWaitForMultipleObjectsEx(0, nullptr, DWORD(left - 1), QS_INPUT, MWMO_INPUTAVAILABLE) == WAIT_OBJECT_0
            && form_.InputEndsScreenSaver())
            ExitProcess(0);
    }
    while (Now() < when) {
    }
}

int RunPreview(HWND parent)
{
    Player player(Form1::Frame::Preview, FinaleSeconds());
    if (!player.Start(parent).ok())
        return 1;
    return player.Run();
}

} // namespace win32
