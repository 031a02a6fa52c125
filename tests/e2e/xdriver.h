// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#pragma once

// Drives a real X server the way a person at the screen would: clicks through
// XTest, close requests through the window manager protocol, and eyes through
// XGetImage. No toolkit of its own.

#include <QImage>
#include <QPoint>
#include <QRgb>
#include <QString>


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

    // Whether a window manager runs on the display (it has announced itself
    // with _NET_SUPPORTING_WM_CHECK).
    bool HasWindowManager();
    bool WaitForWindowManager(int timeoutMs);

    // The viewable client window with this title, or 0. Under a reparenting window manager it is found
    // through the frame, as the one that carries WM_STATE.
    XWindow FindWindow(const QString &title);
    QSize Size(XWindow window);
    // The window's pixels, or those of an area of it.
    QImage Grab(XWindow window, QRect area = {});

    void Click(XWindow window, QPoint at, unsigned button = 1);
    void Hover(XWindow window, QPoint at);
    void Press(XWindow window, QPoint at, unsigned button = 1);
    void Release(unsigned button = 1);
    // As the title bar's close button does: through the window manager when
    // one runs, else the WM_DELETE_WINDOW message itself.
    void RequestClose(XWindow window);
    void Resize(XWindow window, int width, int height);
    // Iconified through the window manager when one runs, else unmapped;
    // then mapped again.
    void Minimize(XWindow window);
    void Restore(XWindow window);

    // A plain window of our own, mapped over the given area.
    XWindow Cover(QRect area);
    void Destroy(XWindow window);

private:
    void MoveTo(XWindow window, QPoint at);
    QString Title(XWindow window);
    XWindow ClientOf(XWindow window);
    void SendMessage(const char *message, XWindow window, long data0, long data1, bool toRoot);

    _XDisplay *display_;
};

// The colour most of a picture shows: the backdrop, under the outlines.
QRgb Backdrop(const QImage &image);
bool HasColourIn(const QImage &image, const QRect &area, QRgb colour);
// A freshly opened, painted window: one colour corner to corner, not black.
bool IsEmptyPainted(const QImage &image);
