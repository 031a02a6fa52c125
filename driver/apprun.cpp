// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#include "apprun.h"

#include "xserver.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>
#include <QThread>

#include <sys/resource.h>

namespace {

// Only real breakage makes a wait last this long.
constexpr int kCeilingMs = 60000;

// Pixels that differ from the backdrop under them.
long Ink(const QImage &image, QRgb backdrop)
{
    long ink = 0;
    for (int y = 0; y < image.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            ink += (line[x] & 0xffffffu) != (backdrop & 0xffffffu);
    }
    return ink;
}

bool SamePixels(const QImage &a, const QImage &b)
{
    return !a.isNull() && PixelsDiffering(a, b) == 0;
}

// Where weston draws the pointer while it waits in the bottom-right corner.
QRect WestonPointer()
{
    return QRect(QPoint(Weston::kOutput.width() - 40, Weston::kOutput.height() - 40), QSize(40, 40));
}

} // namespace

AppRun::AppRun(XDriver &x, const QString &display, const Weston *weston)
    : x_(x)
    , display_(display)
    , weston_(weston)
{
}

AppRun::~AppRun()
{
    if (process_.state() != QProcess::NotRunning) {
        process_.kill();
        process_.waitForFinished(5000);
    }
}

bool AppRun::Fail(const QString &what)
{
    problem_ = what;
    return false;
}

bool AppRun::Start(const QImage &empty)
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
    process_.setChildProcessModifier(DieWithParent);

    QElapsedTimer timer;
    timer.start();
    QImage before;
    if (weston_) {
        // Until weston has dropped the window of a program that ended: its
        // output all background but for the pointer in the bottom-right
        // corner.
        const auto bare = [&](const QImage &output) {
            for (int y = 0; y < output.height(); ++y) {
                for (int x = 0; x < output.width(); ++x) {
                    if (output.pixel(x, y) != Weston::kBackground && !WestonPointer().contains(x, y))
                        return false;
                }
            }
            return !output.isNull();
        };
        while (!bare(before = x_.Grab(weston_->output()))) {
            if (timer.elapsed() > kCeilingMs)
                return Fail(QStringLiteral("weston still shows another window"));
            QThread::msleep(20);
        }
    }
    // CLICKSHOW_E2E_BINARY tries another build of the program, an older one say.
    const QString binary = qEnvironmentVariable("CLICKSHOW_E2E_BINARY", QStringLiteral(CLICKSHOW_BINARY));
    process_.start(binary, {});
    if (!process_.waitForStarted(kCeilingMs))
        return Fail(QStringLiteral("clickshow did not start"));
    compositor_ = !weston_ && x_.HasCompositor();
    while (timer.elapsed() < kCeilingMs) {
        if (process_.state() != QProcess::Running)
            return Fail(QStringLiteral("clickshow ended with status %1: %2")
                            .arg(process_.exitCode())
                            .arg(QString::fromLocal8Bit(Errors())));
        if (weston_) {
            if (FindOnWeston(before, empty))
                return true;
        } else if (window_ || (window_ = x_.FindWindow(QStringLiteral("Form1")))) {
            client_ = QRect(QPoint(0, 0), x_.Size(window_));
            if (SamePixels(Grab(), empty))
                return true;
        }
        process_.waitForFinished(10);
    }
    return Fail(window_ ? QStringLiteral("its window never showed empty (%1 pixels of %2 x %3 differ)")
                              .arg(PixelsDiffering(last_, empty))
                              .arg(last_.width())
                              .arg(last_.height())
                        : QStringLiteral("no window titled Form1 showed"));
}

// What changed on weston's output since the program started is the window
// with the frame Qt draws: equal borders left, right and below, and the
// title bar above. The client area inside it must show `empty`.
bool AppRun::FindOnWeston(const QImage &before, const QImage &empty)
{
    window_ = weston_->output();
    const QImage output = x_.Grab(window_);
    if (output.size() != before.size())
        return false;
    last_ = output;
    QRect changed;
    for (int y = 0; y < output.height(); ++y) {
        for (int x = 0; x < output.width(); ++x) {
            if (output.pixel(x, y) != before.pixel(x, y) && !WestonPointer().contains(x, y))
                changed |= QRect(x, y, 1, 1);
        }
    }
    const QSize size = empty.size();
    const int side = (changed.width() - size.width()) / 2;
    const QRect client(QPoint(changed.left() + side, changed.bottom() + 1 - side - size.height()), size);
    if (side < 0 || client.top() <= changed.top() || !SamePixels(output.copy(client), empty))
        return false;
    frame_ = changed;
    client_ = client;
    return true;
}

