// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#include "settings.h"

#include "handles.h"
#include "resources.h"

#include "player/limits.h"

#include <algorithm>
#include <string>

namespace win32 {

namespace {

constexpr wchar_t kKey[] = L"Software\\clickshow";
constexpr wchar_t kValue[] = L"FinaleSeconds";

INT_PTR CALLBACK Procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        SetDlgItemInt(dialog, kSettingsSeconds, UINT(FinaleSeconds()), FALSE);
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) {
            BOOL read = FALSE;
            const UINT seconds = GetDlgItemInt(dialog, kSettingsSeconds, &read, FALSE);
            if (!read || seconds > UINT(player::kLoopSecondsMost)) {
                const std::wstring most = std::to_wstring(int(player::kLoopSecondsMost));
                MessageBoxW(dialog, (L"A final picture stands 0 to " + most + L" seconds.").c_str(), L"clickshow",
                            MB_OK | MB_ICONWARNING);
                return TRUE;
            }
            if (!SaveFinaleSeconds(int(seconds)))
                MessageBoxW(dialog, L"The setting could not be saved.", L"clickshow", MB_OK | MB_ICONERROR);
            EndDialog(dialog, IDOK);
            return TRUE;
        }
        if (LOWORD(wParam) == IDCANCEL) {
            EndDialog(dialog, IDCANCEL);
            return TRUE;
        }
        break;
    default:
        break;
    }
    return FALSE;
}

} // namespace

int FinaleSeconds()
{
    DWORD seconds = 0, size = sizeof seconds;
    if (RegGetValueW(HKEY_CURRENT_USER, kKey, kValue, RRF_RT_REG_DWORD, nullptr, &seconds, &size) != ERROR_SUCCESS)
        return int(player::kSaverFinaleSeconds);
    return int(std::min<DWORD>(seconds, DWORD(player::kLoopSecondsMost)));
}

bool SaveFinaleSeconds(int seconds)
{
    HKEY opened = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &opened, nullptr)
        != ERROR_SUCCESS)
        return false;
    const Key key(opened);
    const DWORD value = DWORD(seconds);
    return RegSetValueExW(key.get(), kValue, 0, REG_DWORD, reinterpret_cast<const BYTE *>(&value), sizeof value)
        == ERROR_SUCCESS;
}

void ShowSettings(HWND owner)
{
    DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(kSettingsDialog), owner, &Procedure, 0);
}

} // namespace win32
