#include "displaylink.h"

#include <QGuiApplication>

#include <xcb/xcb.h>

bool DisplayConnectionLost()
{
    const auto *x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 && x11->connection() && xcb_connection_has_error(x11->connection()) != 0;
}
