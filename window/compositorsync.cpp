// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#include "compositorsync.h"

#include <QByteArray>
#include <QGuiApplication>
#include <QSocketNotifier>

#include <xcb/xcb.h>

#include <cstdlib>

namespace {

unsigned Intern(xcb_connection_t *connection, const QByteArray &name)
{
    xcb_intern_atom_reply_t *reply = xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 0, uint16_t(name.size()), name.constData()), nullptr);
    const unsigned atom = reply ? reply->atom : 0;
    std::free(reply);
    return atom;
}

} // namespace

std::unique_ptr<CompositorSync> CompositorSync::Create(QObject *parent)
{
    auto *x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (!x11 || !x11->connection())
        return nullptr;
    // A connection of our own: Qt's reads its events on another thread.
    int screen = 0;
    xcb_connection_t *connection = xcb_connect(qgetenv("DISPLAY").constData(), &screen);
    if (xcb_connection_has_error(connection)) {
        xcb_disconnect(connection);
        return nullptr;
    }
    std::unique_ptr<CompositorSync> sync(new CompositorSync(connection, screen));
    sync->setParent(parent);
    sync->windowConnection_ = x11->connection();
    return sync;
}

CompositorSync::CompositorSync(xcb_connection_t *connection, int screen)
    : connection_(connection)
    , screen_(screen)
{
    xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(connection_));
    for (int i = 0; i < screen_ && it.rem; ++i)
        xcb_screen_next(&it);
    root_ = it.data->root;
    requestAtom_ = Intern(connection_, "_NET_REQUEST_FRAME_EXTENTS");
    extentsAtom_ = Intern(connection_, "_NET_FRAME_EXTENTS");
    managerAtom_ = Intern(connection_, "_NET_WM_CM_S" + QByteArray::number(screen_));
    // Never mapped: the manager only writes a property on it.
    probe_ = xcb_generate_id(connection_);
    const uint32_t events = XCB_EVENT_MASK_PROPERTY_CHANGE;
    xcb_create_window(connection_, XCB_COPY_FROM_PARENT, probe_, root_, -1, -1, 1, 1, 0,
                      XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, XCB_CW_EVENT_MASK, &events);
    xcb_flush(connection_);
    compositor_ = CompositorRuns();
    notifier_ = std::make_unique<QSocketNotifier>(xcb_get_file_descriptor(connection_), QSocketNotifier::Read);
    connect(notifier_.get(), &QSocketNotifier::activated, this, [this] {
        const QRegion again = Read();
        if (!again.isEmpty())
            emit presentAgain(again);
    });
}

CompositorSync::~CompositorSync()
{
    notifier_.reset();
    xcb_disconnect(connection_);
}

bool CompositorSync::CompositorRuns()
{
    xcb_get_selection_owner_reply_t *reply = xcb_get_selection_owner_reply(
        connection_, xcb_get_selection_owner(connection_, managerAtom_), nullptr);
    const bool runs = reply && reply->owner != XCB_NONE;
    std::free(reply);
    return runs;
}

void CompositorSync::Refresh()
{
    compositor_ = CompositorRuns();
}

void CompositorSync::Drawn(const QRect &area)
{
    if (compositor_ || waiting_)
        Drawn(QRegion(area));
}

void CompositorSync::Drawn(const QRegion &region)
{
    if (!compositor_ && !waiting_)
        return;
    drawn_ += region;
    if (!waiting_)
        Send();
}

void CompositorSync::Send()
{
    if (drawn_.isEmpty() || !compositor_) {
        drawn_ = QRegion();
        return;
    }
    // What was drawn must reach the server before the request: a round
    // trip on the window's own connection.
    std::free(xcb_get_input_focus_reply(windowConnection_, xcb_get_input_focus(windowConnection_), nullptr));
    xcb_client_message_event_t request{};
    request.response_type = XCB_CLIENT_MESSAGE;
    request.format = 32;
    request.window = probe_;
    request.type = requestAtom_;
    xcb_send_event(connection_, 0, root_,
                   XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                   reinterpret_cast<const char *>(&request));
    xcb_flush(connection_);
    inFlight_ = std::exchange(drawn_, QRegion());
    waiting_ = true;
}

QRegion CompositorSync::Poll()
{
    return waiting_ ? Read() : QRegion();
}

// Every answer in: what to present again. A request sent here may bring
// in an answer on its way out (xcb reads while it writes, so the socket
// notifier never sees it): hence the loop.
QRegion CompositorSync::Read()
{
    QRegion again;
    for (;;) {
        while (xcb_generic_event_t *event = xcb_poll_for_event(connection_)) {
            const auto *property = reinterpret_cast<const xcb_property_notify_event_t *>(event);
            if ((event->response_type & 0x7f) == XCB_PROPERTY_NOTIFY && property->window == probe_
                && property->atom == extentsAtom_ && waiting_) {
                again += std::exchange(inFlight_, QRegion());
                waiting_ = false;
            }
            std::free(event);
        }
        if (waiting_ || drawn_.isEmpty())
            return again;
        Send();
    }
}
