// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#pragma once

// Drives a real X server the way a person at the screen would: clicks through
// XTest, close requests through the window manager protocol, and eyes through
// XGetImage. No toolkit of its own.

#include "picture.h"

#include <QImage>
#include <QPoint>
#include <QRgb>
#include <QString>

#include <functional>


struct _XDisplay;

// An X window id, kept free of Xlib's macros in headers that Qt also sees.
using XWindow = unsigned long;

class XDriver
{
public:
    explicit XDriver(const QString &display);
    ~XDriver();
    XDriver(const XDriver &) = delete;
    XDriver &operator=(const XDriver &) = delete;

    bool isOpen() const { return display_ != nullptr; }
    // Its server is about to go: let the connection go unused, as Xlib
    // would end the process on the first request to a dead server.
    void Abandon();

    // Whether a window manager runs on the display (it has announced itself
    // with _NET_SUPPORTING_WM_CHECK).
    bool HasWindowManager();
    bool WaitForWindowManager(int timeoutMs);

    // Whether a compositing manager runs (it owns _NET_WM_CM_S0). Then
    // what a window holds and what the screen shows may differ.
    bool HasCompositor();

    // The viewable client window with this title, or 0. Under a reparenting window manager it is found
    // through the frame, as the one that carries WM_STATE.
    XWindow FindWindow(const QString &title);
    QSize Size(XWindow window);
    QSize ScreenSize();
    // Where a window lies on the screen, in root coordinates.
    QRect OnScreen(XWindow window);
    // The window's pixels, or those of an area of it.
    QImage Grab(XWindow window, QRect area = {});
    // What the screen shows in an area: with a compositing manager, the
    // composited picture.
    QImage GrabScreen(QRect area);

    void Click(XWindow window, QPoint at, unsigned button = 1);
    // A key, by its X keysym name ("F11", "space"), as typed into `window`,
    // with the modifiers named before it ("ctrl+q"). Held `heldMs`, it
    // repeats as a held key does.
    void Key(XWindow window, const QString &keys, int heldMs = 0);
    // One key down, or up, alone: what the focus gets.
    void KeyEdge(const char *name, bool down);
    // Input to `window` from now on, as a click on it would give it.
    void Focus(XWindow window);
    void Hover(XWindow window, QPoint at);
    // The pointer to a point of the screen, or that far from where it is.
    void PointerTo(QPoint at);
    void PointerBy(QPoint by);
    void Press(XWindow window, QPoint at, unsigned button = 1);
    void Release(unsigned button = 1);
    // A button pressed and released where the pointer is (4 and 5 turn
    // the wheel).
    void Button(unsigned button);
    // As the title bar's close button does: through the window manager when
    // one runs, else the WM_DELETE_WINDOW message itself.
    void RequestClose(XWindow window);
    void Resize(XWindow window, int width, int height);
    // Moves the client area's top-left corner to a point of the screen, as
    // a drag of the title bar would: through the window manager when one
    // runs.
    void Move(XWindow window, QPoint topLeft);
    // Iconified through the window manager when one runs, else unmapped;
    // then mapped again.
    void Minimize(XWindow window);
    void Restore(XWindow window);

    // Sends _NET_WM_PING to the window and waits for the answer, calling
    // `meanwhile` until it comes (false from it gives up). A program
    // answers once it has handled every event before the ping: clicks,
    // moves, and the shows they started.
    bool Ping(XWindow window, int ceilingMs, const std::function<bool()> &meanwhile);

    // A plain window of our own, mapped over the given area.
    XWindow Cover(QRect area);
    void Destroy(XWindow window);

private:
    void MoveTo(XWindow window, QPoint at);
    QString Title(XWindow window);
    XWindow ClientOf(XWindow window);
    void SendMessage(const char *message, XWindow window, long data0, long data1, bool toRoot);

    _XDisplay *display_;
    unsigned long pings_ = 0;
};
