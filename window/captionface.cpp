// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#include "captionface.h"

#include "player/captionlayout.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QPainter>
#include <QPalette>

#include <cmath>

namespace {

// The face, from the program's resources, once for the process: the
// system's fonts play no part in the captions.
QString Family()
{
    static const QString family = [] {
        const int id = QFontDatabase::addApplicationFont(QStringLiteral(":/clickshow/captionface.otf"));
        const QStringList families = QFontDatabase::applicationFontFamilies(id);
        return families.isEmpty() ? QString::fromLatin1(player::CaptionFamily()) : families.first();
    }();
    return family;
}

} // namespace

QFont CaptionFont(int pixels)
{
    QFont font(Family());
    font.setPixelSize(pixels);
    font.setWeight(QFont::Normal);
    font.setKerning(false);
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setStyleStrategy(QFont::NoFontMerging);
    return font;
}

void PaintCaption(QPainter &painter, show::Label label, const QString &text)
{
    const canvas::Rect box = player::Picture::CaptionRect(label);
    painter.fillRect(QRect(box.x, box.y, box.width, box.height), Qt::white);
    const QByteArray latin = text.toLatin1();
    const player::CaptionLayout layout = player::LayOutCaption(label, latin.toStdString());
    painter.save();
    painter.setClipRect(QRect(box.x, box.y, box.width, box.height));
    painter.setFont(CaptionFont(layout.pixels));
    painter.setPen(QGuiApplication::palette().color(QPalette::WindowText));
    // Each character at its own pen position, on device pixels.
    const QTransform device = painter.deviceTransform();
    const QTransform back = device.inverted();
    for (int i = 0; i < text.size(); ++i) {
        const QPointF at = device.map(QPointF(layout.x[std::size_t(i)], layout.baseline));
        painter.drawText(back.map(QPointF(std::round(at.x()), std::round(at.y()))), text.at(i));
    }
    painter.restore();
}

void PaintCaptions(QPainter &painter, const player::Picture &picture)
{
    for (const show::Label label : {show::Label::Top, show::Label::Words}) {
        if (picture.caption(label).shown)
            PaintCaption(painter, label, QString::fromStdString(picture.ShownText(label)));
    }
}
