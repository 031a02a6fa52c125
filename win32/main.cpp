// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

// clickshow.exe and clickshow.scr: the window, and the screen saver as
// Windows runs it (/s, /p HWND, /c). Without arguments the program opens
// its window, the screen saver its settings.

#include "player.h"
#include "settings.h"

#include "player/limits.h"
#include "player/saverarguments.h"

#include <shellapi.h>

#include <cstdlib>
#include <initializer_list>
#include <string>
#include <vector>

namespace {

constexpr wchar_t kHelp[] =
    L"clickshow " CLICKSHOW_VERSION_WIDE L"\n"
    L"Circles in five colours glide in from the corners of a window in four acts, then scatter at random, and "
    L"the show ends on a white backdrop with an emblem of five rings and two captions.\n\n"
    L"clickshow.exe [--fullscreen] [--loop SECONDS]\n"
    L"clickshow.scr [/s | /p HWND | /c]\n\n"
    L"In the window:\n"
    L"  Click, Space, Enter\tplay the show\n"
    L"  F11\t\tthe whole screen, and back (Esc too)\n"
    L"  Ctrl+Q, Ctrl+W\tclose the window\n\n"
    L"Options:\n"
    L"  --fullscreen\tplay on the whole screen\n"
    L"  --loop SECONDS\tplay again each time the final picture has stood SECONDS\n"
    L"  /s\t\tthe screen saver, on the whole screen\n"
    L"  /p HWND\t\tthe screen saver's preview, in that window\n"
    L"  /c\t\tthe screen saver's settings\n";

// A word for the person who ran it: on standard error where it goes to a
// file or a pipe (a console), else in a message box, as Windows programs
// without a console say things.
void Tell(const std::wstring &text, bool error)
{
    const HANDLE out = GetStdHandle(error ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE);
    if (out && out != INVALID_HANDLE_VALUE && GetFileType(out) != FILE_TYPE_UNKNOWN) {
        const int length = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), int(text.size()), nullptr, 0, nullptr, nullptr);
        std::string bytes(std::size_t(length), '\0');
        WideCharToMultiByte(CP_UTF8, 0, text.c_str(), int(text.size()), bytes.data(), length, nullptr, nullptr);
        DWORD written = 0;
        WriteFile(out, bytes.data(), DWORD(bytes.size()), &written, nullptr);
        return;
    }
    MessageBoxW(nullptr, text.c_str(), L"clickshow", MB_OK | (error ? MB_ICONERROR : MB_ICONINFORMATION));
}

std::vector<std::string> Arguments()
{
    int count = 0;
    wchar_t **wide = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> arguments;
    for (int i = 1; i < count; ++i) {
        const int length = WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, nullptr, 0, nullptr, nullptr);
        std::string argument(std::size_t(std::max(length - 1, 0)), '\0');
        WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, argument.data(), length, nullptr, nullptr);
        arguments.push_back(argument);
    }
    LocalFree(wide);
    return arguments;
}

// /s, -S, /p:123, /c: a screen saver's way of asking.
bool SaverForm(const std::string &argument)
{
    return argument.size() >= 2 && (argument[0] == '/' || argument[0] == '-') && argument[1] != '-'
        && argument[1] != '?' && (argument.size() == 2 || argument[2] == ':');
}

int Fail(const std::wstring &message, int status)
{
    Tell(L"clickshow: " + message + L"\n", true);
    return status;
}

// One screen saver at a time: Windows may ask for it again while it runs.
// The mutex is held until the process ends.
bool AnotherScreenSaverRuns()
{
    const HANDLE running = CreateMutexW(nullptr, FALSE, L"Local\\clickshow screen saver");
    return running && GetLastError() == ERROR_ALREADY_EXISTS;
}

int Screensaver(const std::vector<std::string> &arguments)
{
    const player::SaverRequest request = player::ReadSaverArguments(arguments);
    switch (request.mode) {
    case player::SaverRequest::Mode::Play: {
        if (AnotherScreenSaverRuns())
            return 0;
        win32::Player player(win32::Form1::Frame::ScreenSaver, win32::FinaleSeconds());
        if (const Status started = player.Start(); !started.ok())
            return Fail(win32::Wide(started.message()), 1);
        return player.Run();
    }
    case player::SaverRequest::Mode::Preview:
        return win32::RunPreview(reinterpret_cast<HWND>(request.window));
    case player::SaverRequest::Mode::Settings:
        win32::ShowSettings(reinterpret_cast<HWND>(request.window));
        return 0;
    case player::SaverRequest::Mode::None:
        break;
    }
    if (!request.problem.empty())
        return Fail(win32::Wide(request.problem), 2);
    return Fail(L"a screen saver takes /s, /p HWND or /c", 2);
}

bool Asks(const std::vector<std::string> &arguments, std::initializer_list<const char *> names)
{
    for (const std::string &argument : arguments) {
        for (const char *name : names) {
            if (argument == name)
                return true;
        }
    }
    return false;
}

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    const std::vector<std::string> arguments = Arguments();
    // Asked of either program, before a screen saver's letters.
    if (Asks(arguments, {"--help", "-h", "/?", "-?", "/h", "/H"})) {
        Tell(kHelp, false);
        return 0;
    }
    if (Asks(arguments, {"--version", "-v", "/v", "/V"})) {
        Tell(L"clickshow " CLICKSHOW_VERSION_WIDE L"\n", false);
        return 0;
    }
#ifdef CLICKSHOW_SCREEN_SAVER
    if (arguments.empty())
        return Screensaver(arguments);
#endif
    if (!arguments.empty() && SaverForm(arguments[0]))
        return Screensaver(arguments);

    bool fullScreen = false;
    double loop = -1;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string &argument = arguments[i];
        if (argument == "--record" || argument.rfind("--record=", 0) == 0)
            return Fail(L"recording is in the Linux build of clickshow", 2);
        if (argument == "--fullscreen") {
            fullScreen = true;
        } else if (argument == "--loop") {
            if (i + 1 == arguments.size() || !player::ReadLoopSeconds(arguments[++i], loop))
                return Fail(L"--loop takes seconds from 0 to " + std::to_wstring(int(player::kLoopSecondsMost)), 2);
        } else {
            return Fail(L"unknown argument \"" + win32::Wide(argument) + L"\" (--help tells them)", 2);
        }
    }
    win32::Player player(win32::Form1::Frame::Window, loop);
    if (const Status started = player.Start(nullptr, fullScreen); !started.ok())
        return Fail(win32::Wide(started.message()), 1);
    return player.Run();
}
