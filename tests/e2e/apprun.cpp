// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#include "apprun.h"

#include <QFile>
#include <QThread>

#include <csignal>
#include <functional>

namespace {

constexpr QRgb kWhite = 0xffffffffu;
constexpr QRgb kGrey100 = 0xff646464u;
constexpr QSize kClientSize(499, 356); // the window as designed

char ProcessState(qint64 pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray line = stat.readAll();
    const int close = line.lastIndexOf(')');
    return close >= 0 && close + 2 < line.size() ? line.at(close + 2) : 0;
}

} // namespace

AppRun::AppRun(const QString &display, const Weston *weston)
    : display_(display)
    , weston_(weston)
{
}

AppRun::~AppRun()
{
    if (process_.state() != QProcess::NotRunning) {
        Continue();
        process_.kill();
        process_.waitForFinished(5000);
    }
}

bool AppRun::Start()
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    if (weston_) {
        env = weston_->ClientEnvironment();
    } else {
        env.insert(QStringLiteral("DISPLAY"), display_);
        env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    }
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    process_.setProcessEnvironment(env);
    XDriver x(display_);
    // Weston takes a moment to drop the window of a program that ended.
    for (int i = 0; weston_ && i < 250 && !FrameOnWeston(x).isEmpty(); ++i)
        QThread::msleep(20);
    process_.start(QStringLiteral(CLICKSHOW_BINARY), {});
    if (!process_.waitForStarted(5000)) {
        problem_ = QStringLiteral("clickshow did not start");
        return false;
    }
    // Until the window shows, empty and painted, or the program gives up.
    QImage last;
    for (int i = 0; i < 500 && process_.state() == QProcess::Running; ++i) {
        if (weston_ ? FindOnWeston(x) : window_ || (window_ = x.FindWindow(QStringLiteral("Form1")))) {
            if (!weston_)
                client_ = QRect(QPoint(0, 0), x.Size(window_));
            last = Grab(x);
            if (IsEmptyPainted(last))
                return true;
        }
        process_.waitForFinished(20);
    }
    if (process_.state() != QProcess::Running)
        problem_ = QStringLiteral("clickshow ended with status %1: %2")
                       .arg(process_.exitCode())
                       .arg(QString::fromLocal8Bit(Errors()));
    else if (!window_)
        problem_ = QStringLiteral("no window titled Form1 showed");
    else
        problem_ = QStringLiteral("its window never showed empty: %1 x %2, first pixel %3")
                       .arg(last.width())
                       .arg(last.height())
                       .arg(last.isNull() ? 0 : last.pixel(0, 0), 8, 16);
    return false;
}

QByteArray AppRun::Errors()
{
    errors_ += process_.readAllStandardError();
    return errors_;
}

// What differs from weston's background, but for the pointer, which weston
// draws into its output and which waits in the bottom-right corner.
QRect AppRun::FrameOnWeston(XDriver &x)
{
    window_ = weston_->output();
    const QImage output = x.Grab(window_);
    const QRect pointer(output.width() - 32, output.height() - 32, 32, 32);
    x.Hover(window_, pointer.bottomRight());
    QRect frame;
    for (int py = 0; py < output.height(); ++py) {
        for (int px = 0; px < output.width(); ++px) {
            if (output.pixel(px, py) != Weston::kBackground && !pointer.contains(px, py))
                frame |= QRect(px, py, 1, 1);
        }
    }
    return frame;
}

// Qt's decoration has equal margins left, right and below and the title
// bar above.
bool AppRun::FindOnWeston(XDriver &x)
{
    const QRect frame = FrameOnWeston(x);
    const int side = (frame.width() - kClientSize.width()) / 2;
    const int title = frame.height() - kClientSize.height() - side;
    if (side < 0 || side > 10 || title < 20 || title > 60)
        return false;
    frame_ = frame;
    client_ = QRect(QPoint(frame.left() + side, frame.bottom() + 1 - side - kClientSize.height()), kClientSize);
    return true;
}

QImage AppRun::Grab(XDriver &x)
{
    return weston_ ? x.Grab(window_, client_) : x.Grab(window_);
}

void AppRun::Click(XDriver &x, QPoint at)
{
    x.Click(window_, client_.topLeft() + at);
    if (weston_)
        x.Hover(window_, QPoint(x.Size(window_).width() - 1, x.Size(window_).height() - 1));
}

void AppRun::Stop()
{
    ::kill(pid_t(pid()), SIGSTOP);
    for (int i = 0; i < 10000 && ProcessState(pid()) != 'T'; ++i)
        QThread::usleep(20);
    // Let the server work through what the program had already sent.
    QThread::usleep(1000);
}

void AppRun::Continue()
{
    ::kill(pid_t(pid()), SIGCONT);
}

QList<AppRun::Phase> AppRun::ClickAndFollow(XDriver &x, QPoint at)
{
    // What stood before the click, however fast the show starts.
    const QImage before = Grab(x);
    QList<Phase> phases{{Backdrop(before), before}};
    Click(x, at);
    Stop();
    bool sawGrey100 = false;
    int still = 0;
    QImage previous;
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < 60000) {
        const QImage frame = Grab(x);
        const QRgb backdrop = Backdrop(frame);
        if (phases.isEmpty() || phases.last().backdrop != backdrop)
            phases.append({backdrop, frame});
        else
            phases.last().last = frame;
        sawGrey100 = sawGrey100 || backdrop == kGrey100;
        still = frame == previous ? still + 1 : 0;
        previous = frame;
        if (sawGrey100 && backdrop == kWhite && still >= 20)
            break;
        Continue();
        QThread::usleep(500);
        Stop();
    }
    Continue();
    // What follows the show (the captions' first paint may load a font) runs
    // free until the picture has stood still for a while.
    if (!phases.isEmpty())
        phases.last().last = WaitUntilStill(x, 300);
    return phases;
}

QImage AppRun::WaitUntilStill(XDriver &x, int stillMs)
{
    QImage last = Grab(x);
    QElapsedTimer still, total;
    still.start();
    total.start();
    while (still.elapsed() < stillMs && total.elapsed() < 10000) {
        QThread::msleep(20);
        const QImage frame = Grab(x);
        if (frame != last) {
            last = frame;
            still.restart();
        }
    }
    return last;
}

QList<QRgb> AppRun::WatchBackdrops(XDriver &x, int timeoutMs,
                                   const std::function<bool(const QList<QRgb> &)> &done)
{
    QList<QRgb> seen;
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < timeoutMs && !done(seen)) {
        const QImage frame = Grab(x);
        if (frame.isNull())
            break;
        const QRgb backdrop = Backdrop(frame);
        if (seen.isEmpty() || seen.last() != backdrop)
            seen.append(backdrop);
        QThread::usleep(2000);
    }
    return seen;
}
