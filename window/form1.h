// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#pragma once

#include "canvas/canvas.h"
#include "show/design.h"
#include "show/surface.h"

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QRegion>
#include <QWidget>

#include <memory>

class CompositorSync;
class QLabel;

// The one window: the show's drawing surface, and where a person asks for
// a show. Every outline goes into a canvas and straight onto the screen,
// and the canvas repaints whatever the window system uncovers. Who plays
// the show (its player) listens for playRequested().
//
// The canvas holds only the part of the window that a screen can show, so
// a huge window costs no more than one that fills the screen; what comes
// into view is drawn again from the outlines since the last backdrop.
//
// A click outside the shown captions asks for the show, and so do Space,
// Return and Enter; Ctrl+Q and Ctrl+W close the window, and F11 asks for
// the whole screen. A scaled view may show the picture instead of the
// window, and hand on its input.
class Form1 : public QWidget, public show::Surface
{
    Q_OBJECT

public:
    static constexpr int kTwipsPerPixel = show::kTwipsPerPixel;
    static constexpr int kClientWidth = show::kDesignWidth;
    static constexpr int kClientHeight = show::kDesignHeight;
    // The captions' designed rectangles, in pixels of the client area.
    static constexpr QRect kTopCaptionRect{show::kTopCaption.x, show::kTopCaption.y, show::kTopCaption.width,
                                           show::kTopCaption.height};
    static constexpr QRect kWordsCaptionRect{show::kWordsCaption.x, show::kWordsCaption.y, show::kWordsCaption.width,
                                             show::kWordsCaption.height};
    static constexpr QPoint kOpenSurface{show::kOpenSurfaceX, show::kOpenSurfaceY};

    // `wholeWindowVisible`: all of the window counts as seen, wherever it
    // stands (a recording has no screen to clip it).
    explicit Form1(QWidget *parent = nullptr, bool wholeWindowVisible = false);
    ~Form1() override;

    QSize sizeHint() const override;
    // Goes up with every change of the picture.
    quint64 pictureGeneration() const { return generation_; }

    // The player calls these around every show: under a compositing
    // manager they make sure that what the show drew reaches the screen.
    void BeginShow();
    void EndShow();

    // From now on the picture is shown by another widget, which follows
    // presented(): all of the window counts as seen, and the canvas holds
    // `scale` device pixels to each of the window's own. 0: the window
    // shows itself again.
    void ShowThrough(qreal scale);

    bool SetBackdrop(show::Colour colour) override;
    bool GetClientWidth(float &width) override;
    bool GetClientHeight(float &height) override;
    bool DrawCircleOutline(float x, float y, float radius, show::Colour colour) override;
    bool SetLabelVisible(show::Label label, bool visible) override;
    bool SetLabelCaption(show::Label label, const std::string &text) override;

signals:
    // A click outside the shown captions, or a show key: the player plays
    // the show now, before this returns.
    void playRequested();
    // Nothing more can be drawn: a display with 256 colours, or no memory
    // for the canvas. Emitted once, at once.
    void drawingFailed(const QString &message);
    // What just changed, in the window's logical pixels, as it reaches the
    // window; before the call that changed it returns.
    void presented(const QRect &area);
    // F11: the player puts the picture on the whole screen, or back.
    void fullScreenRequested();

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
    bool SyncCanvas();
    QRect Logical(const canvas::Rect &device) const;
    void Present(const QRect &area);
    void PresentAgain(const QRegion &area);
    void RepaintNow(const QRegion &area);
    bool Presented() const;
    void Fail(const QString &message);
    void RequestPlay(quint64 timestamp);

    QLabel *lblTop_;
    QLabel *lblWords_;
    canvas::Canvas canvas_;
    QImage picture_; // the canvas's pixels, as Qt paints them
    bool wholeWindowVisible_;
    qreal viewScale_ = 0; // shown through another widget at this scale
    bool pressed_ = false;
    bool closed_ = false;
    bool failed_ = false;
    bool ownPaint_ = false;
    QRegion exposed_; // painted by the event loop, not yet made sure of
    quint64 generation_ = 0;
    quint64 showEndStamp_ = 0; // input time at which the last show ended
    bool showEndKnown_ = false;
    std::unique_ptr<CompositorSync> compositorSync_;
};
