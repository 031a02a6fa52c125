// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#include "windowplayer.h"

#include "show/busywaitpacer.h"
#include "show/showerror.h"
#include "show/sleepingpacer.h"

#include <QScreen>

namespace {

std::unique_ptr<show::TimelinePacer> PacerFor(const Options &options)
{
    if (options.loop >= 0)
        return std::make_unique<show::SleepingPacer>();
    return std::make_unique<show::BusyWaitPacer>();
}

} // namespace

WindowPlayer::WindowPlayer(const Options &options, std::function<void(QWidget &, const QString &)> failed)
    : failed_(std::move(failed))
    , pacer_(PacerFor(options))
    , show_(form_, *pacer_)
    , loopSeconds_(options.loop)
    , fullscreen_(options.fullscreen)
{
    QObject::connect(&form_, &Form1::playRequested, &form_, [this] { Play(); });
    QObject::connect(&form_, &Form1::fullScreenRequested, &form_, [this] { ToggleFullScreen(); });
    loop_.setSingleShot(true);
    QObject::connect(&loop_, &QTimer::timeout, &form_, [this] { Play(); });
}

void WindowPlayer::Start()
{
    form_.show();
    if (fullscreen_)
        ToggleFullScreen();
    if (loopSeconds_ >= 0)
        loop_.start(0);
}

QWidget &WindowPlayer::Shown()
{
    return view_ ? static_cast<QWidget &>(*view_) : form_;
}

void WindowPlayer::Play()
{
    loop_.stop();
    form_.BeginShow();
    try {
        show_.PlayClickShow();
    } catch (const show::ShowError &error) {
        failed_(Shown(), QString::fromUtf8(error.what()));
        return;
    }
    form_.EndShow();
    if (loopSeconds_ >= 0)
        loop_.start(int(loopSeconds_ * 1000));
}

// The whole screen the window is on shows the design picture, scaled; F11
// or Esc gives back the window as it was, with its picture.
void WindowPlayer::ToggleFullScreen()
{
    if (!view_) {
        QScreen *screen = form_.screen();
        windowSize_ = form_.size();
        form_.hide();
        form_.resize(form_.sizeHint()); // the show plays on the design's client area
        view_ = std::make_unique<ScaledView>(form_);
        QObject::connect(view_.get(), &ScaledView::leaveRequested, &form_, [this] { ToggleFullScreen(); });
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
    inhibitor_.Hold(view_ && loopSeconds_ >= 0);
}
