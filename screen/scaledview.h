// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#pragma once

#include <QImage>
#include <QPoint>
#include <QWidget>

class Form1;

// The window's design picture on a larger (or smaller) surface: the whole
// screen, or a window another program hands over. The picture is scaled
// uniformly by the largest factor that fits, in thousandths, and centred;
// the rest is black, as a video player shows a picture of another shape.
//
// The window draws at that scale itself (outlines one design pixel wide,
// sharp) and this view copies what changed as it changes, so the picture
// equals a recording at that scale. Clicks and keys go back to the window
// through the same scale: a click on a shown caption does nothing.
class ScaledView : public QWidget
{
    Q_OBJECT

public:
    explicit ScaledView(Form1 &form, QWidget *parent = nullptr);
    ~ScaledView() override;

    // Device pixels to a pixel of the design, for a surface of `pixels`.
    static double FitScale(QSize pixels);
    double scale() const { return scale_; }
    // Where the picture stands, in device pixels of the view.
    QRect picture() const { return QRect(offset_, picture_.size()); }

signals:
    // F11 or Esc.
    void leaveRequested();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void Rescale();
    void Presented(const QRect &area);
    void Forward(QMouseEvent *event);

    Form1 &form_;
    QImage picture_; // device pixels, at the scale
    double scale_ = 0;
    QPoint offset_;
};
