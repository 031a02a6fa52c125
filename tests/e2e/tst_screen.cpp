// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

// The show on a whole screen: full screen under openbox, a screensaver in a
// window the test hands over, and as a hack of a real XScreenSaver daemon.

#include "e2emain.h"

#include "driver/picture.h"
#include "driver/screenwatch.h"
#include "driver/processstat.h"
#include "driver/showreference.h"
#include "driver/windowmanager.h"
#include "driver/xdriver.h"
#include "driver/xserver.h"
#include "window/form1.h"

#include <QDir>
#include <QElapsedTimer>
#include <QPainter>
#include <QTemporaryDir>

#include <unistd.h>

namespace {

QProcessEnvironment Environment(const QString &display)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), display);
    for (const char *name : {"WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "XSCREENSAVER_WINDOW"})
        env.remove(QLatin1String(name));
    return env;
}

bool Running(const QString &arguments)
{
    for (const QString &pid : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        QFile line(QStringLiteral("/proc/%1/cmdline").arg(pid));
        if (line.open(QIODevice::ReadOnly) && line.readAll().replace('\0', ' ').contains(arguments.toUtf8()))
            return true;
    }
    return false;
}

} // namespace

class TestScreen : public QObject
{
    Q_OBJECT

private slots:
    void fullScreenShowsTheDesignScaled();
    void screensaverInAWindowItIsGiven();
    void smallWindowShowsTheRecordedPicture_data();
    void smallWindowShowsTheRecordedPicture();
    void xscreensaverRunsItAsAHack();
};

// On 1600 x 900 under openbox: the whole screen, after a show equal to a
// recording at that scale centred in black; F11 gives back the window.
void TestScreen::fullScreenShowsTheDesignScaled()
{
    XServer server(QStringLiteral("1600x900x24"));
    QVERIFY(server.isRunning());
    WindowManager openbox(QStringLiteral("openbox"), server.display());
    QVERIFY2(openbox.problem().isEmpty(), qPrintable(openbox.problem()));
    XDriver x(server.display());

    // The largest scale in thousandths at which 499 x 356 fits, centred.
    const double scale = 2.528;
    const QPoint offset(169, 0);
    const QImage expected = RecordedPicture(QSize(1600, 900), scale, offset);
    QVERIFY(!expected.isNull());

    QProcess app;
    app.setProcessEnvironment(Environment(server.display()));
    app.setChildProcessModifier(DieWithParent);
    app.start(QStringLiteral(CLICKSHOW_BINARY), {QStringLiteral("--fullscreen")});
    XWindow window = 0;
    QVERIFY(WaitFor([&] { return QImage(); },
                    [&](const QImage &) {
                        window = x.FindWindow(QStringLiteral("Form1"));
                        return window && x.OnScreen(window) == QRect(0, 0, 1600, 900);
                    }));
    x.Click(window, offset + Form1::kOpenSurface * scale);
    QVERIFY2(WaitFor([&] { return x.GrabScreen(QRect(0, 0, 1600, 900)); },
                     [&](const QImage &screen) { return PixelsDiffering(screen, expected) == 0; }),
             "the screen never showed the recording's final picture");

    ShowReference reference;
    const QImage plain = reference.Next().last;
    x.Key(window, "F11");
    QVERIFY2(WaitFor([&] { return QImage(); },
                     [&](const QImage &) {
                         window = x.FindWindow(QStringLiteral("Form1"));
                         return window && x.Size(window) == plain.size() && PixelsDiffering(x.Grab(window), plain) == 0;
                     }),
             "F11 gave back no window with the show's picture");
    app.kill();
    app.waitForFinished();
}

// A window of the preview's size, handed over by id: the show loops in it
// on the timeline, asleep between outlines, and SIGTERM ends it at once.
void TestScreen::screensaverInAWindowItIsGiven()
{
    XServer server;
    QVERIFY(server.isRunning());
    XDriver x(server.display());
    const XWindow host = x.Cover(QRect(0, 0, 423, 237));
    constexpr double kLoop = 0.5;
    QProcess app;
    app.setProcessEnvironment(Environment(server.display()));
    app.setChildProcessModifier(DieWithParent);
    app.start(QStringLiteral(CLICKSHOW_BINARY), {QStringLiteral("--window-id"), QStringLiteral("0x%1").arg(host, 0, 16),
                                                 QStringLiteral("--loop"), QString::number(kLoop)});
    QVERIFY(app.waitForStarted());
    QElapsedTimer wall;
    wall.start();
    Followed followed;
    QVERIFY2(FollowBackdrops([&] { return x.Grab(host); }, 3, followed), "the backdrops came out of order");
    const double core = double(processstat::Ticks(app.processId())) / double(sysconf(_SC_CLK_TCK)) / (wall.elapsed() / 1e3);
    QStringList lengths;
    for (int i = 0; i < followed.finales.size(); ++i)
        lengths.append(QString::number((followed.finales[i] - followed.starts[i]) / 1e3, 'f', 3));
    qInfo("three looping shows in %.2f s, %.1f %% of a core; each %s s", wall.elapsed() / 1e3, core * 100,
          qPrintable(lengths.join(QStringLiteral(", "))));
    QVERIFY2(core <= 0.10, qPrintable(QStringLiteral("%1 % of a core").arg(core * 100)));
    // Each show begins once the one before has stood the loop's time (a
    // look at the screen later, at worst).
    for (int i = 1; i < followed.starts.size(); ++i)
        QVERIFY(followed.starts[i] - followed.finales[i - 1] >= kLoop * 1000 - 50);
    app.terminate();
    QVERIFY2(app.waitForFinished(1000), "SIGTERM did not end it within a second");
}

