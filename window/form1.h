// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#pragma once

#include "show/sequence.h"
#include "show/surface.h"

#include <QColor>
#include <QImage>
#include <QWidget>

class QLabel;

namespace show {
class Pacer;
}

// The one window. It is the show's drawing surface: every outline goes into
// a canvas and straight onto the screen, and the canvas repaints whatever the
// window system uncovers. The canvas covers only the part of the window that
// a screen can show. A click outside the shown captions plays the show, and
// so do Space and Return.
class Form1 : public QWidget, public show::Surface
{
    Q_OBJECT

public:
    static constexpr int kTwipsPerPixel = 15;
    static constexpr int kClientWidth = 7485 / kTwipsPerPixel;
    static constexpr int kClientHeight = 5340 / kTwipsPerPixel;

    explicit Form1(show::Pacer &pacer, QWidget *parent = nullptr);

    QSize sizeHint() const override;

    bool SetBackdrop(show::Colour colour) override;
    bool GetClientWidth(float &width) override;
    bool GetClientHeight(float &height) override;
    bool DrawCircleOutline(float x, float y, float radius, show::Colour colour) override;
    bool SetLabelVisible(show::Label label, bool visible) override;
    bool SetLabelCaption(show::Label label, const std::string &text) override;

public slots:
    // The Click show, as a click outside the shown captions plays it.
    void PlayClickShow();

signals:
    // The show stopped at a failure; the window stands as it was left.
    void showFailed(const QString &message);
    // Nothing can be drawn on this display (say, one with 256 colours).
    // Emitted once, at the first paint that fails.
    void displayFailed(const QString &message);

protected:
    void paintEvent(QPaintEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void moveEvent(QMoveEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    QLabel *CreateLabel(const char *name, const QString &caption, const QRect &rect);
    QLabel *LabelWidget(show::Label label) const;
    bool IsOnShownLabel(const QPoint &pos) const;
    QRect VisibleArea() const;
    void SyncCanvas();
    bool Presented() const;

    QLabel *lblTop_;
    QLabel *lblWords_;
    QColor backdrop_;
    QImage canvas_;
    QRect canvasArea_; // what canvas_ holds, in logical pixels of the window
    bool pressed_ = false;
    bool closed_ = false;
    bool paintFailed_ = false;
    show::ClickShow show_;
};
