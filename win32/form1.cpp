// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#include "form1.h"

#include "resources.h"

#include "show/design.h"

#include <windowsx.h>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace win32 {

namespace {

constexpr wchar_t kClass[] = L"clickshow.Form1";

player::Key KeyOf(WPARAM key)
{
    switch (key) {
    case VK_SPACE:
        return player::Key::Space;
    case VK_RETURN: // the keypad's Enter too
        return player::Key::Return;
    case VK_F11:
        return player::Key::F11;
    case VK_ESCAPE:
        return player::Key::Escape;
    case 'Q':
        return player::Key::Q;
    case 'W':
        return player::Key::W;
    default:
        return player::Key::Other;
    }
}

unsigned Modifiers()
{
    const auto down = [](int key) { return GetKeyState(key) < 0; };
    return (down(VK_SHIFT) ? player::kShift : 0u) | (down(VK_CONTROL) ? player::kControl : 0u)
        | (down(VK_MENU) ? player::kAlt : 0u) | (down(VK_LWIN) || down(VK_RWIN) ? player::kMeta : 0u);
}

bool Intersect(RECT &out, const RECT &a, const RECT &b)
{
    return IntersectRect(&out, &a, &b) != FALSE;
}

} // namespace

Form1::Form1(CaptionFace &face)
    : face_(face)
    , picture_(canvas::Rgb(GetRValue(GetSysColor(COLOR_BTNFACE)), GetGValue(GetSysColor(COLOR_BTNFACE)),
                           GetBValue(GetSysColor(COLOR_BTNFACE))))
{
}

Form1::~Form1()
{
    if (window_) {
        SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
        DestroyWindow(window_);
    }
}

Status Form1::Create(Frame frame, HWND parent, RECT monitor)
{
    frame_ = frame;
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = &Form1::Procedure;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(kIconResource));
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = kClass;
    RegisterClassExW(&windowClass); // once a process; a second time fails harmlessly

    DWORD style = WS_OVERLAPPEDWINDOW, extended = 0;
    RECT area{0, 0, 0, 0};
    if (frame == Frame::Window) {
        dpi_ = GetDpiForSystem();
        area = {0, 0, MulDiv(show::kDesignWidth, int(dpi_), 96), MulDiv(show::kDesignHeight, int(dpi_), 96)};
        AdjustWindowRectExForDpi(&area, style, FALSE, extended, dpi_);
        area = {CW_USEDEFAULT, CW_USEDEFAULT, area.right - area.left, area.bottom - area.top};
    } else if (frame == Frame::ScreenSaver) {
        style = WS_POPUP;
        extended = WS_EX_TOPMOST;
        area = {monitor.left, monitor.top, monitor.right - monitor.left, monitor.bottom - monitor.top};
    } else {
        style = WS_CHILD;
        RECT parentArea{};
        GetClientRect(parent, &parentArea);
        area = {0, 0, parentArea.right, parentArea.bottom};
    }
    window_ = CreateWindowExW(extended, kClass, L"Form1", style, area.left, area.top, area.right, area.bottom, parent,
                              nullptr, instance, this);
    if (!window_)
        return Status::Error("cannot make a window");
    dpi_ = GetDpiForWindow(window_);
    if (frame == Frame::Window) {
        // The monitor it opened on may not be at the system's dots an inch.
        RECT wanted{0, 0, MulDiv(show::kDesignWidth, int(dpi_), 96), MulDiv(show::kDesignHeight, int(dpi_), 96)};
        AdjustWindowRectExForDpi(&wanted, style, FALSE, extended, dpi_);
        SetWindowPos(window_, nullptr, 0, 0, wanted.right - wanted.left, wanted.bottom - wanted.top,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (!Layout())
        return Status::Error("out of memory for the window's picture");
    ShowWindow(window_, SW_SHOW);
    UpdateWindow(window_);
    return Status::Ok();
}

LRESULT CALLBACK Form1::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto *form = static_cast<Form1 *>(reinterpret_cast<CREATESTRUCTW *>(lParam)->lpCreateParams);
        form->window_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
    }
    auto *form = reinterpret_cast<Form1 *>(GetWindowLongPtrW(window, GWLP_USERDATA));
    return form ? form->Handle(message, wParam, lParam) : DefWindowProcW(window, message, wParam, lParam);
}

