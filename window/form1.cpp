// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#include "form1.h"

#include "captionlabel.h"
#include "compositorsync.h"
#include "platform.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QTimer>

#include <cstdint>
#include <utility>

namespace {

player::Key KeyOf(int key)
{
    switch (key) {
    case Qt::Key_Space:
        return player::Key::Space;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return player::Key::Return;
    case Qt::Key_F11:
        return player::Key::F11;
    case Qt::Key_Escape:
        return player::Key::Escape;
    case Qt::Key_Q:
        return player::Key::Q;
    case Qt::Key_W:
        return player::Key::W;
    default:
        return player::Key::Other;
    }
}

// The keypad is no modifier: its Enter plays as Return does.
unsigned ModifiersOf(Qt::KeyboardModifiers modifiers)
{
    return (modifiers & Qt::ShiftModifier ? player::kShift : 0u) | (modifiers & Qt::ControlModifier ? player::kControl : 0u)
        | (modifiers & Qt::AltModifier ? player::kAlt : 0u) | (modifiers & Qt::MetaModifier ? player::kMeta : 0u);
}

player::Button ButtonOf(Qt::MouseButton button)
{
    return button == Qt::LeftButton ? player::Button::Primary : player::Button::Other;
}

} // namespace

Form1::Form1(QWidget *parent)
    : QWidget(parent)
    , picture_(palette().color(QPalette::Button).rgb())
    , lblTop_(new CaptionLabel(show::Label::Top, QString::fromStdString(picture_.caption(show::Label::Top).text), this))
    , lblWords_(
          new CaptionLabel(show::Label::Words, QString::fromStdString(picture_.caption(show::Label::Words).text), this))
    , compositorSync_(CompositorSync::Create())
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Form1"));
    // Every pixel comes from the canvas, so Qt need not clear first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::StrongFocus);
    resize(sizeHint());
    SyncCanvas();
    if (compositorSync_)
        connect(compositorSync_.get(), &CompositorSync::presentAgain, this, &Form1::PresentAgain);
}

Form1::~Form1() = default;

QSize Form1::sizeHint() const
{
    return QSize(kClientWidth, kClientHeight);
}

CaptionLabel *Form1::LabelWidget(show::Label label) const
{
    return label == show::Label::Top ? lblTop_ : lblWords_;
}

// The label shows the caption as the picture has it.
void Form1::ShowCaption(show::Label label)
{
    CaptionLabel *widget = LabelWidget(label);
    const QString text = QString::fromStdString(picture_.caption(label).text);
    if (widget->text() != text)
        widget->setText(text);
    const bool wasShown = !widget->isHidden();
    widget->setVisible(picture_.caption(label).shown);
    if (wasShown || !widget->isHidden())
        Present(widget->geometry());
}

// The part of the window that a screen can show: a window larger than the
// desktop, or partly off it, keeps no pixels for the rest and paints none
// there. A Wayland client does not know where its window stands, so there
// all of it counts.
QRect Form1::VisibleArea() const
{
    const QScreen *screen = this->screen();
    if (viewScale_ > 0 || !screen || QGuiApplication::platformName().startsWith(QLatin1String("wayland")))
        return rect();
    const QRect desktop = screen->virtualGeometry();
    return rect() & QRect(mapFromGlobal(desktop.topLeft()), desktop.size());
}

