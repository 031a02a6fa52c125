// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#include "screensaverplayer.h"

#include "hostwindow.h"

#include "show/showerror.h"

#include <QWindow>

ScreenSaverPlayer::ScreenSaverPlayer(unsigned long host, double loopSeconds,
                                     std::function<void(const QString &)> failed)
    : host_(host)
    , loopSeconds_(loopSeconds)
    , failed_(std::move(failed))
    , show_(form_, pacer_)
    , view_(form_)
{
    loop_.setSingleShot(true);
    QObject::connect(&loop_, &QTimer::timeout, &view_, [this] { Play(); });
}

void ScreenSaverPlayer::Start()
{
    form_.resize(form_.sizeHint());
    // The root window itself is no one's to hand over: over it, and past
    // any window manager.
    if (IsRootWindow(host_))
        view_.setWindowFlag(Qt::BypassWindowManagerHint);
    view_.winId();
    view_.windowHandle()->setParent(QWindow::fromWinId(WId(host_)));
    Follow();
    view_.show();
    loop_.start(0);
}

void ScreenSaverPlayer::Follow()
{
    const QSize size = HostWindowSize(host_) / view_.devicePixelRatioF();
    if (!size.isEmpty() && size != view_.size())
        view_.setGeometry(QRect(QPoint(0, 0), size));
}

void ScreenSaverPlayer::Play()
{
    Follow();
    form_.BeginShow();
    try {
        show_.PlayClickShow();
    } catch (const show::ShowError &error) {
        failed_(QString::fromUtf8(error.what()));
        return;
    }
    form_.EndShow();
    loop_.start(int(loopSeconds_ * 1000));
}