void TestScreen::smallWindowShowsTheRecordedPicture_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<double>("scale"); // the largest in thousandths that fits
    QTest::addColumn<QPoint>("at");    // centred

    QTest::newRow("320 x 240") << QSize(320, 240) << 0.641 << QPoint(0, 6);
    QTest::newRow("a settings preview, 152 x 112") << QSize(152, 112) << 0.304 << QPoint(0, 2);
}

// Smaller than the design: the picture is a recording's at that scale,
// the second show's as the first one's.
void TestScreen::smallWindowShowsTheRecordedPicture()
{
    QFETCH(QSize, size);
    QFETCH(double, scale);
    QFETCH(QPoint, at);

    XServer server;
    QVERIFY(server.isRunning());
    XDriver x(server.display());
    const XWindow host = x.Cover(QRect(QPoint(0, 0), size));
    const QImage expected = RecordedPicture(size, scale, at);
    QVERIFY(!expected.isNull());
    QProcess app;
    app.setProcessEnvironment(Environment(server.display()));
    app.setChildProcessModifier(DieWithParent);
    app.start(QStringLiteral(CLICKSHOW_BINARY), {QStringLiteral("--window-id"), QStringLiteral("0x%1").arg(host, 0, 16),
                                                 QStringLiteral("--loop"), QStringLiteral("1")});
    QVERIFY(app.waitForStarted());
    Followed followed;
    QVERIFY2(FollowBackdrops([&] { return x.Grab(host); }, 2, followed), "the backdrops came out of order");
    QImage seen;
    QVERIFY2(WaitFor([&] { return seen = x.Grab(host); },
                     [&](const QImage &picture) { return DifferingOutsideCaptions(picture, expected, scale, at) == 0; }),
             qPrintable(QStringLiteral("%1 pixels differ from the recording's")
                            .arg(DifferingOutsideCaptions(seen, expected, scale, at))));
    app.kill();
    app.waitForFinished();
}

// A real XScreenSaver daemon runs the program as its hack, on the whole
// screen, and stops it. It runs no hacks as root: it runs as nobody then.
void TestScreen::xscreensaverRunsItAsAHack()
{
    XServer server(QStringLiteral("1280x720x24"));
    QVERIFY(server.isRunning());
    XDriver x(server.display());
    QTemporaryDir home;
    // A copy the daemon's user can run: a build may sit in a folder only
    // its owner enters.
    const QString program = home.filePath(QStringLiteral("clickshow"));
    QVERIFY(QFile::copy(QStringLiteral(CLICKSHOW_BINARY), program));
    const QString hack = program + QStringLiteral(" --root --loop 1");
    // As a person adds it to the list, with a name of its own.
    QFile settings(home.filePath(QStringLiteral(".xscreensaver")));
    QVERIFY(settings.open(QIODevice::WriteOnly));
    settings.write("mode: one\nselected: 0\ntimeout: 0:30:00\nlock: False\nsplash: False\nfade: False\n"
                   "unfade: False\nprograms: \"Click Show\" " + hack.toUtf8() + " \\n\n");
    settings.close();
    QStringList asUser;
    if (getuid() == 0) {
        QVERIFY(QProcess::execute(QStringLiteral("chown"), {QStringLiteral("-R"), QStringLiteral("nobody"), home.path()}) == 0);
        asUser = {QStringLiteral("setpriv"), QStringLiteral("--reuid=nobody"), QStringLiteral("--regid=nogroup"),
                  QStringLiteral("--clear-groups")};
    }
    const auto run = [&](QProcess &process, const QStringList &command) {
        QProcessEnvironment env = Environment(server.display());
        env.insert(QStringLiteral("HOME"), home.path());
        process.setProcessEnvironment(env);
        process.setChildProcessModifier(DieWithParent);
        const QStringList line = asUser + command;
        process.start(line.first(), line.mid(1));
        return process.waitForStarted();
    };
    const auto command = [&](const QStringList &arguments) {
        QProcess client;
        return run(client, QStringList{QStringLiteral("xscreensaver-command")} + arguments)
            && client.waitForFinished(kScreenCeilingMs) && client.exitStatus() == QProcess::NormalExit
            && client.exitCode() == 0;
    };
    QProcess daemon;
    QVERIFY(run(daemon, {QStringLiteral("xscreensaver"), QStringLiteral("--no-splash")}));
    // Until the daemon answers, and runs the first hack.
    QVERIFY(WaitFor([] { return QImage(); },
                    [&](const QImage &) { return command({QStringLiteral("-select"), QStringLiteral("1")}); }));
    Followed followed;
    QVERIFY2(FollowBackdrops([&] { return x.GrabScreen(QRect(0, 0, 1280, 720)); }, 1, followed),
             "the hack's backdrops never came in order");
    QVERIFY(command({QStringLiteral("-deactivate")}));
    QElapsedTimer timer;
    timer.start();
    while (Running(hack) && timer.elapsed() < 1000)
        QThread::msleep(10);
    QVERIFY2(!Running(hack), "clickshow still runs a second after -deactivate");
    QVERIFY(command({QStringLiteral("-exit")}));
    QVERIFY(daemon.waitForFinished(kScreenCeilingMs));
}

CLICKSHOW_E2E_MAIN(TestScreen)
#include "tst_screen.moc"