// Follows the visible area and the device pixel ratio: the backdrop and
// every outline since it, drawn again. False when there is no memory for it.
bool Form1::SyncCanvas()
{
    canvas::Canvas &canvas = picture_.canvas();
    const qreal ratio = viewScale_ > 0 ? devicePixelRatioF() * viewScale_ : devicePixelRatioF();
    const QRect area = VisibleArea();
    const canvas::Rect wanted{area.x(), area.y(), area.width(), area.height()};
    if (wanted == canvas.area() && ratio == canvas.ratio() && (!canvas.isNull() || area.isEmpty()))
        return true;
    if (!canvas.Hold(wanted, ratio)) {
        const int width = canvas::Canvas::DevicePixels(area.width(), ratio);
        const int height = canvas::Canvas::DevicePixels(area.height(), ratio);
        Fail(QStringLiteral("out of memory for the window's picture (%1 x %2 pixels, %3 MiB)")
                 .arg(width)
                 .arg(height)
                 .arg((std::uint64_t(width) * std::uint64_t(height) * 4) >> 20));
        return false;
    }
    pixels_ = canvas.isNull() ? QImage()
                              : QImage(reinterpret_cast<const uchar *>(canvas.line(0)), canvas.width(), canvas.height(),
                                       canvas.width() * 4, QImage::Format_RGB32);
    pixels_.setDevicePixelRatio(ratio);
    ++generation_;
    return true;
}

// What the canvas changed, in the window's logical pixels.
QRect Form1::Logical(const canvas::Rect &device) const
{
    const canvas::Rect logical = picture_.canvas().ToLogical(device);
    return QRect(logical.x, logical.y, logical.width, logical.height);
}

float Form1::ClientWidth()
{
    return float(width() * kTwipsPerPixel);
}

float Form1::ClientHeight()
{
    return float(height() * kTwipsPerPixel);
}

bool Form1::Take(const player::Call &call)
{
    if (call.kind == player::Call::Kind::Width || call.kind == player::Call::Kind::Height)
        return true;
    if (!SyncCanvas())
        return false;
    const player::Change change = picture_.Apply(call);
    // Synchronous: what changed is on the screen before the pause that
    // follows. What no screen shows is never painted.
    if (change.filled) {
        const canvas::Rect area = picture_.canvas().area();
        Present(QRect(area.x, area.y, area.width, area.height));
    } else if (!change.pixels.empty()) {
        Present(Logical(change.pixels));
    } else if (!change.captions) {
        return !failed_; // wholly outside what can be seen
    }
    for (const show::Label label : {show::Label::Top, show::Label::Words}) {
        if (change.captions & (1u << int(label)))
            ShowCaption(label);
    }
    return Presented();
}

// Paints now, then makes sure a compositing manager takes it up (see
// CompositorSync); and presents again what an answer has cleared.
void Form1::Present(const QRect &area)
{
    ++generation_;
    if (compositorSync_)
        PresentAgain(compositorSync_->Poll());
    RepaintNow(area);
    if (compositorSync_)
        compositorSync_->Drawn(area);
    emit presented(area);
}

void Form1::PresentAgain(const QRegion &area)
{
    if (!area.isEmpty())
        RepaintNow(area);
}

// The window's own repaint leaves out the part under a shown caption (an
// opaque child, which Qt paints from the event loop), so a caption in `area`
// is repainted by itself: it is on the window as the call returns.
void Form1::RepaintNow(const QRegion &area)
{
    ownPaint_ = true;
    repaint(area);
    for (CaptionLabel *label : {lblTop_, lblWords_}) {
        const QRegion part = area & label->geometry();
        if (label->isVisible() && !part.isEmpty())
            label->repaint(part.translated(-label->pos()));
    }
    ownPaint_ = false;
}

// What was just painted reached the window.
bool Form1::Presented() const
{
    return !failed_ && !DisplayConnectionLost();
}

void Form1::Fail(const QString &message)
{
    if (failed_)
        return;
    failed_ = true;
    emit drawingFailed(message);
}

