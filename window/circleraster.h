#pragma once

#include <QImage>
#include <QPointF>
#include <QRect>

// Writes a one-pixel circle outline straight into a 32-bit image (midpoint
// algorithm, centre and radius rounded to whole device pixels). QPainter
// strokes a fractional-radius circle as a path, several times slower, and
// every outline of the show is followed by a synchronous repaint that wants
// the rest of its time. Pixels outside the image are skipped. Returns the
// bounding rectangle, in device pixels, clipped to the image.
QRect RasterCircleOutline(QImage &image, QPointF centre, qreal radius, QRgb colour);