// The client area's size, its dots an inch and the way the picture stands
// in it: the canvas held again, drawn again from its outlines, and the back
// buffer made anew.
bool Form1::Layout()
{
    RECT client{};
    GetClientRect(window_, &client);
    client_ = {std::max<LONG>(client.right, 1), std::max<LONG>(client.bottom, 1)};
    canvas::Canvas &canvas = picture_.canvas();
    bool held = false;
    if (Fitted()) {
        fit_ = player::FitDesign(client_.cx, client_.cy);
        origin_ = {fit_.picture.x, fit_.picture.y};
        held = canvas.Hold({0, 0, show::kDesignWidth, show::kDesignHeight}, fit_.scale);
    } else {
        origin_ = {0, 0};
        const double ratio = dpi_ / 96.0;
        held = canvas.Hold({0, 0, int(client_.cx / ratio), int(client_.cy / ratio)}, ratio);
    }
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), client_.cx, -client_.cy, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void *bits = nullptr;
    backDc_.reset(CreateCompatibleDC(nullptr));
    back_.reset(CreateDIBSection(backDc_.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    backBits_ = static_cast<std::uint32_t *>(bits);
    if (!held || !backDc_ || !back_) {
        failed_ = true;
        return false;
    }
    SelectObject(backDc_.get(), back_.get());
    std::fill(backBits_, backBits_ + std::size_t(client_.cx) * std::size_t(client_.cy), 0u); // black
    Present({0, 0, client_.cx, client_.cy});
    return true;
}

// The canvas's device pixels, in the client area.
RECT Form1::ToClient(const canvas::Rect &device) const
{
    return {origin_.x + device.x, origin_.y + device.y, origin_.x + device.x + device.width,
            origin_.y + device.y + device.height};
}

RECT Form1::CaptionArea(show::Label label) const
{
    const canvas::Rect box = player::Picture::CaptionRect(label);
    const double scale = picture_.canvas().ratio();
    return {origin_.x + LONG(std::floor(box.x * scale)), origin_.y + LONG(std::floor(box.y * scale)),
            origin_.x + LONG(std::ceil((box.x + box.width) * scale)),
            origin_.y + LONG(std::ceil((box.y + box.height) * scale))};
}

// At once: into the back buffer, the captions over it, onto the window,
// flushed before the pause that follows.
void Form1::Present(RECT area)
{
    const canvas::Canvas &canvas = picture_.canvas();
    RECT part{};
    if (!canvas.isNull() && Intersect(part, area, ToClient(canvas.rect()))) {
        for (LONG y = part.top; y < part.bottom; ++y)
            std::memcpy(backBits_ + std::size_t(y) * std::size_t(client_.cx) + part.left,
                        canvas.line(y - origin_.y) + (part.left - origin_.x),
                        std::size_t(part.right - part.left) * sizeof(canvas::Pixel));
    }
    for (const show::Label label : {show::Label::Top, show::Label::Words}) {
        RECT caption = CaptionArea(label);
        if (picture_.caption(label).shown && Intersect(part, area, caption))
            UnionRect(&area, &area, &caption);
    }
    GdiFlush();
    face_.Paint(backDc_.get(), picture_, canvas.ratio(), origin_);
    GdiFlush();
    const WindowDc dc(window_);
    BitBlt(dc, area.left, area.top, area.right - area.left, area.bottom - area.top, backDc_.get(), area.left,
           area.top, SRCCOPY);
    GdiFlush();
    // A wait that does not wait, and takes no message: Wine puts drawing on
    // the screen at once only for a program it has seen idle lately.
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 0, QS_ALLINPUT);
}

