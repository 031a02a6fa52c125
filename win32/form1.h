// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#pragma once

#include "captionface.h"
#include "handles.h"

#include "base/status.h"
#include "player/callsurface.h"
#include "player/inputrules.h"
#include "player/picture.h"
#include "player/saverinput.h"
#include "player/scaling.h"

#include <functional>

namespace win32 {

// The one window, as Windows draws it: the show's drawing surface, and
// where a person asks for a show. Every call goes into the players'
// picture and at once onto the window (a back buffer, blitted and flushed
// before the call returns); WM_PAINT draws it again from there, so a
// covered, minimized or moved window keeps its picture. Input is taken by
// the players' shared rules.
//
// In a window the client area is the design's at 96 dots an inch and
// grows with the monitor's; on the whole screen, as a screen saver (one
// window a monitor) and in a preview the design picture is fitted into the
// window, on black.
class Form1 : public player::CallSurface
{
public:
    enum class Frame { Window, ScreenSaver, Preview };

    explicit Form1(CaptionFace &face);
    ~Form1() override;
    Form1(const Form1 &) = delete;
    Form1 &operator=(const Form1 &) = delete;

    // A top-level window titled "Form1"; as a screen saver, one over
    // `monitor`; as a preview, a child covering `parent`'s client area.
    Status Create(Frame frame, HWND parent = nullptr, RECT monitor = {});
    HWND window() const { return window_; }
    void SetFullScreen(bool on);
    // A preview to its parent's client area, as it now is.
    void Follow();

    bool Take(const player::Call &call) override;
    void BeginShow() override;
    void EndShow() override;

    // The player plays a show now, before this returns.
    std::function<void()> playRequested;
    // The window was painted: it is on the screen.
    std::function<void()> painted;
    // A timer the player set has come.
    std::function<void(UINT_PTR id)> timer;
    // What a screen saver's window was given, for the player to judge: a
    // point of the screen for a move.
    std::function<void(player::SaverInput::What what, POINT at)> saverInput;

protected:
    float ClientWidth() override;
    float ClientHeight() override;

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    bool Fitted() const { return frame_ != Frame::Window || fullScreen_; }
    bool Layout();
    void Present(RECT area);
    RECT ToClient(const canvas::Rect &device) const;
    RECT CaptionArea(show::Label label) const;
    void Input(const player::Event &event);
    bool SaverMessage(UINT message, WPARAM wParam, LPARAM lParam);

    CaptionFace &face_;
    player::Picture picture_;
    player::InputRules rules_{picture_};
    Frame frame_ = Frame::Window;
    HWND window_ = nullptr;
    UINT dpi_ = 96;
    bool fullScreen_ = false;
    WINDOWPLACEMENT placement_{}; // the window's, before the whole screen
    LONG_PTR style_ = 0;
    player::Fit fit_;   // where the picture stands when fitted
    POINT origin_{};    // the picture's top-left corner in the client area
    SIZE client_{};     // device pixels
    MemoryDc backDc_;   // the client area as last presented
    Bitmap back_;
    std::uint32_t *backBits_ = nullptr;
    bool failed_ = false;
};

} // namespace win32
