// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#include "scaling.h"

#include "canvas/canvas.h"
#include "show/design.h"

#include <algorithm>
#include <cmath>

namespace player {

Fit FitDesign(int width, int height)
{
    const double fit = std::min(double(width) / show::kDesignWidth, double(height) / show::kDesignHeight);
    Fit result;
    result.scale = std::max(std::floor(fit * 1000) / 1000, 0.001);
    const int pictureWidth = canvas::Canvas::DevicePixels(show::kDesignWidth, result.scale);
    const int pictureHeight = canvas::Canvas::DevicePixels(show::kDesignHeight, result.scale);
    result.picture = {(width - pictureWidth) / 2, (height - pictureHeight) / 2, pictureWidth, pictureHeight};
    return result;
}

std::vector<MonitorPicture> FitMonitors(const std::vector<canvas::Rect> &monitors)
{
    std::vector<MonitorPicture> pictures;
    for (const canvas::Rect &monitor : monitors) {
        const bool mirrored = std::any_of(pictures.begin(), pictures.end(),
                                          [&](const MonitorPicture &picture) { return picture.monitor == monitor; });
        if (monitor.empty() || mirrored)
            continue;
        MonitorPicture picture{monitor, FitDesign(monitor.width, monitor.height)};
        picture.fit.picture.x += monitor.x;
        picture.fit.picture.y += monitor.y;
        pictures.push_back(picture);
    }
    return pictures;
}

} // namespace player
