// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#pragma once

#include <algorithm>
#include <ostream>

namespace canvas {

// A rectangle of whole pixels: the left and top columns and rows it
// covers, and how many.
struct Rect
{
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;

    bool empty() const { return width <= 0 || height <= 0; }
    int right() const { return x + width - 1; }
    int bottom() const { return y + height - 1; }
    bool contains(int px, int py) const { return px >= x && px <= right() && py >= y && py <= bottom(); }

    Rect operator&(const Rect &other) const
    {
        const int left = std::max(x, other.x);
        const int top = std::max(y, other.y);
        const int right = std::min(x + width, other.x + other.width);
        const int bottom = std::min(y + height, other.y + other.height);
        if (right <= left || bottom <= top)
            return {};
        return {left, top, right - left, bottom - top};
    }

    // The smallest rectangle that holds both.
    Rect operator|(const Rect &other) const
    {
        if (empty())
            return other;
        if (other.empty())
            return *this;
        const int left = std::min(x, other.x);
        const int top = std::min(y, other.y);
        return {left, top, std::max(x + width, other.x + other.width) - left,
                std::max(y + height, other.y + other.height) - top};
    }

    bool operator==(const Rect &other) const
    {
        return x == other.x && y == other.y && width == other.width && height == other.height;
    }
    bool operator!=(const Rect &other) const { return !(*this == other); }
};

inline std::ostream &operator<<(std::ostream &out, const Rect &rect)
{
    return out << rect.width << 'x' << rect.height << '+' << rect.x << '+' << rect.y;
}

} // namespace canvas
