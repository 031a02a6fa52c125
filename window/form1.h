// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#pragma once

#include "show/sequence.h"
#include "show/surface.h"

#include <QColor>
#include <QImage>
#include <QRect>
#include <QRegion>
#include <QWidget>

#include <memory>
#include <vector>

class CompositorSync;
class QLabel;

namespace show {
class Pacer;
}

// The one window. It is the show's drawing surface: every outline goes
// into a canvas and straight onto the screen, and the canvas repaints
// whatever the window system uncovers.
//
// The canvas holds only the part of the window that a screen can show, so
// a huge window costs no more than one that fills the screen. What else
// was drawn is not lost: between two backdrop changes the picture is the
// backdrop and the outlines drawn since, which the window keeps as a short
// list and draws again into any part that comes into view.
//
// A click outside the shown captions plays the show, and so do Space,
// Return and Enter.
class Form1 : public QWidget, public show::Surface
{
    Q_OBJECT

public:
    static constexpr int kTwipsPerPixel = 15;
    static constexpr int kClientWidth = 7485 / kTwipsPerPixel;
    static constexpr int kClientHeight = 5340 / kTwipsPerPixel;
    // The captions' designed rectangles, in pixels of the client area.
    static constexpr QRect kTopCaptionRect{104, 16, 313, 65};
    static constexpr QRect kWordsCaptionRect{200, 272, 113, 57};

    // `wholeWindowVisible`: all of the window counts as seen, wherever it
    // stands (a recording has no screen to clip it).
    explicit Form1(show::Pacer &pacer, QWidget *parent = nullptr, bool wholeWindowVisible = false);
    ~Form1() override;

    QSize sizeHint() const override;
    // Goes up with every change of the picture.
    quint64 pictureGeneration() const { return generation_; }

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
    // Nothing more can be drawn: a display with 256 colours, or no memory
    // for the canvas. Emitted once, at once.
    void drawingFailed(const QString &message);

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
    struct Outline
    {
        QPointF centre; // in pixels of the client area
        qreal radius;
        QRgb colour;
    };

    QLabel *CreateLabel(const char *name, const QString &caption, const QRect &rect);
    QLabel *LabelWidget(show::Label label) const;
    bool IsOnShownLabel(const QPoint &pos) const;
    QRect VisibleArea() const;
    bool SyncCanvas();
    QRect Draw(const Outline &outline);
    void Present(const QRect &area);
    void PresentAgain(const QRegion &area);
    void RepaintNow(const QRegion &area);
    bool Presented() const;
    void Fail(const QString &message);
    void PlayFrom(quint64 timestamp);

    QLabel *lblTop_;
    QLabel *lblWords_;
    QColor backdrop_;
    std::vector<Outline> outlines_; // since the last backdrop change
    QImage canvas_;
    QRect canvasArea_; // what canvas_ holds, in logical pixels of the window
    bool wholeWindowVisible_;
    bool pressed_ = false;
    bool closed_ = false;
    bool failed_ = false;
    bool ownPaint_ = false;
    QRegion exposed_; // painted by the event loop, not yet made sure of
    quint64 generation_ = 0;
    quint64 showEndStamp_ = 0; // input time at which the last show ended
    bool showEndKnown_ = false;
    std::unique_ptr<CompositorSync> compositorSync_;
    show::ClickShow show_;
};
