// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#include "windowplayer.h"

#include "show/showerror.h"

WindowPlayer::WindowPlayer(std::function<void(Form1 &, const QString &)> failed)
    : failed_(std::move(failed))
    , show_(form_, pacer_)
{
    QObject::connect(&form_, &Form1::playRequested, &form_, [this] { Play(); });
}

void WindowPlayer::Play()
{
    form_.BeginShow();
    try {
        show_.PlayClickShow();
    } catch (const show::ShowError &error) {
        failed_(form_, QString::fromUtf8(error.what()));
    }
    form_.EndShow();
}
