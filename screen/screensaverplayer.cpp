// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#include "screensaverplayer.h"

#include "hostwindow.h"

#include <QWindow>

ScreenSaverPlayer::ScreenSaverPlayer(unsigned long host, double loopSeconds,
                                     std::function<void(const QString &)> failed)
    : host_(host)
    , failed_(std::move(failed))
    , session_(form_, loopSeconds)
    , view_(form_)
{
    loop_.setSingleShot(true);
    QObject::connect(&loop_, &QTimer::timeout, &view_, [this] { Play(); });
    QObject::connect(&view_, &ScaledView::painted, &view_, [this] {
        session_.Painted();
        Schedule();
    });
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
}

void ScreenSaverPlayer::Follow()
{
    const QSize size = HostWindowSize(host_) / view_.devicePixelRatioF();
    if (!size.isEmpty() && size != view_.size())
        view_.setGeometry(QRect(QPoint(0, 0), size));
    view_.Rescale();
}

void ScreenSaverPlayer::Play()
{
    Follow();
    if (const Status played = session_.Play(); !played.ok()) {
        failed_(QString::fromStdString(played.message()));
        return;
    }
    Schedule();
}

void ScreenSaverPlayer::Schedule()
{
    if (const int due = session_.MillisecondsToNextShow(); due >= 0 && !loop_.isActive())
        loop_.start(due);
}
