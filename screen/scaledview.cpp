// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#include "scaledview.h"

#include "canvas/canvas.h"
#include "window/form1.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

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

double ScaledView::FitScale(QSize pixels)
{
    const double fit = std::min(double(pixels.width()) / Form1::kClientWidth,
                                double(pixels.height()) / Form1::kClientHeight);
    // In thousandths, so that a recording's --scale can name it exactly.
    return std::max(std::floor(fit * 1000) / 1000, 0.001);
}

void ScaledView::Rescale()
{
    const qreal ratio = devicePixelRatioF();
    const QSize pixels = size() * ratio;
    const double scale = FitScale(pixels);
    if (scale != scale_) {
        scale_ = scale;
        picture_ = QImage(canvas::Canvas::DevicePixels(Form1::kClientWidth, scale),
                          canvas::Canvas::DevicePixels(Form1::kClientHeight, scale), QImage::Format_RGB32);
        picture_.setDevicePixelRatio(scale);
        // The window draws at the view's scale: its canvas is in device
        // pixels of the view.
        form_.ShowThrough(scale / ratio);
    }
    offset_ = QPoint((pixels.width() - picture_.width()) / 2, (pixels.height() - picture_.height()) / 2);
    update();
}

void ScaledView::Presented(const QRect &area)
{
    if (picture_.isNull())
        return;
    form_.render(&picture_, area.topLeft(), QRegion(area));
    // At once, as the window's own present is: before the pause.
    const qreal ratio = devicePixelRatioF();
    const QRectF device(QPointF(offset_) + QPointF(area.topLeft()) * scale_, QSizeF(area.size()) * scale_);
    repaint(QRectF(device.topLeft() / ratio, device.size() / ratio).toAlignedRect());
}

void ScaledView::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    const qreal ratio = devicePixelRatioF();
    const QRect shown = QRectF(QPointF(offset_) / ratio, QSizeF(picture_.size()) / ratio).toAlignedRect();
    for (const QRect &part : (QRegion(event->rect()) - shown))
        painter.fillRect(part, Qt::black);
    const QRect area = event->rect() & shown;
    if (!area.isEmpty() && !picture_.isNull()) {
        // Device pixel for device pixel.
        const QRectF from(QPointF(area.topLeft()) * ratio - QPointF(offset_), QSizeF(area.size()) * ratio);
        painter.drawImage(QRectF(area), picture_, from);
    }
}

void ScaledView::resizeEvent(QResizeEvent *event)
{
    Rescale();
    QWidget::resizeEvent(event);
}

// A point of the view as a point of the window.
void ScaledView::Forward(QMouseEvent *event)
{
    const QPointF at = (event->position() * devicePixelRatioF() - QPointF(offset_)) / scale_;
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
    const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    if (plain && (event->key() == Qt::Key_F11 || event->key() == Qt::Key_Escape)) {
        event->accept();
        emit leaveRequested();
        return;
    }
    QApplication::sendEvent(&form_, event);
}

// Closing the view closes the window: clicks queued behind it play nothing.
void ScaledView::closeEvent(QCloseEvent *event)
{
    form_.close();
    QWidget::closeEvent(event);
}
