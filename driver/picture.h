// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#pragma once

// What tests and the bench read off a picture of the window, however it
// was taken: a screenshot, a frame of a recording, a grab of the widget.

#include "show/palette.h"

#include <QImage>
#include <QJsonObject>
#include <QString>
#include <QRect>
#include <QRgb>

// A colour of the show as a pixel.
constexpr QRgb ToQRgb(show::Rgb rgb)
{
    return qRgb(rgb.red, rgb.green, rgb.blue);
}

// The colour most of a picture shows: the backdrop, under the outlines.
QRgb Backdrop(const QImage &image);
bool HasColourIn(const QImage &image, const QRect &area, QRgb colour);
// How many pixels differ between two pictures of one size (-1 if the sizes differ).
int PixelsDiffering(const QImage &a, const QImage &b);
// A picture's pixels, as one number to compare and look up.
quint64 PictureHash(const QImage &image);

// What every player must show alike, from the one table the conformance
// runs read (tests/conformance/table.json).
QJsonObject ConformanceTable();

// Where the captions' ink stands in a picture of the show at `scale`,
// against the table's: what is off by more than its slack, or empty.
QString CaptionsOffTable(const QImage &picture, double scale = 1);
