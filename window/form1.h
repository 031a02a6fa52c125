// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#pragma once

#include "player/callsurface.h"
#include "player/inputrules.h"
#include "player/picture.h"
#include "show/design.h"

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QRegion>
#include <QWidget>

#include <memory>

class CaptionLabel;
class CompositorSync;

// The one window: the show's drawing surface, and where a person asks for
// a show. Every call of the show goes into the picture (a canvas under the
// captions) and straight onto the screen, and the canvas repaints whatever
// the window system uncovers. Who plays the show (its player) listens for
// playRequested(); input is taken by the players' shared rules.
//
// The canvas holds only the part of the window that a screen can show, so
// a huge window costs no more than one that fills the screen; what comes
// into view is drawn again from the outlines since the last backdrop.
//
// A scaled view may show the picture instead of the window, and hand on
// its input.
class Form1 : public QWidget, public player::CallSurface
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

    explicit Form1(QWidget *parent = nullptr);
    ~Form1() override;

    QSize sizeHint() const override;
    // Goes up with every change of the picture.
    quint64 pictureGeneration() const { return generation_; }
    const player::Picture &picture() const { return picture_; }
    // The canvas's pixels, as Qt paints them.
    const QImage &pixels() const { return pixels_; }

    // From now on the picture is shown by another widget, which follows
    // presented(): all of the window counts as seen, and the canvas holds
    // `scale` device pixels to each of the window's own. 0: the window
    // shows itself again.
    void ShowThrough(qreal scale);
    // The whole screen came or went, however it was asked for.
    void FullScreenChanged(bool on);

    bool Take(const player::Call &call) override;
    // Under a compositing manager these make sure that what the show drew
    // reaches the screen.
    void BeginShow() override;
    void EndShow() override;

signals:
    // A click on the picture outside the shown captions, or a show key: the
    // player plays the show now, before this returns.
    void playRequested();
    // Nothing more can be drawn: a display with 256 colours, or no memory
    // for the canvas. Emitted once, at once.
    void drawingFailed(const QString &message);
    // What just changed, in the window's logical pixels, as it reaches the
    // window; before the call that changed it returns.
    void presented(const QRect &area);
    // F11, Esc: the player puts the picture on the whole screen, or back.
    void fullScreenRequested(bool on);
    // The window system had it painted: it is on the screen.
    void painted();

protected:
    float ClientWidth() override;
    float ClientHeight() override;

    void paintEvent(QPaintEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void moveEvent(QMoveEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;

private:
    CaptionLabel *LabelWidget(show::Label label) const;
    void ShowCaption(show::Label label);
    QRect VisibleArea() const;
    bool SyncCanvas();
    QRect Logical(const canvas::Rect &device) const;
    void Present(const QRect &area);
    void PresentAgain(const QRegion &area);
    void RepaintNow(const QRegion &area);
    bool Presented() const;
    void Fail(const QString &message);
    void Act(player::Action action);

    player::Picture picture_;
    player::InputRules rules_{picture_};
    CaptionLabel *lblTop_;
    CaptionLabel *lblWords_;
    QImage pixels_; // the canvas's, as Qt paints them
    qreal viewScale_ = 0; // shown through another widget at this scale
    bool failed_ = false;
    bool ownPaint_ = false;
    QRegion exposed_; // painted by the event loop, not yet made sure of
    quint64 generation_ = 0;
    std::unique_ptr<CompositorSync> compositorSync_;
};