bool AppRun::LimitMemory(qint64 bytes)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(process_.processId()));
    if (!status.open(QIODevice::ReadOnly))
        return false;
    qint64 data = -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmData:"))
            data = line.mid(7).trimmed().split(' ').value(0).toLongLong() * 1024;
    }
    const rlimit limit{rlim_t(data + bytes), rlim_t(data + bytes)};
    return data >= 0 && prlimit(pid_t(process_.processId()), RLIMIT_DATA, &limit, nullptr) == 0;
}

QByteArray AppRun::Errors()
{
    errors_ += process_.readAllStandardError();
    return errors_;
}

QImage AppRun::Grab(QRect area)
{
    if (area.isNull())
        area = QRect(QPoint(0, 0), weston_ ? client_.size() : x_.Size(window_));
    QImage image;
    if (weston_)
        image = x_.Grab(window_, area.translated(client_.topLeft()));
    else if (compositor_)
        image = x_.GrabScreen(area.translated(x_.OnScreen(window_).topLeft()));
    else
        image = x_.Grab(window_, area);
    if (!image.isNull())
        last_ = image;
    return image;
}

void AppRun::Click(QPoint at)
{
    x_.Click(window_, client_.topLeft() + at);
    // Weston draws the pointer into its output: out of the way again.
    if (weston_)
        x_.Hover(window_, QPoint(Weston::kOutput.width() - 1, Weston::kOutput.height() - 1));
}

bool AppRun::WaitFor(const QImage &picture, QRect area)
{
    const QImage expected = area.isNull() ? picture : picture.copy(area);
    QElapsedTimer timer;
    timer.start();
    while (!SamePixels(Grab(area), expected)) {
        if (timer.elapsed() > kCeilingMs)
            return Fail(QStringLiteral("the picture never came: %1 pixels of it differ at last")
                            .arg(PixelsDiffering(last_, expected)));
        QThread::usleep(500);
    }
    return true;
}

bool AppRun::WaitUntil(const std::function<bool(const QImage &)> &done, const QString &what)
{
    QElapsedTimer timer;
    timer.start();
    for (QImage frame = Grab(); !done(frame); frame = Grab()) {
        if (timer.elapsed() > kCeilingMs)
            return Fail(QStringLiteral("never saw ") + what);
        QThread::usleep(500);
    }
    return true;
}

bool AppRun::Settle(const QImage &standing)
{
    QString changed;
    const bool answered = x_.Ping(window_, kCeilingMs, [&] {
        const QImage frame = standing.isNull() ? QImage() : Grab();
        if (!frame.isNull() && !SamePixels(frame, standing))
            changed = QStringLiteral("the picture changed, by %1 pixels, while it should stand")
                          .arg(PixelsDiffering(frame, standing));
        return changed.isEmpty();
    });
    if (!changed.isEmpty())
        return Fail(changed);
    return answered || Fail(QStringLiteral("no answer to a ping within a minute"));
}