void Form1::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    if (!painter.isActive()) {
        // Qt has no backing store for this display's visual.
        QString message = QStringLiteral("cannot draw on this display");
        if (depth() < 16)
            message += QStringLiteral(" (it has %1-bit colour; clickshow needs 16-bit colour or more)").arg(depth());
        Fail(message);
        return;
    }
    // What the event loop paints (an uncovered part, say) is made sure of
    // once Qt has sent it, right after this.
    if (compositorSync_ && !ownPaint_) {
        if (exposed_.isEmpty())
            QTimer::singleShot(0, this, [this] { compositorSync_->Drawn(std::exchange(exposed_, QRegion())); });
        exposed_ += event->region();
    }
    // Beyond the canvas no screen reaches: painting there would only cost
    // memory and time (a moved window has its canvas follow and the newly
    // seen part repainted).
    const canvas::Rect held = picture_.canvas().area();
    const QRect area = event->rect() & QRect(held.x, held.y, held.width, held.height);
    if (area.isEmpty() || pixels_.isNull())
        return;
    const qreal ratio = picture_.canvas().ratio();
    const QPointF from = QPointF(area.topLeft() - QPoint(held.x, held.y)) * ratio;
    painter.drawImage(QRectF(area), pixels_, QRectF(from, QSizeF(area.size()) * ratio));
    if (!ownPaint_)
        emit painted();
}

void Form1::closeEvent(QCloseEvent *event)
{
    rules_.Handle(player::Event::CloseAsked());
    QWidget::closeEvent(event);
}

void Form1::resizeEvent(QResizeEvent *event)
{
    SyncCanvas();
    QWidget::resizeEvent(event);
}

// Moved partly off the screen and back, a part comes into view that the
// window system may not expose again: it is painted from the outlines.
void Form1::moveEvent(QMoveEvent *event)
{
    const canvas::Rect before = picture_.canvas().area();
    SyncCanvas();
    const canvas::Rect after = picture_.canvas().area();
    if (after != before)
        update(QRegion(after.x, after.y, after.width, after.height)
                   .subtracted(QRegion(before.x, before.y, before.width, before.height)));
    QWidget::moveEvent(event);
}

void Form1::mousePressEvent(QMouseEvent *event)
{
    const QPointF at = event->position();
    Act(rules_.Handle(player::Event::Press(at.x(), at.y(), ButtonOf(event->button()))));
    event->accept();
}

void Form1::mouseReleaseEvent(QMouseEvent *event)
{
    const QPointF at = event->position();
    event->accept();
    Act(rules_.Handle(player::Event::Release(at.x(), at.y(), ButtonOf(event->button()))));
}

void Form1::mouseDoubleClickEvent(QMouseEvent *event)
{
    const QPointF at = event->position();
    Act(rules_.Handle(player::Event::Press(at.x(), at.y(), ButtonOf(event->button()), 2)));
    event->accept();
}

// Bound by hand: Qt's Quit, Close and FullScreen sequences are empty on
// some platforms.
void Form1::keyPressEvent(QKeyEvent *event)
{
    const player::Action action = rules_.Handle(player::Event::KeyDown(
        KeyOf(event->key()), ModifiersOf(event->modifiers()), event->isAutoRepeat(), std::uint32_t(event->timestamp())));
    if (action == player::Action::None) {
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
    Act(action);
}

void Form1::keyReleaseEvent(QKeyEvent *event)
{
    rules_.Handle(player::Event::KeyUp(KeyOf(event->key()), std::uint32_t(event->timestamp())));
    QWidget::keyReleaseEvent(event);
}

void Form1::Act(player::Action action)
{
    switch (action) {
    case player::Action::Play:
        emit playRequested();
        break;
    case player::Action::Close:
        close();
        break;
    case player::Action::FullScreenOn:
    case player::Action::FullScreenOff:
        emit fullScreenRequested(action == player::Action::FullScreenOn);
        break;
    case player::Action::None:
    case player::Action::LetGo:
        break;
    }
}

void Form1::ShowThrough(qreal scale)
{
    viewScale_ = scale;
    if (SyncCanvas())
        emit presented(rect());
}

void Form1::FullScreenChanged(bool on)
{
    rules_.Handle(player::Event::FullScreenChanged(on));
}

void Form1::BeginShow()
{
    rules_.Handle(player::Event::ShowStarted());
    if (compositorSync_)
        compositorSync_->Refresh();
}

// An answer the last request brought in already waits here, not on the
// socket.
void Form1::EndShow()
{
    rules_.Handle(player::Event::ShowEnded(InputClockNow()));
    if (compositorSync_)
        PresentAgain(compositorSync_->Poll());
}
