// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#include "form1.h"

#include "compositorsync.h"
#include "platform.h"

#include "canvas/showdrawing.h"

#include <QElapsedTimer>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QTimer>

#include <cstdint>
#include <cstdlib>
#include <utility>

namespace {

QFont CaptionFont()
{
    QFont font;
    QStringList families;
    for (const char *face : show::kCaptionFaces)
        families.append(QLatin1String(face));
    font.setFamilies(families);
    font.setStyleHint(QFont::Serif);
    font.setPointSize(show::kCaptionPoints);
    font.setWeight(QFont::Normal);
    return font;
}

// The caption's ink, drawn from the label's top-left corner, lies inside
// `box`: not a letter cut at the right or the bottom.
bool Fits(const QFont &font, const QString &text, const QSize &box)
{
    const QFontMetrics metrics(font);
    const QRect ink = metrics.tightBoundingRect(text).translated(0, metrics.ascent());
    return ink.top() >= 0 && ink.right() < box.width() && ink.bottom() < box.height();
}

// The designed face and size where the text fits its label; else the same
// face, or what the system puts in its place, at the largest size that
// fits. The trailing blank of the designed caption never shows.
void FitCaption(QLabel *label)
{
    QString text = label->text();
    while (text.endsWith(QLatin1Char(' ')))
        text.chop(1);
    QFont font = CaptionFont();
    const QSize box = label->contentsRect().size();
    for (int pixels = QFontInfo(font).pixelSize(); pixels > 1 && !Fits(font, text, box); --pixels)
        font.setPixelSize(pixels - 1);
    label->setFont(font);
}

} // namespace

Form1::Form1(QWidget *parent, bool wholeWindowVisible)
    : QWidget(parent)
    , lblTop_(CreateLabel("lblTop", QLatin1String(show::kTopCaptionAtStart), kTopCaptionRect))
    , lblWords_(CreateLabel("lblWords", QLatin1String(show::kWordsCaptionAtStart), kWordsCaptionRect))
    , canvas_(palette().color(QPalette::Button).rgb())
    , wholeWindowVisible_(wholeWindowVisible)
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

