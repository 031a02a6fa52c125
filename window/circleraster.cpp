// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#include "circleraster.h"

#include <algorithm>
#include <cmath>

namespace {

QRect MidpointCircle(QImage &image, QPointF centre, qreal radius, QRgb colour)
{
    const int cx = int(std::lround(centre.x()));
    const int cy = int(std::lround(centre.y()));
    const int r = int(std::lround(radius));
    const QRect bounds = QRect(cx - r, cy - r, 2 * r + 1, 2 * r + 1) & image.rect();
    if (bounds.isEmpty())
        return {};

    const auto plot = [&](int x, int y) {
        if (bounds.contains(x, y))
            reinterpret_cast<QRgb *>(image.scanLine(y))[x] = colour;
    };
    int x = r;
    int y = 0;
    int error = 1 - r;
    while (x >= y) {
        plot(cx + x, cy + y);
        plot(cx - x, cy + y);
        plot(cx + x, cy - y);
        plot(cx - x, cy - y);
        plot(cx + y, cy + x);
        plot(cx - y, cy + x);
        plot(cx + y, cy - x);
        plot(cx - y, cy - x);
        ++y;
        if (error < 0) {
            error += 2 * y + 1;
        } else {
            --x;
            error += 2 * (y - x) + 1;
        }
    }
    return bounds;
}

// Row by row, the spans of pixels between the inner and the outer circle.
QRect Ring(QImage &image, QPointF centre, qreal radius, qreal width, QRgb colour)
{
    const qreal outer = radius + width / 2;
    const qreal inner = radius - width / 2;
    const QRect bounds = QRect(QPoint(int(std::floor(centre.x() - outer)), int(std::floor(centre.y() - outer))),
                               QPoint(int(std::ceil(centre.x() + outer)), int(std::ceil(centre.y() + outer))))
        & image.rect();
    if (bounds.isEmpty())
        return {};

    for (int y = bounds.top(); y <= bounds.bottom(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        const auto fill = [&](int from, int to) {
            from = std::max(from, bounds.left());
            to = std::min(to, bounds.right());
            if (from <= to)
                std::fill(line + from, line + to + 1, colour);
        };
        const qreal dy = y - centre.y();
        const qreal outerSquared = outer * outer - dy * dy;
        if (outerSquared <= 0)
            continue;
        const qreal xo = std::sqrt(outerSquared);
        const qreal innerSquared = inner * inner - dy * dy;
        const int left = int(std::floor(centre.x() - xo)) + 1;
        const int right = int(std::ceil(centre.x() + xo)) - 1;
        if (inner <= 0 || innerSquared <= 0) {
            fill(left, right);
        } else {
            const qreal xi = std::sqrt(innerSquared);
            fill(left, int(std::floor(centre.x() - xi)));
            fill(int(std::ceil(centre.x() + xi)), right);
        }
    }
    return bounds;
}

} // namespace

QRect RasterCircleOutline(QImage &image, QPointF centre, qreal radius, QRgb colour, qreal width)
{
    const qreal limit = 1e6; // far beyond any screen; keeps the int casts sane
    if (!(std::fabs(centre.x()) < limit && std::fabs(centre.y()) < limit && radius >= 0 && radius < limit
          && width < limit))
        return {};
    return width > 1 ? Ring(image, centre, radius, width, colour) : MidpointCircle(image, centre, radius, colour);
}
