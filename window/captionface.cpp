// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#include "captionface.h"

#include "player/captionfit.h"
#include "show/design.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QHash>
#include <QPainter>
#include <QPalette>

namespace {

QFont DesignedFont()
{
    QFont font;
    QStringList families;
    for (const char *face : show::kCaptionFaces)
        families.append(QLatin1String(face));
    font.setFamilies(families);
    font.setStyleHint(QFont::Serif);
    font.setWeight(QFont::Normal);
    return font;
}

} // namespace

QFont CaptionFont(show::Label label, const QString &text)
{
    // The fitting measures up to forty sizes: once per text is enough.
    static QHash<QString, int> fitted[2];
    QFont font = DesignedFont();
    auto known = fitted[int(label)].constFind(text);
    if (known == fitted[int(label)].cend()) {
        const canvas::Rect box = player::Picture::CaptionRect(label);
        const int pixels = player::FitCaption(text.toStdString(), box.width, box.height,
                                              [&font](const std::string &line, int size) {
                                                  font.setPixelSize(size);
                                                  const QFontMetrics metrics(font);
                                                  const QRect ink = metrics.tightBoundingRect(QString::fromStdString(line))
                                                                        .translated(0, metrics.ascent());
                                                  return player::Ink{double(ink.left()), double(ink.top()),
                                                                     double(ink.right()), double(ink.bottom())};
                                              });
        known = fitted[int(label)].insert(text, pixels);
    }
    font.setPixelSize(*known);
    return font;
}

void PaintCaptions(QPainter &painter, const player::Picture &picture)
{
    const QColor text = QGuiApplication::palette().color(QPalette::WindowText);
    for (const show::Label label : {show::Label::Top, show::Label::Words}) {
        if (!picture.caption(label).shown)
            continue;
        const canvas::Rect box = player::Picture::CaptionRect(label);
        const QRect rect(box.x, box.y, box.width, box.height);
        const QString shown = QString::fromStdString(picture.ShownText(label));
        painter.fillRect(rect, Qt::white);
        painter.setFont(CaptionFont(label, shown));
        painter.setPen(text);
        painter.drawText(rect, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, shown);
    }
}
