// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#pragma once

#include <windows.h>

namespace win32 {

// The screen saver's one setting, kept where Windows programs keep theirs:
// how long each final picture stands, under
// HKEY_CURRENT_USER\Software\clickshow, FinaleSeconds.
int FinaleSeconds();
bool SaveFinaleSeconds(int seconds);

// The settings dialog, owned by `owner` (the control panel's), if any.
void ShowSettings(HWND owner);

} // namespace win32
