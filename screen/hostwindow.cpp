// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#include "hostwindow.h"

#include <QGuiApplication>

#include <cstdlib>
#include <memory>

#include <xcb/xcb.h>

namespace {

xcb_connection_t *Connection()
{
    const auto *x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->connection() : nullptr;
}

struct Geometry
{
    bool found = false;
    QSize size;
    unsigned long root = 0;
};

Geometry Ask(unsigned long window)
{
    xcb_connection_t *connection = Connection();
    if (!connection)
        return {};
    const std::unique_ptr<xcb_get_geometry_reply_t, decltype(&std::free)> reply(
        xcb_get_geometry_reply(connection, xcb_get_geometry(connection, xcb_drawable_t(window)), nullptr),
        &std::free);
    if (!reply)
        return {};
    return {true, QSize(reply->width, reply->height), reply->root};
}

} // namespace

Status FindHostWindow(unsigned long given, unsigned long &window)
{
    window = given;
    if (!window) {
        bool named = false;
        window = qEnvironmentVariable("XSCREENSAVER_WINDOW").toULong(&named, 0);
        if (!named) {
            xcb_connection_t *connection = Connection();
            if (!connection)
                return Status::Error("no X display to draw on");
            window = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
        }
    }
    if (!Ask(window).found)
        return Status::Error(QStringLiteral("there is no X window 0x%1 to draw on").arg(window, 0, 16).toStdString());
    return Status::Ok();
}

QSize HostWindowSize(unsigned long window)
{
    return Ask(window).size;
}

bool IsRootWindow(unsigned long window)
{
    const Geometry geometry = Ask(window);
    return geometry.found && geometry.root == window;
}
