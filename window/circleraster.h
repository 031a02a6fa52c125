// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#pragma once

#include <QImage>
#include <QPointF>
#include <QRect>

// Writes a circle outline straight into a 32-bit image, in device pixels,
// pixel (i, j) standing at the point (i, j). QPainter strokes a
// fractional-radius circle as a path, several times slower, and every
// outline of the show is followed by a synchronous repaint that wants the
// rest of its time.
//
// A width of 1 or less is a one-pixel midpoint circle, centre and radius
// rounded to whole pixels. A wider outline (one logical pixel on a scaled
// screen) is the ring of pixels whose distance from the centre lies within
// width / 2 of the radius. Pixels outside the image are skipped. Returns
// the bounding rectangle, clipped to the image.
QRect RasterCircleOutline(QImage &image, QPointF centre, qreal radius, QRgb colour, qreal width = 1);