float Form1::ClientWidth()
{
    return Fitted() ? float(show::kDesignWidthTwips) : float(picture_.canvas().area().width * show::kTwipsPerPixel);
}

float Form1::ClientHeight()
{
    return Fitted() ? float(show::kDesignHeightTwips) : float(picture_.canvas().area().height * show::kTwipsPerPixel);
}

bool Form1::Take(const player::Call &call)
{
    if (failed_ || !window_) // gone: a preview's host closed, say
        return false;
    const player::Change change = picture_.Apply(call);
    if (change.filled)
        Present(ToClient(picture_.canvas().rect()));
    else if (!change.pixels.empty())
        Present(ToClient(change.pixels));
    for (const show::Label label : {show::Label::Top, show::Label::Words}) {
        if (change.captions & (1u << int(label)))
            Present(CaptionArea(label));
    }
    return true;
}

void Form1::BeginShow()
{
    rules_.Handle(player::Event::ShowStarted());
}

// On the clock of GetMessageTime().
void Form1::EndShow()
{
    rules_.Handle(player::Event::ShowEnded(GetTickCount()));
}

void Form1::Follow()
{
    RECT area{};
    RECT own{};
    const HWND parent = GetParent(window_);
    if (frame_ != Frame::Preview || !parent || !GetClientRect(parent, &area) || !GetClientRect(window_, &own))
        return;
    if (area.right != own.right || area.bottom != own.bottom)
        SetWindowPos(window_, nullptr, 0, 0, area.right, area.bottom, SWP_NOZORDER | SWP_NOACTIVATE);
}

// The whole monitor the window is on, the picture fitted on black; F11 or
// Esc gives back the window as it was.
void Form1::SetFullScreen(bool on)
{
    if (on == fullScreen_ || frame_ != Frame::Window)
        return;
    fullScreen_ = on;
    if (on) {
        placement_.length = sizeof placement_;
        GetWindowPlacement(window_, &placement_);
        style_ = GetWindowLongPtrW(window_, GWL_STYLE);
        MONITORINFO monitor{};
        monitor.cbSize = sizeof monitor;
        GetMonitorInfoW(MonitorFromWindow(window_, MONITOR_DEFAULTTONEAREST), &monitor);
        SetWindowLongPtrW(window_, GWL_STYLE, (style_ & ~WS_OVERLAPPEDWINDOW) | WS_POPUP);
        const RECT &screen = monitor.rcMonitor;
        SetWindowPos(window_, HWND_TOP, screen.left, screen.top, screen.right - screen.left, screen.bottom - screen.top,
                     SWP_FRAMECHANGED | SWP_SHOWWINDOW);
    } else {
        SetWindowLongPtrW(window_, GWL_STYLE, style_);
        SetWindowPlacement(window_, &placement_);
        SetWindowPos(window_, nullptr, 0, 0, 0, 0,
                     SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_SHOWWINDOW);
    }
    rules_.Handle(player::Event::FullScreenChanged(on));
    Layout();
}

// A point of the client area as a point of the design's.
void Form1::Input(const player::Event &event)
{
    player::Event design = event;
    if (Fitted()) {
        design.x = fit_.DesignX(event.x);
        design.y = fit_.DesignY(event.y);
    } else {
        design.x = event.x * 96 / dpi_;
        design.y = event.y * 96 / dpi_;
    }
    const player::Action action = rules_.Handle(design);
    switch (action) {
    case player::Action::Play:
        if (playRequested)
            playRequested();
        break;
    case player::Action::Close:
        DestroyWindow(window_);
        break;
    case player::Action::FullScreenOn:
    case player::Action::FullScreenOff:
        SetFullScreen(action == player::Action::FullScreenOn);
        break;
    case player::Action::None:
    case player::Action::LetGo:
        break;
    }
}

