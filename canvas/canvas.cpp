// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#include "canvas.h"

#include "circleraster.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <new>

namespace canvas {

Canvas::Canvas(Pixel backdrop)
    : backdrop_(backdrop)
{
}

int Canvas::DevicePixels(int logical, double ratio)
{
    const double pixels = logical * ratio;
    return pixels > 0 ? int(pixels + 0.5) : 0;
}

bool Canvas::Hold(Rect area, double ratio)
{
    if (area == area_ && ratio == ratio_ && (pixels_ || area.empty()))
        return true;
    const int width = DevicePixels(area.width, ratio);
    const int height = DevicePixels(area.height, ratio);
    std::unique_ptr<Pixel[]> pixels;
    if (width > 0 && height > 0) {
        // Allocated here, so that running out of memory is known at once
        // rather than as a picture that silently draws nothing.
        const std::uint64_t count = std::uint64_t(width) * std::uint64_t(height);
        if (count > SIZE_MAX / sizeof(Pixel))
            return false;
        pixels.reset(new (std::nothrow) Pixel[std::size_t(count)]);
        if (!pixels)
            return false;
    }
    pixels_ = std::move(pixels);
    width_ = pixels_ ? width : 0;
    height_ = pixels_ ? height : 0;
    area_ = area;
    ratio_ = ratio;
    Fill();
    for (const Outline &outline : outlines_)
        Draw(outline);
    return true;
}

void Canvas::Fill()
{
    if (pixels_)
        std::fill(pixels_.get(), pixels_.get() + std::size_t(width_) * std::size_t(height_), backdrop_);
}

Rect Canvas::SetBackdrop(Pixel colour)
{
    backdrop_ = colour;
    outlines_.clear();
    Fill();
    return rect();
}

Rect Canvas::DrawCircleOutline(double x, double y, double radius, Pixel colour)
{
    outlines_.push_back({x, y, radius, colour});
    return Draw(outlines_.back());
}

// Logical pixel i spans device pixels i * ratio to (i + 1) * ratio: the
// centre of a device pixel stands half a pixel into it.
Rect Canvas::Draw(const Outline &outline)
{
    if (!pixels_)
        return {};
    const double cx = (outline.x - area_.x + 0.5) * ratio_ - 0.5;
    const double cy = (outline.y - area_.y + 0.5) * ratio_ - 0.5;
    return RasterCircleOutline(*this, cx, cy, outline.radius * ratio_, outline.colour, ratio_);
}

Rect Canvas::ToLogical(Rect device) const
{
    if (device.empty())
        return {};
    const double x = device.x / ratio_;
    const double y = device.y / ratio_;
    const int left = int(std::floor(x));
    const int top = int(std::floor(y));
    const int right = int(std::ceil(x + device.width / ratio_));
    const int bottom = int(std::ceil(y + device.height / ratio_));
    return {left + area_.x, top + area_.y, right - left, bottom - top};
}

} // namespace canvas
