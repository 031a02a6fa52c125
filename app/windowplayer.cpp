// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#include "windowplayer.h"

#include <QScreen>

WindowPlayer::WindowPlayer(const Options &options, std::function<void(QWidget &, const QString &)> failed)
    : failed_(std::move(failed))
    , session_(form_, options.loop)
    , fullscreen_(options.fullscreen)
{
    QObject::connect(&form_, &Form1::playRequested, &form_, [this] { Play(); });
    QObject::connect(&form_, &Form1::fullScreenRequested, &form_, [this](bool on) { SetFullScreen(on); });
    QObject::connect(&form_, &Form1::painted, &form_, [this] { Painted(); });
    loop_.setSingleShot(true);
    QObject::connect(&loop_, &QTimer::timeout, &form_, [this] { Play(); });
}

void WindowPlayer::Start()
{
    form_.show();
    if (fullscreen_)
        SetFullScreen(true);
}

void WindowPlayer::Painted()
{
    session_.Painted();
    Schedule();
}

// The loop's next show, when the session has it due.
void WindowPlayer::Schedule()
{
    if (const int due = session_.MillisecondsToNextShow(); due >= 0 && !loop_.isActive())
        loop_.start(due);
}

QWidget &WindowPlayer::Shown()
{
    return view_ ? static_cast<QWidget &>(*view_) : form_;
}

void WindowPlayer::Play()
{
    loop_.stop();
    if (const Status played = session_.Play(); !played.ok()) {
        failed_(Shown(), QString::fromStdString(played.message()));
        return;
    }
    Schedule();
}

// The whole screen the window is on shows the design picture, scaled; F11
// or Esc gives back the window as it was, with its picture.
void WindowPlayer::SetFullScreen(bool on)
{
    if (on == bool(view_))
        return;
    if (on) {
        QScreen *screen = form_.screen();
        windowSize_ = form_.size();
        form_.hide();
        form_.resize(form_.sizeHint()); // the show plays on the design's client area
        view_ = std::make_unique<ScaledView>(form_);
        QObject::connect(view_.get(), &ScaledView::painted, &form_, [this] { Painted(); });
        if (screen)
            view_->setGeometry(screen->geometry());
        view_->showFullScreen();
    } else {
        // Asked from the view's own key handler: it goes once that returns.
        view_->hide();
        view_.release()->deleteLater();
        form_.ShowThrough(0);
        form_.resize(windowSize_);
        form_.show();
        form_.activateWindow();
    }
    form_.FullScreenChanged(on);
    inhibitor_.Hold(view_ && session_.looping());
}
