// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#pragma once

#include <QRgb>
#include <QSize>

#include <algorithm>

// A run of a frame's rows: the first, and one past the last.
struct Rows
{
    int first = 0;
    int end = 0;

    bool empty() const { return end <= first; }
    // The smallest run that holds both.
    Rows operator|(Rows other) const
    {
        if (empty())
            return other;
        if (other.empty())
            return *this;
        return {std::min(first, other.first), std::max(end, other.end)};
    }
};

// A frame as rows of 32-bit RGB (0xffRRGGBB), read where they are: the
// encoder converts only the rows that changed.
class FrameRows
{
public:
    virtual ~FrameRows() = default;
    virtual QSize size() const = 0;
    virtual const QRgb *row(int y) const = 0;
};
