// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#pragma once

// What a test sees of shows on a screen, however they are played: the
// backdrops as they follow each other, and the final picture against a
// recording's.

#include <QImage>
#include <QList>
#include <QSize>

#include <functional>

inline constexpr int kScreenCeilingMs = 60000; // only real breakage takes this long

// Until `done` holds for what `look` sees, or the ceiling.
bool WaitFor(const std::function<QImage()> &look, const std::function<bool(const QImage &)> &done);

// Follows the backdrops of what `look` sees until `shows` shows have begun
// and the last has reached its finale, each backdrop in its order: true if
// they did. The first show is seen whole: nothing of it may come before its
// first backdrop. A show that follows at once (a click queued during the
// one before) may hide the finale before it. Notes when each show began,
// when each finale came and when each backdrop came, in milliseconds.
struct Followed
{
    QList<qint64> starts, finales, backdrops;
};
bool FollowBackdrops(const std::function<QImage()> &look, int shows, Followed &followed);

// The final picture of `clickshow --record --scale F` at `at` on a black
// `screen`: where a test expects a player to put it.
QImage RecordedPicture(QSize screen, double scale, QPoint at = {});

// How many pixels differ outside the captions, whose rectangles are left
// out: the picture stands in both at `scale`, from `at`.
int DifferingOutsideCaptions(QImage seen, QImage expected, double scale, QPoint at = {});