bool AppRun::Follow(const QList<ShowReference::Show> &shows, Followed &followed,
                    const std::function<void(int, int)> &during, bool untilItCloses)
{
    followed.seen = QList<QList<int>>(shows.size());
    followed.actOneSteps = 0;
    QSet<long> actOne;
    int show = 0;
    int at = 0; // the picture of the show seen last
    int phase = 0;
    long ink = -1;
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < kCeilingMs) {
        const QImage frame = Grab();
        if (frame.isNull() && untilItCloses)
            return true;
        if (frame.isNull())
            return Fail(QStringLiteral("the window went away during show %1").arg(show + 1));
        const quint64 hash = PictureHash(frame);
        int found = -1;
        int foundShow = show;
        for (int k = show; k < shows.size() && found < 0; ++k) {
            found = shows[k].Find(hash, k == show ? at : 0);
            foundShow = k;
        }
        int nextPhase = -1;
        int nextShow = show;
        if (found >= 0) {
            nextShow = foundShow;
            nextPhase = shows[nextShow].phase[found];
        } else if (compositor_) {
            // A compositing manager may show a picture late or in part: its
            // backdrop must be that of this phase or a later one.
            const QRgb backdrop = Backdrop(frame);
            const QList<QRgb> &order = shows[show].backdrop;
            for (int p = phase; p < order.size() && nextPhase < 0; ++p) {
                if (order[p] == backdrop)
                    nextPhase = p;
            }
            if (nextPhase < 0 && show + 1 < shows.size() && shows[show + 1].backdrop.value(1) == backdrop) {
                nextShow = show + 1;
                nextPhase = 1;
            }
            if (nextPhase < 0)
                return Fail(QStringLiteral("show %1 showed a backdrop out of its order").arg(show + 1));
        } else if (weston_ && show == 0 && at == 0) {
            // Weston draws the pointer into its output, over the client
            // area until it has taken the move away from the click.
            QThread::usleep(200);
            continue;
        } else {
            return Fail(QStringLiteral("a picture that no show goes through, in show %1 after picture %2 of %3")
                            .arg(show + 1)
                            .arg(at)
                            .arg(shows[show].size()));
        }
        // Within a phase the ink only grows: outlines are added, never
        // taken. (A compositing manager may put the new backdrop on the
        // screen in parts: the ink counts once the last backdrop is gone.)
        const ShowReference::Show &now = shows[nextShow];
        const long frameInk = Ink(frame, now.backdrop.value(nextPhase));
        // Before the first backdrop the show hides the captions: no ink rule there.
        const bool landed = nextPhase > 0
            && (found >= 0 || !HasColourIn(frame, frame.rect(), now.backdrop.value(nextPhase - 1)));
        if (nextShow != show || nextPhase != phase)
            ink = -1;
        if (landed && frameInk < ink)
            return Fail(QStringLiteral("the ink of show %1 shrank in phase %2, from %3 to %4 pixels")
                            .arg(nextShow + 1)
                            .arg(nextPhase)
                            .arg(ink)
                            .arg(frameInk));
        if (landed)
            ink = std::max(ink, frameInk);
        show = nextShow;
        phase = nextPhase;
        if (found >= 0)
            at = found;
        if (show == 0 && phase == 1)
            actOne.insert(found >= 0 ? found : -frameInk);
        followed.actOneSteps = int(actOne.size());
        QList<int> &seen = followed.seen[show];
        if (found >= 0 && (seen.isEmpty() || seen.last() != at))
            seen.append(at);
        if (during)
            during(show, at);
        if (found >= 0 && show == shows.size() - 1 && at == shows.last().size() - 1)
            return true;
        QThread::usleep(200);
    }
    return Fail(QStringLiteral("show %1 did not end within a minute: at picture %2 of %3")
                    .arg(show + 1)
                    .arg(at)
                    .arg(shows[show].size()));
}

bool AppRun::WaitForExit(const QImage &standing)
{
    QElapsedTimer timer;
    timer.start();
    while (process_.state() != QProcess::NotRunning && !process_.waitForFinished(5)) {
        if (timer.elapsed() > kCeilingMs)
            return Fail(QStringLiteral("still running after a minute"));
        const QImage frame = Grab();
        if (!frame.isNull() && !SamePixels(frame, standing) && process_.state() == QProcess::Running)
            return Fail(QStringLiteral("the picture changed before the program ended: %1 pixels")
                            .arg(PixelsDiffering(frame, standing)));
    }
    return true;
}

QString AppRun::SaveArtifacts(const QString &name, const QString &extraLog)
{
    QString folder = name;
    folder.replace(QRegularExpression(QStringLiteral("[^A-Za-z0-9_.-]+")), QStringLiteral("-"));
    const QString dir = QStringLiteral(CLICKSHOW_E2E_ARTIFACTS "/") + folder;
    QDir().mkpath(dir);
    if (!last_.isNull())
        last_.save(dir + QStringLiteral("/last-picture.png"));
    QFile errors(dir + QStringLiteral("/clickshow-stderr.txt"));
    if (errors.open(QIODevice::WriteOnly))
        errors.write(Errors());
    for (const QString &log : {weston_ ? weston_->logPath() : QString(), extraLog}) {
        if (!log.isEmpty()) {
            QFile::remove(dir + QLatin1Char('/') + QFileInfo(log).fileName());
            QFile::copy(log, dir + QLatin1Char('/') + QFileInfo(log).fileName());
        }
    }
    return dir;
}
