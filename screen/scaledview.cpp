// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#include "scaledview.h"

#include "window/captionface.h"
#include "window/form1.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>

ScaledView::ScaledView(Form1 &form, QWidget *parent)
    : QWidget(parent)
    , form_(form)
{
    setWindowTitle(form.windowTitle());
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::StrongFocus);
    connect(&form_, &Form1::presented, this, &ScaledView::Presented);
    form_.installEventFilter(this);
}

// The window closed (Ctrl+W, say): so does the view that shows it.
bool ScaledView::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == &form_ && event->type() == QEvent::Close)
        close();
    return QWidget::eventFilter(watched, event);
}

ScaledView::~ScaledView() = default;

void ScaledView::Rescale()
{
    const qreal ratio = devicePixelRatioF();
    const QSize pixels = size() * ratio;
    if (pixels == fitted_)
        return;
    fitted_ = pixels;
    fit_ = player::FitDesign(pixels.width(), pixels.height());
    // The window draws at the view's scale: its canvas is in device pixels
    // of the view.
    form_.ShowThrough(fit_.scale / ratio);
    update();
}

void ScaledView::Presented(const QRect &area)
{
    // At once, as the window's own present is: before the pause.
    const qreal ratio = devicePixelRatioF();
    const QRectF device(QPointF(fit_.picture.x, fit_.picture.y) + QPointF(area.topLeft()) * fit_.scale,
                        QSizeF(area.size()) * fit_.scale);
    repaint(QRectF(device.topLeft() / ratio, device.size() / ratio).toAlignedRect());
}

void ScaledView::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    const qreal ratio = devicePixelRatioF();
    const QRectF picture(fit_.picture.x, fit_.picture.y, fit_.picture.width, fit_.picture.height);
    const QRect shown = QRectF(picture.topLeft() / ratio, picture.size() / ratio).toAlignedRect();
    for (const QRect &part : (QRegion(event->rect()) - shown))
        painter.fillRect(part, Qt::black);
    const QImage &pixels = form_.pixels();
    const QRect area = event->rect() & shown;
    if (area.isEmpty() || pixels.isNull())
        return;
    painter.setClipRect(area);
    // Device pixel for device pixel; the captions over them at the scale.
    painter.scale(1 / ratio, 1 / ratio);
    painter.translate(picture.topLeft());
    painter.drawImage(picture.translated(-picture.topLeft()), pixels, QRectF(QPointF(0, 0), picture.size()));
    painter.scale(fit_.scale, fit_.scale);
    PaintCaptions(painter, form_.picture());
    emit painted();
}

void ScaledView::resizeEvent(QResizeEvent *event)
{
    Rescale();
    QWidget::resizeEvent(event);
}

// A point of the view as a point of the window.
void ScaledView::Forward(QMouseEvent *event)
{
    const QPointF device = event->position() * devicePixelRatioF();
    const QPointF at(fit_.DesignX(device.x()), fit_.DesignY(device.y()));
    QMouseEvent mapped(event->type(), at, event->globalPosition(), event->button(), event->buttons(),
                       event->modifiers());
    mapped.setTimestamp(event->timestamp());
    QApplication::sendEvent(&form_, &mapped);
    event->accept();
}

void ScaledView::mousePressEvent(QMouseEvent *event)
{
    Forward(event);
}

void ScaledView::mouseReleaseEvent(QMouseEvent *event)
{
    Forward(event);
}

void ScaledView::mouseDoubleClickEvent(QMouseEvent *event)
{
    Forward(event);
}

void ScaledView::keyPressEvent(QKeyEvent *event)
{
    QApplication::sendEvent(&form_, event);
}

void ScaledView::keyReleaseEvent(QKeyEvent *event)
{
    QApplication::sendEvent(&form_, event);
}

// Closing the view closes the window: clicks queued behind it play nothing.
void ScaledView::closeEvent(QCloseEvent *event)
{
    form_.close();
    QWidget::closeEvent(event);
}
