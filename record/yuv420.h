// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#pragma once

#include "framerows.h"

#include <QSize>

#include <cstdint>

// 32-bit RGB into yuv420p, BT.709, limited range: each chroma sample the
// mean of its 2 x 2 pixels (centre sited). A picture smaller than `size`
// is padded by repeating its last column and row. The planes are Y of
// `size`, then U and V of half that, each at its stride. Only `rows` are
// converted, with the rows that share their chroma: the planes keep the
// rest.
struct Yuv420Planes
{
    std::uint8_t *plane[3];
    int stride[3];
};
void ToYuv420(const FrameRows &rgb, Rows rows, QSize size, const Yuv420Planes &to);
