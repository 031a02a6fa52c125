// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#pragma once

#include <windows.h>

#include <memory>
#include <type_traits>

// Every GDI and kernel handle the program makes is let go by its owner.
namespace win32 {

struct GdiObjectDeleter
{
    void operator()(void *object) const { DeleteObject(static_cast<HGDIOBJ>(object)); }
};
struct DcDeleter
{
    void operator()(HDC dc) const { DeleteDC(dc); }
};
struct FontResourceDeleter
{
    void operator()(HANDLE font) const { RemoveFontMemResourceEx(font); }
};
struct KeyDeleter
{
    void operator()(HKEY key) const { RegCloseKey(key); }
};

using Font = std::unique_ptr<std::remove_pointer_t<HFONT>, GdiObjectDeleter>;
using Bitmap = std::unique_ptr<std::remove_pointer_t<HBITMAP>, GdiObjectDeleter>;
using Brush = std::unique_ptr<std::remove_pointer_t<HBRUSH>, GdiObjectDeleter>;
using MemoryDc = std::unique_ptr<std::remove_pointer_t<HDC>, DcDeleter>;
using FontResource = std::unique_ptr<void, FontResourceDeleter>;
using Key = std::unique_ptr<std::remove_pointer_t<HKEY>, KeyDeleter>;

// A window's device context, for as long as it is drawn on.
class WindowDc
{
public:
    explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
    ~WindowDc() { ReleaseDC(window_, dc_); }
    WindowDc(const WindowDc &) = delete;
    WindowDc &operator=(const WindowDc &) = delete;
    operator HDC() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

// One object selected into a device context, put back when done.
class Selected
{
public:
    Selected(HDC dc, HGDIOBJ object) : dc_(dc), old_(SelectObject(dc, object)) {}
    ~Selected() { SelectObject(dc_, old_); }
    Selected(const Selected &) = delete;
    Selected &operator=(const Selected &) = delete;

private:
    HDC dc_;
    HGDIOBJ old_;
};

} // namespace win32
