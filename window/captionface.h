// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#pragma once

#include "player/picture.h"

#include <QFont>
#include <QString>

class QPainter;

// The captions as Qt draws them: in the designed face or the closest one
// the system has, at the largest size at which each lies whole in its
// label. The window's labels take the font; a scaled view and the
// recorder, which draw no widgets, paint the captions with it.
QFont CaptionFont(show::Label label, const QString &text);

// The shown captions of `picture` on their white boxes, in pixels of the
// design (the painter scaled to the picture's size), as the window's
// labels show them.
void PaintCaptions(QPainter &painter, const player::Picture &picture);
