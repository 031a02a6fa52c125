#include "circleraster.h"

#include <cmath>

QRect RasterCircleOutline(QImage &image, QPointF centre, qreal radius, QRgb colour)
{
    const qreal limit = 1e6; // far beyond any screen; keeps the int casts sane
    if (!(std::fabs(centre.x()) < limit && std::fabs(centre.y()) < limit && radius >= 0 && radius < limit))
        return {};
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
