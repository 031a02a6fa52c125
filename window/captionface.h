// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#pragma once

#include "player/picture.h"

#include <QFont>
#include <QString>

class QPainter;

// The captions as Qt draws them: in the face the program carries, laid out
// by the players' rules (player/captionlayout.h), so that they stand where
// every other player puts them. The window's labels, a scaled view and the
// recorder all paint them here.

// The carried face at `pixels`, unhinted, as the layout measures it.
QFont CaptionFont(int pixels);

// One caption's box and text, in pixels of the design (the painter scaled
// to the picture's size).
void PaintCaption(QPainter &painter, show::Label label, const QString &text);
// The shown captions of `picture`, as the window's labels show them.
void PaintCaptions(QPainter &painter, const player::Picture &picture);
