// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#include "circleraster.h"

#include "canvas.h"

#include <algorithm>
#include <cmath>

namespace canvas {

namespace {

Rect MidpointCircle(Canvas &canvas, double centreX, double centreY, double radius, Pixel colour)
{
    const int cx = int(std::lround(centreX));
    const int cy = int(std::lround(centreY));
    const int r = int(std::lround(radius));
    const Rect bounds = Rect{cx - r, cy - r, 2 * r + 1, 2 * r + 1} & canvas.rect();
    if (bounds.empty())
        return {};

    const auto plot = [&](int x, int y) {
        if (bounds.contains(x, y))
            canvas.line(y)[x] = colour;
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
Rect Ring(Canvas &canvas, double cx, double cy, double radius, double width, Pixel colour)
{
    const double outer = radius + width / 2;
    const double inner = radius - width / 2;
    const int left = int(std::floor(cx - outer));
    const int top = int(std::floor(cy - outer));
    const Rect bounds =
        Rect{left, top, int(std::ceil(cx + outer)) - left + 1, int(std::ceil(cy + outer)) - top + 1} & canvas.rect();
    if (bounds.empty())
        return {};

    for (int y = bounds.y; y <= bounds.bottom(); ++y) {
        Pixel *line = canvas.line(y);
        const auto fill = [&](int from, int to) {
            from = std::max(from, bounds.x);
            to = std::min(to, bounds.right());
            if (from <= to)
                std::fill(line + from, line + to + 1, colour);
        };
        const double dy = y - cy;
        const double outerSquared = outer * outer - dy * dy;
        if (outerSquared <= 0)
            continue;
        const double xo = std::sqrt(outerSquared);
        const double innerSquared = inner * inner - dy * dy;
        const int from = int(std::floor(cx - xo)) + 1;
        const int to = int(std::ceil(cx + xo)) - 1;
        if (inner <= 0 || innerSquared <= 0) {
            fill(from, to);
        } else {
            const double xi = std::sqrt(innerSquared);
            fill(from, int(std::floor(cx - xi)));
            fill(int(std::ceil(cx + xi)), to);
        }
    }
    return bounds;
}

} // namespace

Rect RasterCircleOutline(Canvas &canvas, double cx, double cy, double radius, Pixel colour, double width)
{
    const double limit = 1e6; // far beyond any screen; keeps the int casts sane
    if (!(std::fabs(cx) < limit && std::fabs(cy) < limit && radius >= 0 && radius < limit && width < limit))
        return {};
    return width > 1 ? Ring(canvas, cx, cy, radius, width, colour) : MidpointCircle(canvas, cx, cy, radius, colour);
}

} // namespace canvas
