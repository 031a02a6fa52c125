// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#pragma once

#include "framerows.h"

#include "player/picture.h"

#include <QImage>

#include <vector>

// What a recorded frame shows: the players' picture, its canvas with the
// shown captions painted over it by Qt as the window's labels show them.
// The canvas stays the timeline's: each caption is painted into a band of
// its own rows, a copy of the canvas's, painted again only when something
// in it changed. So a frame costs no copy of the whole picture, and a
// frame in which nothing changed costs nothing.
class FramePicture : public FrameRows
{
public:
    // The picture's canvas holds the whole client area at `scale`.
    FramePicture(const player::Picture &picture, double scale);

    // After the calls that made `change`: the rows of the frame it changed.
    Rows Update(const player::Change &change);

    QSize size() const override;
    const QRgb *row(int y) const override;

private:
    struct Band
    {
        Rows rows;
        unsigned labels = 0; // the captions that lie in it
        bool shown = false;  // one of them is shown: its rows are the band's
        QImage pixels;
    };

    void Paint(Band &band);

    const player::Picture &picture_;
    double scale_;
    std::vector<Band> bands_;
};
