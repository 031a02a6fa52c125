// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#include "yuv420.h"

#include <algorithm>
#include <vector>

namespace {

// BT.709 (Kr 0.2126, Kb 0.0722) into 219 levels of luma and 224 of
// chroma, in 16-bit fixed point.
constexpr double kKr = 0.2126, kKb = 0.0722, kKg = 1 - kKr - kKb;
constexpr int Fixed(double value) { return int(value * 65536 + (value < 0 ? -0.5 : 0.5)); }
constexpr int kYr = Fixed(kKr * 219 / 255), kYg = Fixed(kKg * 219 / 255), kYb = Fixed(kKb * 219 / 255);
constexpr double kCb = 224.0 / 255 / (2 * (1 - kKb)), kCr = 224.0 / 255 / (2 * (1 - kKr));
constexpr int kUr = Fixed(-kKr * kCb), kUg = Fixed(-kKg * kCb), kUb = Fixed((1 - kKb) * kCb);
constexpr int kVr = Fixed((1 - kKr) * kCr), kVg = Fixed(-kKg * kCr), kVb = Fixed(-kKb * kCr);

} // namespace

// AVX2 multiplies 32-bit lanes; plain SSE2 would emulate it.
__attribute__((target_clones("avx2", "default"))) void ToYuv420(const FrameRows &rgb, Rows rows, QSize size,
                                                                const Yuv420Planes &to)
{
    const int width = rgb.size().width();
    const int height = rgb.size().height();
    // A row of the picture as wide as `size`: padded on the right.
    std::vector<QRgb> padded[2] = {std::vector<QRgb>(size_t(size.width())), std::vector<QRgb>(size_t(size.width()))};
    const auto row = [&](int y, int half) -> const QRgb * {
        const QRgb *line = rgb.row(std::min(y, height - 1));
        if (size.width() == width)
            return line;
        std::copy(line, line + width, padded[half].begin());
        std::fill(padded[half].begin() + width, padded[half].end(), line[width - 1]);
        return padded[half].data();
    };
    // Whole pairs of rows; the padding below the last row goes with it.
    const int last = std::min(size.height(), rows.end);
    for (int y = std::max(0, rows.first) & ~1; y < last; y += 2) {
        const QRgb *lines[2] = {row(y, 0), row(y + 1, 1)};
        // Luma pixel by pixel, a loop the compiler makes wide.
        for (int half = 0; half < 2; ++half) {
            const QRgb *line = lines[half];
            std::uint8_t *luma = to.plane[0] + std::ptrdiff_t(y + half) * to.stride[0];
            for (int x = 0; x < size.width(); ++x) {
                const std::uint32_t p = line[x];
                const int r = int(p >> 16 & 0xff), g = int(p >> 8 & 0xff), b = int(p & 0xff);
                luma[x] = std::uint8_t(16 + ((kYr * r + kYg * g + kYb * b + 32768) >> 16));
            }
        }
        std::uint8_t *u = to.plane[1] + std::ptrdiff_t(y / 2) * to.stride[1];
        std::uint8_t *v = to.plane[2] + std::ptrdiff_t(y / 2) * to.stride[2];
        for (int x = 0; x < size.width() / 2; ++x) {
            const QRgb a = lines[0][2 * x], b = lines[0][2 * x + 1], c = lines[1][2 * x], d = lines[1][2 * x + 1];
            const int r = qRed(a) + qRed(b) + qRed(c) + qRed(d);
            const int g = qGreen(a) + qGreen(b) + qGreen(c) + qGreen(d);
            const int bl = qBlue(a) + qBlue(b) + qBlue(c) + qBlue(d);
            // Sums of four pixels: two more bits to shift.
            u[x] = std::uint8_t(128 + ((kUr * r + kUg * g + kUb * bl + (1 << 17)) >> 18));
            v[x] = std::uint8_t(128 + ((kVr * r + kVg * g + kVb * bl + (1 << 17)) >> 18));
        }
    }
}
