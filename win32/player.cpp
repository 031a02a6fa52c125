// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#include "player.h"

#include "settings.h"

#include "player/scaling.h"

#include <mmsystem.h>

namespace win32 {

namespace {

constexpr UINT_PTR kLoopTimer = 1;
constexpr UINT_PTR kFollowTimer = 2;
constexpr UINT kFollowMilliseconds = 250; // how soon a preview follows its host between shows

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

BOOL CALLBACK AddMonitor(HMONITOR, HDC, LPRECT area, LPARAM monitors)
{
    reinterpret_cast<std::vector<canvas::Rect> *>(monitors)->push_back(
        {area->left, area->top, area->right - area->left, area->bottom - area->top});
    return TRUE;
}

} // namespace

bool Player::Screens::Take(const player::Call &call)
{
    bool taken = !forms_.empty();
    for (const auto &form : forms_)
        taken = form->Take(call) && taken;
    return taken;
}

void Player::Screens::BeginShow()
{
    for (const auto &form : forms_)
        form->BeginShow();
}

void Player::Screens::EndShow()
{
    for (const auto &form : forms_)
        form->EndShow();
}

float Player::Screens::ClientWidth()
{
    float width = 0;
    return forms_.empty() || !forms_.front()->GetClientWidth(width) ? 0 : width;
}

float Player::Screens::ClientHeight()
{
    float height = 0;
    return forms_.empty() || !forms_.front()->GetClientHeight(height) ? 0 : height;
}

Player::Player(Form1::Frame frame, double loopSeconds)
    : frame_(frame)
    , session_(screens_, loopSeconds, frame == Form1::Frame::Window ? player::Clock::Steady() : clock_)
{
    if (loopSeconds >= 0)
        timeBeginPeriod(1); // a loop's sleeps end on time
}

Player::~Player()
{
    forms_.clear(); // their windows, before what they draw with
}

Status Player::Open(HWND parent, RECT monitor)
{
    auto form = std::make_unique<Form1>(face_);
    Form1 &shown = *form;
    form->playRequested = [this] { Play(); };
    form->timer = [this](UINT_PTR id) {
        KillTimer(forms_.front()->window(), id);
        if (id == kFollowTimer) {
            forms_.front()->Follow();
            SetTimer(forms_.front()->window(), kFollowTimer, kFollowMilliseconds, nullptr);
        } else {
            Play();
        }
    };
    form->painted = [this] {
        TellStart();
        session_.Painted();
        Schedule();
    };
    form->saverInput = [this](player::SaverInput::What what, POINT at) { SaverInput(what, at); };
    forms_.push_back(std::move(form));
    return shown.Create(frame_, parent, monitor);
}

Status Player::Start(HWND parent, bool fullScreen)
{
    if (Status loaded = face_.Load(); !loaded.ok())
        return loaded;
    parent_ = parent;
    if (frame_ != Form1::Frame::ScreenSaver) {
        if (Status opened = Open(parent, {}); !opened.ok())
            return opened;
        if (fullScreen)
            forms_.front()->SetFullScreen(true);
        if (frame_ == Form1::Frame::Preview)
            SetTimer(forms_.front()->window(), kFollowTimer, kFollowMilliseconds, nullptr);
        return Status::Ok();
    }
    // A picture on each monitor, fitted to it.
    std::vector<canvas::Rect> monitors;
    EnumDisplayMonitors(nullptr, nullptr, &AddMonitor, reinterpret_cast<LPARAM>(&monitors));
    for (const player::MonitorPicture &picture : player::FitMonitors(monitors)) {
        const canvas::Rect &area = picture.monitor;
        if (Status opened = Open(nullptr, {area.x, area.y, area.x + area.width, area.y + area.height});
            !opened.ok())
            return opened;
    }
    if (forms_.empty())
        return Status::Error("no monitor to show the screen saver on");
    // A move counts from where the pointer is now.
    if (POINT at{}; GetCursorPos(&at))
        saverInput_.Ends(player::SaverInput::What::Move, int(at.x), int(at.y));
    ShowCursor(FALSE);
    SetForegroundWindow(forms_.front()->window());
    return Status::Ok();
}

void Player::Play()
{
    KillTimer(forms_.front()->window(), kLoopTimer);
    if (const Status played = session_.Play(); !played.ok()) {
        MessageBoxW(forms_.front()->window(), Wide(played.message()).c_str(), L"clickshow", MB_OK | MB_ICONERROR);
        status_ = 1;
        DestroyWindow(forms_.front()->window());
        return;
    }
    Schedule();
}

void Player::Schedule()
{
    const int due = session_.MillisecondsToNextShow();
    if (due >= 0 && forms_.front()->window())
        SetTimer(forms_.front()->window(), kLoopTimer, UINT(std::max(due, int(USER_TIMER_MINIMUM))), nullptr);
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

void Player::SaverInput(player::SaverInput::What what, POINT at)
{
    if (saverInput_.Ends(what, int(at.x), int(at.y)))
        ExitProcess(0); // nothing to keep: at once, during a show too
}

// Input, paint and what other threads send (a host's calls, activation),
// but no timer: the show's own calls come first.
void Player::TakeMessages()
{
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE | PM_QS_INPUT | PM_QS_PAINT | PM_QS_SENDMESSAGE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    if (frame_ == Form1::Frame::Preview) {
        if (!IsWindow(parent_) || !forms_.front()->window())
            ExitProcess(0); // the host has gone, and the preview with it
        forms_.front()->Follow();
    }
}

// Asleep until the pause's end, taking messages as they come.
void Player::LoopClock::SleepUntil(std::chrono::nanoseconds when)
{
    for (;;) {
        player_.TakeMessages();
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(when - Now()).count();
        if (left <= 1)
            break;
        // A host that goes sends nothing: it is looked for now and then.
        const DWORD wait = player_.frame_ == Form1::Frame::Preview ? DWORD(std::min<long long>(left - 1, 100))
                                                                   : DWORD(left - 1);
        MsgWaitForMultipleObjectsEx(0, nullptr, wait, QS_INPUT | QS_PAINT | QS_SENDMESSAGE, MWMO_INPUTAVAILABLE);
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
