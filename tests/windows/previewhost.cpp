// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

// A window of the size of the screen saver settings' preview, with the
// preview in it, in one process: Wine shows no child window of another
// process's window, as Windows does for /p.

#include "win32/player.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int)
{
    WNDCLASSW host{};
    host.lpfnWndProc = DefWindowProcW;
    host.hInstance = instance;
    host.lpszClassName = L"preview host";
    RegisterClassW(&host);
    // No frame: a title bar would make it wider than a preview.
    const HWND window = CreateWindowW(L"preview host", L"preview host", WS_POPUP | WS_VISIBLE, 40, 40, 152, 112,
                                      nullptr, nullptr, instance, nullptr);
    return window ? win32::RunPreview(window) : 1;
}
