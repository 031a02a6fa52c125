#include "apprun.h"

#include <QFile>
#include <QThread>

#include <csignal>
#include <functional>

namespace {

constexpr QRgb kWhite = 0xffffffffu;
constexpr QRgb kGrey100 = 0xff646464u;

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

AppRun::AppRun(const QString &display)
    : display_(display)
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
    env.insert(QStringLiteral("DISPLAY"), display_);
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    process_.setProcessEnvironment(env);
    process_.start(QStringLiteral(CLICKSHOW_BINARY), {});
    if (!process_.waitForStarted(5000))
        return false;
    // Until the window shows, empty and painted, or the program gives up.
    XDriver x(display_);
    for (int i = 0; i < 500 && process_.state() == QProcess::Running; ++i) {
        if (!window_)
            window_ = x.FindWindow(QStringLiteral("Form1"));
        if (window_ && IsEmptyPainted(x.Grab(window_)))
            return true;
        process_.waitForFinished(20);
    }
    return false;
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
    QList<Phase> phases;
    x.Click(window_, at);
    Stop();
    bool sawGrey100 = false;
    int still = 0;
    QImage previous;
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < 60000) {
        const QImage frame = x.Grab(window_);
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
    QImage last = x.Grab(window_);
    QElapsedTimer still, total;
    still.start();
    total.start();
    while (still.elapsed() < stillMs && total.elapsed() < 10000) {
        QThread::msleep(20);
        const QImage frame = x.Grab(window_);
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
        const QImage frame = x.Grab(window_);
        if (frame.isNull())
            break;
        const QRgb backdrop = Backdrop(frame);
        if (seen.isEmpty() || seen.last() != backdrop)
            seen.append(backdrop);
        QThread::usleep(2000);
    }
    return seen;
}
