// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#include "form1.h"

#include "circleraster.h"
#include "platform.h"

#include "show/showerror.h"

#include <QLabel>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QGuiApplication>
#include <QScreen>

namespace {

QColor ToQColor(show::Colour colour)
{
    return QColor(colour & 0xff, colour >> 8 & 0xff, colour >> 16 & 0xff);
}

QFont CaptionFont()
{
    QFont font;
    font.setFamilies({QStringLiteral("Book Antiqua"), QStringLiteral("Palatino"),
                      QStringLiteral("Palatino Linotype"), QStringLiteral("P052"),
                      QStringLiteral("TeX Gyre Pagella"), QStringLiteral("URW Palladio L")});
    font.setStyleHint(QFont::Serif);
    font.setPointSize(36);
    font.setWeight(QFont::Normal);
    return font;
}

} // namespace

Form1::Form1(show::Pacer &pacer, QWidget *parent)
    : QWidget(parent)
    , lblTop_(CreateLabel("lblTop", QStringLiteral("Salt Lake City "), QRect(104, 16, 313, 65)))
    , lblWords_(CreateLabel("lblWords", QStringLiteral("2002"), QRect(200, 272, 113, 57)))
    , backdrop_(palette().color(QPalette::Button))
    , show_(*this, pacer)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Form1"));
    // Every pixel comes from the canvas, so Qt need not clear first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::StrongFocus);
    resize(sizeHint());
    SyncCanvas();
}

QSize Form1::sizeHint() const
{
    return QSize(kClientWidth, kClientHeight);
}

QLabel *Form1::CreateLabel(const char *name, const QString &caption, const QRect &rect)
{
    auto *label = new QLabel(caption, this);
    label->setObjectName(QLatin1String(name));
    label->setGeometry(rect);
    label->setFont(CaptionFont());
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setWordWrap(false);
    label->setAutoFillBackground(true);
    QPalette palette = label->palette();
    palette.setColor(QPalette::Window, Qt::white);
    label->setPalette(palette);
    label->hide();
    return label;
}

QLabel *Form1::LabelWidget(show::Label label) const
{
    return label == show::Label::Top ? lblTop_ : lblWords_;
}

bool Form1::IsOnShownLabel(const QPoint &pos) const
{
    for (const QLabel *label : {lblTop_, lblWords_}) {
        if (label->isVisible() && label->geometry().contains(pos))
            return true;
    }
    return false;
}

// The part of the window that a screen can show: a window larger than the
// desktop, or partly off it, keeps no pixels for the rest and paints none
// there. A Wayland client does not know where its window stands, so there
// all of it counts.
QRect Form1::VisibleArea() const
{
    const QScreen *screen = this->screen();
    if (!screen || QGuiApplication::platformName().startsWith(QLatin1String("wayland")))
        return rect();
    const QRect desktop = screen->virtualGeometry();
    return rect() & QRect(mapFromGlobal(desktop.topLeft()), desktop.size());
}

// Follows the visible area and the device pixel ratio: keeps what stays
// and gives new area the current backdrop.
void Form1::SyncCanvas()
{
    const qreal ratio = devicePixelRatioF();
    const QRect area = VisibleArea();
    if (area == canvasArea_ && canvas_.devicePixelRatio() == ratio && !canvas_.isNull())
        return;
    QImage next(area.size() * ratio, QImage::Format_RGB32);
    next.setDevicePixelRatio(ratio);
    next.fill(backdrop_);
    if (!canvas_.isNull() && !next.isNull()) {
        QPainter painter(&next);
        painter.drawImage(QPointF(canvasArea_.topLeft() - area.topLeft()), canvas_);
    }
    canvas_ = std::move(next);
    canvasArea_ = area;
}

bool Form1::SetBackdrop(show::Colour colour)
{
    backdrop_ = ToQColor(colour);
    SyncCanvas();
    canvas_.fill(backdrop_);
    // What no screen shows is never painted.
    repaint(canvasArea_);
    return Presented();
}

bool Form1::GetClientWidth(float &twips)
{
    twips = float(width() * kTwipsPerPixel);
    return true;
}

bool Form1::GetClientHeight(float &twips)
{
    twips = float(height() * kTwipsPerPixel);
    return true;
}