QLabel *Form1::CreateLabel(const char *name, const QString &caption, const QRect &rect)
{
    auto *label = new QLabel(caption, this);
    label->setObjectName(QLatin1String(name));
    label->setGeometry(rect);
    FitCaption(label);
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

// Shown as the show left them, whether the window shows itself or not.
bool Form1::IsOnShownLabel(const QPoint &pos) const
{
    for (const QLabel *label : {lblTop_, lblWords_}) {
        if (!label->isHidden() && label->geometry().contains(pos))
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
    if (wholeWindowVisible_ || viewScale_ > 0 || !screen
        || QGuiApplication::platformName().startsWith(QLatin1String("wayland")))
        return rect();
    const QRect desktop = screen->virtualGeometry();
    return rect() & QRect(mapFromGlobal(desktop.topLeft()), desktop.size());
}

// Follows the visible area and the device pixel ratio: the backdrop and
// every outline since it, drawn again. False when there is no memory for it.
bool Form1::SyncCanvas()
{
    const qreal ratio = viewScale_ > 0 ? devicePixelRatioF() * viewScale_ : devicePixelRatioF();
    const QRect area = VisibleArea();
    const canvas::Rect wanted{area.x(), area.y(), area.width(), area.height()};
    if (wanted == canvas_.area() && ratio == canvas_.ratio() && (!canvas_.isNull() || area.isEmpty()))
        return true;
    if (!canvas_.Hold(wanted, ratio)) {
        const int width = canvas::Canvas::DevicePixels(area.width(), ratio);
        const int height = canvas::Canvas::DevicePixels(area.height(), ratio);
        Fail(QStringLiteral("out of memory for the window's picture (%1 x %2 pixels, %3 MiB)")
                 .arg(width)
                 .arg(height)
                 .arg((std::uint64_t(width) * std::uint64_t(height) * 4) >> 20));
        return false;
    }
    picture_ = canvas_.isNull() ? QImage()
                                : QImage(reinterpret_cast<const uchar *>(canvas_.line(0)), canvas_.width(),
                                         canvas_.height(), canvas_.width() * 4, QImage::Format_RGB32);
    picture_.setDevicePixelRatio(ratio);
    ++generation_;
    return true;
}

// What the canvas changed, in the window's logical pixels.
QRect Form1::Logical(const canvas::Rect &device) const
{
    const canvas::Rect logical = canvas_.ToLogical(device);
    return QRect(logical.x, logical.y, logical.width, logical.height);
}

bool Form1::SetBackdrop(show::Colour colour)
{
    canvas_.SetBackdrop(canvas::PixelOf(colour));
    if (!SyncCanvas())
        return false;
    // What no screen shows is never painted.
    const canvas::Rect area = canvas_.area();
    Present(QRect(area.x, area.y, area.width, area.height));
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
    if (!SyncCanvas())
        return false;
    const QRect drawn = Logical(canvas::DrawShowOutline(canvas_, x, y, radius, colour));
    if (drawn.isEmpty())
        return !failed_; // wholly outside what can be seen
    // Synchronous: the outline is on the screen before the pause that follows.
    Present(drawn);
    return Presented();
}

bool Form1::SetLabelVisible(show::Label label, bool visible)
{
    QLabel *widget = LabelWidget(label);
    widget->setVisible(visible);
    Present(widget->geometry());
    return Presented();
}

bool Form1::SetLabelCaption(show::Label label, const std::string &text)
{
    QLabel *widget = LabelWidget(label);
    widget->setText(QString::fromStdString(text));
    FitCaption(widget);
    if (!widget->isHidden())
        Present(widget->geometry());
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
    for (QLabel *label : {lblTop_, lblWords_}) {
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
    const canvas::Rect held = canvas_.area();
    const QRect area = event->rect() & QRect(held.x, held.y, held.width, held.height);
    if (area.isEmpty() || picture_.isNull())
        return;
    const qreal ratio = canvas_.ratio();
    const QPointF from = QPointF(area.topLeft() - QPoint(held.x, held.y)) * ratio;
    painter.drawImage(QRectF(area), picture_, QRectF(from, QSizeF(area.size()) * ratio));
}

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

// Moved partly off the screen and back, a part comes into view that the
// window system may not expose again: it is painted from the outlines.
void Form1::moveEvent(QMoveEvent *event)
{
    const canvas::Rect before = canvas_.area();
    SyncCanvas();
    const canvas::Rect after = canvas_.area();
    if (after != before)
        update(QRegion(after.x, after.y, after.width, after.height)
                   .subtracted(QRegion(before.x, before.y, before.width, before.height)));
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
        RequestPlay(event->timestamp());
}

// The second press of a double click is not a click of its own.
void Form1::mouseDoubleClickEvent(QMouseEvent *event)
{
    pressed_ = false;
    event->accept();
}

// The show without a mouse: Space, Return, and Enter on the main keys or
// the keypad, without Shift, Ctrl or Alt. Holding a key down repeats
// nothing, and keys pressed while a show runs start no more shows: clicks
// do, one each, but a key hammered during a show would hold the window for
// minutes.
void Form1::keyPressEvent(QKeyEvent *event)
{
    // As desktop programs close: queued behind a show, it comes after it.
    // Bound by hand as well, as not every platform theme binds them.
    const bool control = (event->modifiers() & ~Qt::KeypadModifier) == Qt::ControlModifier;
    if (event->matches(QKeySequence::Quit) || event->matches(QKeySequence::Close)
        || (control && (event->key() == Qt::Key_Q || event->key() == Qt::Key_W))) {
        event->accept();
        close();
        return;
    }
    const int key = event->key();
    // Bound by hand: Qt's FullScreen sequence is empty outside GNOME and KDE.
    if (key == Qt::Key_F11 && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        event->accept();
        emit fullScreenRequested();
        return;
    }
    const bool showKey = key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter;
    if (showKey && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        event->accept();
        // Input times are in milliseconds of the display's own clock.
        const bool duringLastShow = showEndKnown_
            && std::int32_t(std::uint32_t(event->timestamp()) - std::uint32_t(showEndStamp_)) < 0;
        if (!event->isAutoRepeat() && !duringLastShow)
            RequestPlay(event->timestamp());
        return;
    }
    QWidget::keyPressEvent(event);
}

// A show started by input at `timestamp` ends, on the input clock, that
// much later than it began to run. Clicks and keys already queued behind
// a close play no hidden shows.
void Form1::RequestPlay(quint64 timestamp)
{
    if (closed_)
        return;
    QElapsedTimer timer;
    timer.start();
    emit playRequested();
    showEndStamp_ = timestamp + quint64(timer.elapsed());
    showEndKnown_ = timestamp != 0;
}

void Form1::ShowThrough(qreal scale)
{
    viewScale_ = scale;
    if (SyncCanvas())
        emit presented(rect());
}

void Form1::BeginShow()
{
    if (compositorSync_)
        compositorSync_->Refresh();
}

// An answer the last request brought in already waits here, not on the
// socket.
void Form1::EndShow()
{
    if (compositorSync_)
        PresentAgain(compositorSync_->Poll());
}
