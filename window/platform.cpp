// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#include "platform.h"

#include <QAbstractNativeEventFilter>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QPointer>
#include <QWidget>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <ctime>

#include <xcb/xcb.h>

namespace {

// Kept open until Qt has its own connection: an X server whose last client
// leaves resets itself, which costs a fresh Xvfb some 70 ms.
xcb_connection_t *probe = nullptr;

// A Wayland display is a socket: WAYLAND_DISPLAY, a name under
// XDG_RUNTIME_DIR or an absolute path.
bool CanConnectToWayland(const QString &name)
{
    const QString path = QDir::isAbsolutePath(name)
        ? name
        : qEnvironmentVariable("XDG_RUNTIME_DIR") + QLatin1Char('/') + name;
    const QByteArray bytes = QFile::encodeName(path);
    sockaddr_un address{};
    if (bytes.size() >= int(sizeof address.sun_path))
        return false;
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, bytes.constData(), size_t(bytes.size()));
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    const bool connected = ::connect(fd, reinterpret_cast<sockaddr *>(&address), sizeof address) == 0;
    close(fd);
    return connected;
}

class DestructionFilter : public QAbstractNativeEventFilter
{
public:
    DestructionFilter(QWidget *window, std::function<void()> destroyed)
        : window_(window)
        , destroyed_(std::move(destroyed))
    {
    }

    bool nativeEventFilter(const QByteArray &type, void *message, qintptr *) override
    {
        if (type != "xcb_generic_event_t")
            return false;
        const auto *event = static_cast<const xcb_generic_event_t *>(message);
        if ((event->response_type & 0x7f) != XCB_DESTROY_NOTIFY)
            return false;
        const auto *destroy = static_cast<const xcb_destroy_notify_event_t *>(message);
        if (window_ && destroy->window == window_->internalWinId())
            destroyed_();
        return false;
    }

private:
    QPointer<QWidget> window_;
    std::function<void()> destroyed_;
};

} // namespace

void ChoosePlatformDefaults()
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
        if (!qEnvironmentVariableIsEmpty("DISPLAY"))
            qputenv("QT_QPA_PLATFORM", "xcb");
        else if (!qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
            qputenv("QT_QPA_PLATFORM", "wayland");
    }
}

Status CheckDisplay()
{
    const QString platform = qEnvironmentVariable("QT_QPA_PLATFORM");
    if (platform.isEmpty() || platform == QLatin1String("xcb")) {
        const QString display = qEnvironmentVariable("DISPLAY");
        if (display.isEmpty() && !platform.isEmpty())
            return Status::Error("no X display is set (DISPLAY is empty, and QT_QPA_PLATFORM asks for xcb)");
        if (display.isEmpty())
            return Status::Error("no display is set (DISPLAY and WAYLAND_DISPLAY are both empty)");
        ReleaseDisplayProbe();
        int number = 0;
        probe = xcb_connect(display.toLocal8Bit().constData(), &number);
        if (xcb_connection_has_error(probe) != 0) {
            ReleaseDisplayProbe();
            return Status::Error(QStringLiteral("cannot open the display \"%1\"").arg(display).toStdString());
        }
        // Asked here, before Qt tries and fails to paint with a warning of
        // its own for every widget.
        xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(probe));
        for (int i = 0; i < number && screens.rem; ++i)
            xcb_screen_next(&screens);
        if (screens.rem && screens.data->root_depth < 16)
            return Status::Error(QStringLiteral("cannot draw on this display (it has %1-bit colour; clickshow needs "
                                                "16-bit colour or more)")
                                     .arg(screens.data->root_depth)
                                     .toStdString());
    } else if (platform == QLatin1String("wayland")) {
        const QString display = qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")
            ? QStringLiteral("wayland-0")
            : qEnvironmentVariable("WAYLAND_DISPLAY");
        if (!CanConnectToWayland(display))
            return Status::Error(QStringLiteral("cannot open the Wayland display \"%1\"").arg(display).toStdString());
    }
    return Status::Ok();
}

void ReleaseDisplayProbe()
{
    if (probe)
        xcb_disconnect(probe);
    probe = nullptr;
}

namespace {

// The X server's time, the one its input events carry: a property changed
// on a window of our own comes back stamped with it. A connection of our
// own, as Qt's reads its events on a thread of its own.
class ServerClock
{
public:
    ServerClock()
        : connection_(xcb_connect(nullptr, nullptr))
    {
        if (xcb_connection_has_error(connection_))
            return;
        const xcb_screen_t *screen = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data;
        window_ = xcb_generate_id(connection_);
        const std::uint32_t events = XCB_EVENT_MASK_PROPERTY_CHANGE;
        xcb_create_window(connection_, 0, window_, screen->root, 0, 0, 1, 1, 0, XCB_WINDOW_CLASS_INPUT_ONLY,
                          XCB_COPY_FROM_PARENT, XCB_CW_EVENT_MASK, &events);
    }
    ~ServerClock() { xcb_disconnect(connection_); }

    bool Now(std::uint32_t &time)
    {
        if (!window_ || xcb_connection_has_error(connection_))
            return false;
        xcb_change_property(connection_, XCB_PROP_MODE_APPEND, window_, XCB_ATOM_WM_NAME, XCB_ATOM_STRING, 8, 0,
                            nullptr);
        xcb_flush(connection_);
        while (xcb_generic_event_t *event = xcb_wait_for_event(connection_)) {
            const bool stamped = (event->response_type & 0x7f) == XCB_PROPERTY_NOTIFY;
            if (stamped)
                time = reinterpret_cast<xcb_property_notify_event_t *>(event)->time;
            std::free(event);
            if (stamped)
                return true;
        }
        return false;
    }

private:
    xcb_connection_t *connection_;
    xcb_window_t window_ = 0;
};

} // namespace

std::uint32_t InputClockNow()
{
    if (QGuiApplication::platformName() == QLatin1String("xcb")) {
        static ServerClock server;
        std::uint32_t time = 0;
        if (server.Now(time))
            return time;
    }
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return std::uint32_t(std::uint64_t(now.tv_sec) * 1000 + std::uint64_t(now.tv_nsec) / 1000000);
}

bool DisplayConnectionLost()
{
    const auto *x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 && x11->connection() && xcb_connection_has_error(x11->connection()) != 0;
}

std::unique_ptr<QAbstractNativeEventFilter> WatchForDestruction(QWidget *window,
                                                               std::function<void()> destroyed)
{
    auto filter = std::make_unique<DestructionFilter>(window, std::move(destroyed));
    QCoreApplication::instance()->installNativeEventFilter(filter.get());
    return filter;
}
