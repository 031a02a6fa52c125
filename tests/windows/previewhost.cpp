// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

// A window of the size of the screen saver settings' preview, with the
// preview in it. In one process by default, as Wine shows no child window
// of another process's window (Windows does, for /p); R makes it 320 x 240.
// With --apart the preview is clickshow.scr /p HWND, as Windows runs it:
// the host asks it a few times over a show whether it answers (as Windows
// asks a window that may hang), then closes. The exit status says whether
// the preview answered and ended with its host (0), never came (2), ended
// not (3) or answered not (4).

#include "win32/player.h"

#include <string>

namespace {

LRESULT CALLBACK Host(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_KEYDOWN && wParam == 'R')
        SetWindowPos(window, nullptr, 0, 0, 320, 240, SWP_NOMOVE | SWP_NOZORDER);
    if (message == WM_DESTROY)
        PostQuitMessage(0);
    return DefWindowProcW(window, message, wParam, lParam);
}

int Apart(HWND host)
{
    wchar_t program[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, program, MAX_PATH);
    std::wstring saver(program, length);
    saver = saver.substr(0, saver.find_last_of(L"\\/") + 1) + L"clickshow.scr";
    std::wstring command = L"\"" + saver + L"\" /p " + std::to_wstring(reinterpret_cast<std::uintptr_t>(host));
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION preview{};
    if (!CreateProcessW(saver.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &preview))
        return 2;
    int status = 0;
    HWND shown = nullptr;
    for (int tries = 0; !shown && tries < 100; ++tries) {
        Sleep(100);
        shown = FindWindowExW(host, nullptr, L"clickshow.Form1", nullptr);
    }
    DWORD_PTR answer = 0;
    for (int asked = 0; shown && status == 0 && asked < 12; ++asked) {
        Sleep(300);
        if (!SendMessageTimeoutW(shown, WM_NULL, 0, 0, SMTO_NORMAL, 500, &answer))
            status = 4;
    }
    DestroyWindow(host);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0)
        DispatchMessageW(&message);
    if (WaitForSingleObject(preview.hProcess, 10000) != WAIT_OBJECT_0)
        status = 3;
    CloseHandle(preview.hThread);
    CloseHandle(preview.hProcess);
    return shown ? status : 2;
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR arguments, int)
{
    WNDCLASSW host{};
    host.lpfnWndProc = Host;
    host.hInstance = instance;
    host.lpszClassName = L"preview host";
    RegisterClassW(&host);
    // No frame: a title bar would make it wider than a preview.
    const HWND window = CreateWindowW(L"preview host", L"preview host", WS_POPUP | WS_VISIBLE, 40, 40, 152, 112,
                                      nullptr, nullptr, instance, nullptr);
    if (!window)
        return 1;
    return std::wstring(arguments) == L"--apart" ? Apart(window) : win32::RunPreview(window);
}
