// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#include "framepicture.h"

#include "window/captionface.h"

#include <QPainter>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

bool Overlap(Rows a, Rows b)
{
    return a.first < b.end && b.first < a.end;
}

} // namespace

FramePicture::FramePicture(const player::Picture &picture, double scale)
    : picture_(picture)
    , scale_(scale)
{
    const int height = picture.canvas().height();
    for (const show::Label label : {show::Label::Top, show::Label::Words}) {
        // Its device rows, and a row more each side for painting's rounding.
        const canvas::Rect box = player::Picture::CaptionRect(label);
        Band band;
        band.rows = {std::max(0, int(std::floor(box.y * scale)) - 1),
                     std::min(height, int(std::ceil((box.y + box.height) * scale)) + 1)};
        band.labels = 1u << int(label);
        if (band.rows.empty())
            continue;
        auto joined = std::find_if(bands_.begin(), bands_.end(), [&](const Band &b) { return Overlap(b.rows, band.rows); });
        if (joined == bands_.end()) {
            bands_.push_back(band);
        } else {
            joined->rows = joined->rows | band.rows;
            joined->labels |= band.labels;
        }
    }
}

QSize FramePicture::size() const
{
    return {picture_.canvas().width(), picture_.canvas().height()};
}

const QRgb *FramePicture::row(int y) const
{
    for (const Band &band : bands_) {
        if (band.shown && y >= band.rows.first && y < band.rows.end)
            return reinterpret_cast<const QRgb *>(band.pixels.constScanLine(y - band.rows.first));
    }
    return picture_.canvas().line(y);
}

void FramePicture::Paint(Band &band)
{
    const canvas::Canvas &canvas = picture_.canvas();
    const int rows = band.rows.end - band.rows.first;
    if (band.pixels.isNull())
        band.pixels = QImage(canvas.width(), rows, QImage::Format_RGB32);
    for (int y = 0; y < rows; ++y)
        std::memcpy(band.pixels.scanLine(y), canvas.line(band.rows.first + y), size_t(canvas.width()) * 4);
    QPainter painter(&band.pixels);
    // The whole picture's painting, seen through the band: whole device
    // rows up, so every pixel comes out as on the whole picture.
    painter.translate(0, -band.rows.first);
    painter.scale(scale_, scale_);
    PaintCaptions(painter, picture_);
}

Rows FramePicture::Update(const player::Change &change)
{
    const canvas::Rect pixels = change.filled ? picture_.canvas().rect() : change.pixels;
    const Rows drawn = pixels.empty() ? Rows{} : Rows{pixels.y, pixels.y + pixels.height};
    Rows changed = drawn;
    for (Band &band : bands_) {
        const bool captions = (band.labels & change.captions) != 0;
        band.shown = false;
        for (const show::Label label : {show::Label::Top, show::Label::Words}) {
            if (band.labels & (1u << int(label)))
                band.shown = band.shown || picture_.caption(label).shown;
        }
        if (band.shown && (captions || Overlap(drawn, band.rows)))
            Paint(band);
        if (captions)
            changed = changed | band.rows;
    }
    return changed;
}
