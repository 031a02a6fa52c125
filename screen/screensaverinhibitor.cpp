// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#include "screensaverinhibitor.h"

#include <QDBusConnection>
#include <QDBusMessage>

namespace {

QDBusMessage Call(const QString &method, const QVariantList &arguments)
{
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.ScreenSaver"), QStringLiteral("/org/freedesktop/ScreenSaver"),
        QStringLiteral("org.freedesktop.ScreenSaver"), method);
    call.setArguments(arguments);
    return QDBusConnection::sessionBus().call(call, QDBus::Block, 1000);
}

} // namespace

ScreenSaverInhibitor::~ScreenSaverInhibitor()
{
    Hold(false);
}

void ScreenSaverInhibitor::Hold(bool held)
{
    if (held == held_)
        return;
    held_ = held;
    // With no session bus set, asking for one could start a bus of its own.
    if (qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS"))
        return;
    if (held) {
        const QDBusMessage reply = Call(QStringLiteral("Inhibit"),
                                        {QStringLiteral("clickshow"), QStringLiteral("the show plays in a loop")});
        cookie_ = reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty()
            ? reply.arguments().constFirst().toUInt()
            : 0;
    } else if (cookie_) {
        Call(QStringLiteral("UnInhibit"), {cookie_});
        cookie_ = 0;
    }
}
