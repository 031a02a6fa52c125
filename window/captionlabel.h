// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#pragma once

#include "show/surface.h"

#include <QLabel>

// One of the window's two labels: its text, its rectangle and whether it
// is shown are the label's, and it paints itself as every player paints a
// caption (captionface.h): an opaque white box with the text on it.
class CaptionLabel : public QLabel
{
    Q_OBJECT

public:
    CaptionLabel(show::Label label, const QString &text, QWidget *parent);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    show::Label label_;
};
