// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#pragma once

#include "player/scaling.h"

#include <QWidget>

class Form1;

// The window's design picture on a larger (or smaller) surface: the whole
// screen, or a window another program hands over, as the players' scaling
// fits it (player/scaling.h), centred on black.
//
// The window draws at that scale itself (its canvas holds the view's
// device pixels) and this view shows the canvas and the captions as they
// change, so the picture equals a recording at that scale. Clicks and keys
// go back to the window, mapped back to its pixels: a click on a shown
// caption does nothing.
class ScaledView : public QWidget
{
    Q_OBJECT

public:
    explicit ScaledView(Form1 &form, QWidget *parent = nullptr);
    ~ScaledView() override;

    // Fits the picture to the view's size now, before any resize event.
    void Rescale();
    const player::Fit &fit() const { return fit_; }

signals:
    // The window system had it painted: it is on the screen.
    void painted();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void Presented(const QRect &area);
    void Forward(QMouseEvent *event);

    Form1 &form_;
    player::Fit fit_;
    QSize fitted_; // the device pixels fit_ was made for
};
