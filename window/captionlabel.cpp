// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#include "captionlabel.h"

#include "captionface.h"

#include "player/picture.h"

#include <QPainter>

CaptionLabel::CaptionLabel(show::Label label, const QString &text, QWidget *parent)
    : QLabel(text, parent)
    , label_(label)
{
    setObjectName(QLatin1String(show::LabelName(label)));
    const canvas::Rect box = player::Picture::CaptionRect(label);
    setGeometry(box.x, box.y, box.width, box.height);
    setAttribute(Qt::WA_OpaquePaintEvent);
    hide();
}

void CaptionLabel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.translate(-pos()); // the design's coordinates, as the layout gives them
    PaintCaption(painter, label_, text());
}
