// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#include "picture.h"

#include "show/design.h"
#include "show/surface.h"

#include <QFile>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>

#include <cmath>

QRgb Backdrop(const QImage &image)
{
    QHash<QRgb, int> counts;
    for (int y = 0; y < image.height(); y += 7) {
        for (int x = 0; x < image.width(); x += 7)
            ++counts[image.pixel(x, y)];
    }
    QRgb best = 0;
    int most = -1;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
        if (it.value() > most) {
            most = it.value();
            best = it.key();
        }
    }
    return best;
}

bool HasColourIn(const QImage &image, const QRect &area, QRgb colour)
{
    const QRect clipped = area & image.rect();
    for (int y = clipped.top(); y <= clipped.bottom(); ++y) {
        for (int x = clipped.left(); x <= clipped.right(); ++x) {
            if ((image.pixel(x, y) & 0xffffffu) == (colour & 0xffffffu))
                return true;
        }
    }
    return false;
}

quint64 PictureHash(const QImage &image)
{
    const QImage rgb = image.format() == QImage::Format_RGB32 ? image : image.convertToFormat(QImage::Format_RGB32);
    // FNV-1a over the pixels, alpha left out.
    quint64 hash = 14695981039346656037ull;
    for (int y = 0; y < rgb.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(rgb.constScanLine(y));
        for (int x = 0; x < rgb.width(); ++x) {
            hash ^= line[x] & 0xffffffu;
            hash *= 1099511628211ull;
        }
    }
    return hash ^ (quint64(rgb.width()) << 32 | quint64(rgb.height()));
}

int PixelsDiffering(const QImage &a, const QImage &b)
{
    if (a.size() != b.size())
        return -1;
    int count = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x)
            count += (a.pixel(x, y) & 0xffffffu) != (b.pixel(x, y) & 0xffffffu);
    }
    return count;
}

QJsonObject ConformanceTable()
{
    QFile file(QStringLiteral(CLICKSHOW_CONFORMANCE_TABLE));
    return file.open(QIODevice::ReadOnly) ? QJsonDocument::fromJson(file.readAll()).object() : QJsonObject();
}

QString CaptionsOffTable(const QImage &picture, double scale)
{
    const QJsonObject ink = ConformanceTable()[QStringLiteral("captionInk")].toObject();
    QString off;
    for (const show::Label label : {show::Label::Top, show::Label::Words}) {
        const show::DesignRect &box = label == show::Label::Top ? show::kTopCaption : show::kWordsCaption;
        const QRect area = QRectF(QPointF(box.x, box.y) * scale, QSizeF(box.width, box.height) * scale).toAlignedRect();
        QRect dark; // the box of its dark pixels
        for (int y = area.top(); y <= area.bottom(); ++y) {
            for (int x = area.left(); x <= area.right(); ++x) {
                if (picture.valid(x, y) && qGray(picture.pixel(x, y)) < 128)
                    dark |= QRect(x, y, 1, 1);
            }
        }
        const QRectF seen(QPointF(dark.topLeft()) / scale, QPointF(dark.bottomRight() + QPoint(1, 1)) / scale);
        const double edges[] = {seen.left(), seen.top(), seen.right(), seen.bottom()};
        const QJsonArray want = ink[QLatin1String(show::LabelName(label))].toArray();
        for (int i = 0; i < 4; ++i) {
            if (std::abs(edges[i] - want[i].toDouble()) > ink[QStringLiteral("slack")].toDouble()) {
                off += QStringLiteral("%1's ink is at %2, %3 to %4, %5 at %6; ").arg(QLatin1String(show::LabelName(label)))
                           .arg(edges[0]).arg(edges[1]).arg(edges[2]).arg(edges[3]).arg(scale);
                break;
            }
        }
    }
    return off;
}