// A screen saver's input, told to the player: true if it was input.
bool Form1::SaverMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    using What = player::SaverInput::What;
    POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    What what = What::Button;
    switch (message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        what = lParam & (1 << 30) ? What::KeyHeld : What::KeyDown; // down already: a repeat
        break;
    case WM_KEYUP:
    case WM_SYSKEYUP:
        what = What::KeyUp;
        break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_XBUTTONDOWN:
        break;
    case WM_MOUSEWHEEL:
    case WM_MOUSEHWHEEL:
        what = What::Wheel;
        break;
    case WM_MOUSEMOVE:
        what = What::Move;
        ClientToScreen(window_, &at); // each monitor has a window of its own
        break;
    case WM_ACTIVATEAPP:
        if (wParam)
            return false;
        what = What::Deactivated;
        break;
    default:
        return false;
    }
    if (saverInput)
        saverInput(what, at);
    return true;
}

LRESULT Form1::Handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    const bool saver = frame_ == Frame::ScreenSaver;
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT paint;
        const HDC dc = BeginPaint(window_, &paint);
        const RECT &area = paint.rcPaint;
        BitBlt(dc, area.left, area.top, area.right - area.left, area.bottom - area.top, backDc_.get(), area.left,
               area.top, SRCCOPY);
        EndPaint(window_, &paint);
        if (painted)
            painted();
        return 0;
    }
    case WM_ERASEBKGND:
        return 1; // every pixel comes from the back buffer
    case WM_SIZE:
        if (wParam != SIZE_MINIMIZED && backDc_)
            Layout();
        return 0;
    case WM_DPICHANGED: {
        dpi_ = HIWORD(wParam);
        const RECT *suggested = reinterpret_cast<const RECT *>(lParam);
        SetWindowPos(window_, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                     suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
        Layout();
        return 0;
    }
    case WM_TIMER:
        if (timer)
            timer(wParam);
        return 0;
    case WM_SETCURSOR:
        if (saver) {
            SetCursor(nullptr);
            return TRUE;
        }
        break;
    case WM_SYSCOMMAND:
        // A screen saver that runs is not started again.
        if (saver && (wParam & 0xfff0) == SC_SCREENSAVE)
            return 0;
        break;
    default:
        break;
    }
    if (saver && SaverMessage(message, wParam, lParam))
        return 0;
    switch (message) {
    case WM_CLOSE:
        if (rules_.Handle(player::Event::CloseAsked()) != player::Action::None)
            DestroyWindow(window_);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        window_ = nullptr;
        return 0;
    default:
        break;
    }
    if (saver || frame_ == Frame::Preview)
        return DefWindowProcW(window_, message, wParam, lParam);

    const double x = GET_X_LPARAM(lParam), y = GET_Y_LPARAM(lParam);
    switch (message) {
    case WM_LBUTTONDOWN:
        SetCapture(window_); // its release comes here, wherever it is
        Input(player::Event::Press(x, y));
        return 0;
    case WM_LBUTTONDBLCLK:
        Input(player::Event::Press(x, y, player::Button::Primary, 2));
        return 0;
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        Input(player::Event::Press(x, y, player::Button::Other));
        return 0;
    case WM_LBUTTONUP:
        ReleaseCapture();
        Input(player::Event::Release(x, y));
        return 0;
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
        Input(player::Event::Release(x, y, player::Button::Other));
        return 0;
    case WM_KEYDOWN: {
        const player::Key key = KeyOf(wParam);
        if (key == player::Key::Other)
            break;
        Input(player::Event::KeyDown(key, Modifiers(), (lParam & (1 << 30)) != 0, std::uint32_t(GetMessageTime())));
        return 0;
    }
    default:
        break;
    }
    return DefWindowProcW(window_, message, wParam, lParam);
}

} // namespace win32