bool Form1::DrawCircleOutline(float x, float y, float radius, show::Colour colour)
{
    SyncCanvas();
    // One logical pixel wide at any scale: at a ratio of 2 the picture is
    // the same, only sharper. Logical pixel i spans device pixels i * ratio
    // to (i + 1) * ratio.
    const qreal ratio = canvas_.devicePixelRatio();
    const QPointF centre = QPointF(x, y) / kTwipsPerPixel - canvasArea_.topLeft();
    const QRect drawn = RasterCircleOutline(canvas_, (centre + QPointF(0.5, 0.5)) * ratio - QPointF(0.5, 0.5),
                                            radius / kTwipsPerPixel * ratio, ToQColor(colour).rgb(), ratio);
    if (drawn.isEmpty())
        return true; // wholly outside what can be seen
    // Synchronous: the outline is on the screen before the pause that follows.
    repaint(QRectF(drawn.x() / ratio, drawn.y() / ratio, drawn.width() / ratio, drawn.height() / ratio)
                .toAlignedRect()
                .translated(canvasArea_.topLeft()));
    return Presented();
}

bool Form1::SetLabelVisible(show::Label label, bool visible)
{
    QLabel *widget = LabelWidget(label);
    widget->setVisible(visible);
    repaint(widget->geometry());
    return Presented();
}

bool Form1::SetLabelCaption(show::Label label, const std::string &text)
{
    QLabel *widget = LabelWidget(label);
    widget->setText(QString::fromStdString(text));
    if (widget->isVisible())
        widget->repaint();
    return Presented();
}

// What was just painted reached the window.
bool Form1::Presented() const
{
    return !paintFailed_ && !DisplayConnectionLost();
}

void Form1::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    if (!painter.isActive()) {
        // Qt has no backing store for this display's visual.
        if (!paintFailed_) {
            paintFailed_ = true;
            QString message = QStringLiteral("cannot draw on this display");
            if (depth() < 16)
                message += QStringLiteral(" (it has %1-bit colour; clickshow needs 16-bit colour or more)").arg(depth());
            emit displayFailed(message);
        }
        return;
    }
    // Beyond the canvas no screen reaches: painting there would only cost
    // memory and time (a moved window has its canvas follow and the newly
    // seen part repainted).
    const QRect area = event->rect() & canvasArea_;
    if (area.isEmpty())
        return;
    const qreal ratio = canvas_.devicePixelRatio();
    const QPointF from = QPointF(area.topLeft() - canvasArea_.topLeft()) * ratio;
    painter.drawImage(QRectF(area), canvas_, QRectF(from, QSizeF(area.size()) * ratio));
}

// Clicks and keys already queued behind a close play no hidden shows.
void Form1::closeEvent(QCloseEvent *event)
{
    closed_ = true;
    QWidget::closeEvent(event);
}

void Form1::resizeEvent(QResizeEvent *event)
{
    SyncCanvas();
    QWidget::resizeEvent(event);
}

void Form1::moveEvent(QMoveEvent *event)
{
    const QRect before = canvasArea_;
    SyncCanvas();
    if (canvasArea_ != before)
        update(QRegion(canvasArea_).subtracted(before));
    QWidget::moveEvent(event);
}

void Form1::mousePressEvent(QMouseEvent *event)
{
    pressed_ = event->button() == Qt::LeftButton && !IsOnShownLabel(event->position().toPoint());
    event->accept();
}

void Form1::mouseReleaseEvent(QMouseEvent *event)
{
    const QPoint pos = event->position().toPoint();
    const bool click = pressed_ && event->button() == Qt::LeftButton && rect().contains(pos)
        && !IsOnShownLabel(pos);
    pressed_ = false;
    event->accept();
    if (click)
        PlayClickShow();
}

// The second press of a double click is not a click of its own.
void Form1::mouseDoubleClickEvent(QMouseEvent *event)
{
    pressed_ = false;
    event->accept();
}

// The show without a mouse. Holding the key down repeats nothing: each
// repeat would queue a whole show behind the one that runs.
void Form1::keyPressEvent(QKeyEvent *event)
{
    const int key = event->key();
    if ((key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter) && !event->modifiers()
        && !event->isAutoRepeat()) {
        event->accept();
        PlayClickShow();
        return;
    }
    QWidget::keyPressEvent(event);
}

void Form1::PlayClickShow()
{
    if (closed_)
        return;
    try {
        show_.PlayClickShow();
    } catch (const show::ShowError &error) {
        emit showFailed(QString::fromUtf8(error.what()));
    }
}
