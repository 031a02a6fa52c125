// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#pragma once

#include "window/form1.h"

#include <QImage>
#include <QList>
#include <QMultiHash>

#include <memory>

// What the screen should show: the program's own window on Qt's offscreen
// platform, playing the same shows with a pacer that waits for nothing.
// Every picture the window goes through is kept, as a hash, in order. It
// is a player of its own: it owns the show, its pacer and a surface that
// passes every call on to the window.
class ShowReference
{
public:
    // One show's pictures: the first stands before the click, the last
    // after the show.
    struct Show
    {
        QList<quint64> hashes;
        QList<int> phase; // 0 before the first backdrop, then 1 to 6
        QList<QRgb> backdrop; // of each phase
        QImage first, last;
        QMultiHash<quint64, int> index;

        // The first picture at or after `from` with this hash, or -1.
        int Find(quint64 hash, int from) const;
        int size() const { return int(hashes.size()); }
    };

    explicit ShowReference(QSize client = QSize(Form1::kClientWidth, Form1::kClientHeight));
    ~ShowReference();

    QImage Picture() const;
    // Plays the next show: the scatter goes on with the random sequence,
    // as in one run of the program.
    Show Next();
    void Resize(QSize client);

private:
    class Snapshots;
    std::unique_ptr<Snapshots> snapshots_;
};
