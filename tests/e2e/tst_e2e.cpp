// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

// The real clickshow in an X server of the test's own, watched and clicked as
// a person would: XTest for the mouse, the screen for the eyes. Set
// CLICKSHOW_E2E_WM to openbox or mutter to run under that window manager.

#include "e2emain.h"

#include "driver/apprun.h"
#include "driver/picture.h"
#include "driver/showreference.h"
#include "driver/weston.h"
#include "driver/windowmanager.h"
#include "driver/xdriver.h"
#include "driver/xserver.h"

#include "show/palette.h"

#include <memory>

class TestEndToEnd : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void opensEmptyAtDesignSize();
    void showPlaysOnScreen();
    void severalShowsInARow();
    void clicks_data();
    void clicks();
    void closeWaitsForTheShow();
    void resizeMovesTheEdgeRuns();
    void pictureSurvives_data();
    void pictureSurvives();
    void lostDisplayEndsTheProgram_data();
    void lostDisplayEndsTheProgram();
    void destroyedWindowEndsTheProgram();
    void failsWithOneLine_data();
    void failsWithOneLine();

private:
    // Clicks the open surface and follows `count` shows to their end.
    bool PlayShows(int count = 1);
    QString windowManagerLog() const { return windowManager ? windowManager->logPath() : QString(); }

    std::unique_ptr<XServer> server;
    std::unique_ptr<WindowManager> windowManager;
    std::unique_ptr<XDriver> x;
    std::unique_ptr<ShowReference> reference;
    std::unique_ptr<AppRun> app;
    QList<ShowReference::Show> played;
};

void TestEndToEnd::initTestCase()
{
    server = std::make_unique<XServer>();
    QVERIFY2(server->isRunning(), "could not start Xvfb");
    x = std::make_unique<XDriver>(server->display());
    QVERIFY2(x->isOpen(), "no X display");
    const QString wm = qEnvironmentVariable("CLICKSHOW_E2E_WM");
    if (!wm.isEmpty()) {
        windowManager = std::make_unique<WindowManager>(wm, server->display());
        QVERIFY2(windowManager->problem().isEmpty(), qPrintable(windowManager->problem()));
    }
}

void TestEndToEnd::init()
{
    played.clear();
    reference = std::make_unique<ShowReference>();
    app = std::make_unique<AppRun>(*x, server->display());
    QVERIFY2(app->Start(reference->Picture()), qPrintable(app->problem()));
}

void TestEndToEnd::cleanup()
{
    if (QTest::currentTestFailed() && app) {
        const QString name = QStringLiteral("%1-%2%3")
                                 .arg(QString::fromLatin1(QTest::currentTestFunction()),
                                      QString::fromLatin1(QTest::currentDataTag()),
                                      qEnvironmentVariable("CLICKSHOW_E2E_WM"));
        qInfo("the last picture, clickshow's stderr and any logs are in %s",
              qPrintable(app->SaveArtifacts(name, windowManagerLog())));
    }
    app.reset();
    reference.reset();
}

bool TestEndToEnd::PlayShows(int count)
{
    QList<ShowReference::Show> shows;
    for (int i = 0; i < count; ++i)
        shows.append(reference->Next());
    app->Click(Form1::kOpenSurface);
    AppRun::Followed followed;
    const bool ok = app->Follow(shows, followed);
    played += shows;
    return ok;
}

void TestEndToEnd::opensEmptyAtDesignSize()
{
    // Start() waited for the empty window, pixel for pixel.
    QCOMPARE(x->Size(app->window()), QSize(Form1::kClientWidth, Form1::kClientHeight));
    QVERIFY(app->Settle());
    QCOMPARE(app->Errors(), QByteArray()); // a normal start says nothing
}

// Every picture on the screen is one the show goes through, in order, and
// act 1 arrives outline by outline; the show ends on its final picture.
void TestEndToEnd::showPlaysOnScreen()
{
    const ShowReference::Show show = reference->Next();
    app->Click(Form1::kOpenSurface);
    AppRun::Followed followed;
    QVERIFY2(app->Follow({show}, followed), qPrintable(app->problem()));
    // A compositing manager shows a picture at most every frame of its own.
    const int least = x->HasCompositor() ? 5 : 10;
    QVERIFY2(followed.actOneSteps >= least, qPrintable(QStringLiteral("act 1 seen in %1 steps").arg(followed.actOneSteps)));
    const QString off = CaptionsOffTable(app->Grab());
    QVERIFY2(off.isEmpty(), qPrintable(off)); // where every player puts them
}

// Show after show, each one's final picture reaches the screen whole (a
// compositing manager can lose the last drawing of a burst); the scatter
// goes on with the random sequence.
void TestEndToEnd::severalShowsInARow()
{
    for (int i = 0; i < 3; ++i)
        QVERIFY2(PlayShows(), qPrintable(QStringLiteral("show %1: ").arg(i + 1) + app->problem()));
}

void TestEndToEnd::clicks_data()
{
    QTest::addColumn<QString>("gesture");
    QTest::addColumn<int>("shows");

    QTest::newRow("a double click plays once") << "double" << 1;
    QTest::newRow("clicks during a show each play it again") << "during" << 3;
    QTest::newRow("a click on a shown caption does nothing") << "caption" << 1;
}

// The program answers a ping once it has handled every click before it, so
// the count of shows is exact: no show can start after the check.
void TestEndToEnd::clicks()
{
    QFETCH(QString, gesture);
    QFETCH(int, shows);

    QList<ShowReference::Show> expected;
    for (int i = 0; i < shows; ++i)
        expected.append(reference->Next());
    int clicks = 0;
    const auto clickDuringTheFirstShow = [&](int show, int picture) {
        // One more click in each act that the first show reaches.
        if (gesture == QLatin1String("during") && show == 0 && clicks < shows
            && expected[0].phase[picture] >= clicks) {
            app->Click(Form1::kOpenSurface + QPoint(0, 10 * clicks));
            ++clicks;
        }
    };
    if (gesture == QLatin1String("double")) {
        app->Click(Form1::kOpenSurface);
        app->Click(Form1::kOpenSurface);
    } else if (gesture == QLatin1String("during")) {
        clickDuringTheFirstShow(0, 0);
    } else {
        app->Click(Form1::kOpenSurface);
    }
    AppRun::Followed followed;
    QVERIFY2(app->Follow(expected, followed, clickDuringTheFirstShow), qPrintable(app->problem()));
    if (gesture == QLatin1String("caption")) {
        app->Click(Form1::kTopCaptionRect.center());
        app->Click(Form1::kWordsCaptionRect.center());
    }
    QVERIFY2(app->Settle(expected.last().last), qPrintable(app->problem()));
}

// A close requested while a show runs is handled after it: the show goes
// on past its scatter (its last burst of drawing may be gone before a
// reader sees it), and then the program ends, with status 0.
void TestEndToEnd::closeWaitsForTheShow()
{
    const ShowReference::Show show = reference->Next();
    app->Click(Form1::kOpenSurface);
    bool closing = false;
    AppRun::Followed followed;
    QVERIFY2(app->Follow(
                 {show}, followed,
                 [&](int, int picture) {
                     if (!closing && show.phase[picture] >= 1) {
                         x->RequestClose(app->window());
                         closing = true;
                     }
                 },
                 true),
             qPrintable(app->problem()));
    QVERIFY(!followed.seen[0].isEmpty());
    QVERIFY2(show.phase[followed.seen[0].last()] >= 5,
             qPrintable(QStringLiteral("the window went in phase %1").arg(show.phase[followed.seen[0].last()])));
    QVERIFY2(app->Ended(), "still running a minute later");
    QCOMPARE(app->process().exitStatus(), QProcess::NormalExit);
    QCOMPARE(app->process().exitCode(), 0);
}

// Red starts on the new right edge and green inside the new bottom-right
// corner; the captions and the emblem stay where they were.
void TestEndToEnd::resizeMovesTheEdgeRuns()
{
    const QSize size(600, 400);
    x->Resize(app->window(), size.width(), size.height());
    reference->Resize(size);
    QVERIFY2(app->WaitFor(reference->Picture()), qPrintable(app->problem()));
    QVERIFY2(PlayShows(), qPrintable(app->problem()));
}

void TestEndToEnd::pictureSurvives_data()
{
    QTest::addColumn<QString>("what");

    QTest::newRow("covered, minimized and restored after a show") << "cover";
    QTest::newRow("moved off the left and top edges and back after a show") << "left-top";
    QTest::newRow("moved off the right edge during a show and back after it") << "right";
}

// What the window showed comes back pixel for pixel: the final picture of a
// show that stayed put.
void TestEndToEnd::pictureSurvives()
{
    QFETCH(QString, what);

    const QRect home = x->OnScreen(app->window());
    const QSize screen = x->ScreenSize();
    const auto moveTo = [&](QPoint topLeft) {
        x->Move(app->window(), topLeft);
        return app->WaitUntil([&](const QImage &) { return x->OnScreen(app->window()).topLeft() == topLeft; },
                              QStringLiteral("the window at (%1, %2)").arg(topLeft.x()).arg(topLeft.y()));
    };
    if (what == QLatin1String("right")) {
        const ShowReference::Show show = reference->Next();
        app->Click(Form1::kOpenSurface);
        QVERIFY2(app->WaitUntil([&](const QImage &frame) { return !frame.isNull() && Backdrop(frame) == ToQRgb(show::kGrey100); },
                                QStringLiteral("the show start")),
                 qPrintable(app->problem()));
        QVERIFY(moveTo(QPoint(screen.width() - 150, home.y())));
        // The answer comes once the show has ended.
        QVERIFY2(app->Settle(), qPrintable(app->problem()));
        QVERIFY2(app->WaitFor(show.last, QRect(0, 0, 150, home.height())), qPrintable(app->problem()));
        QVERIFY(moveTo(home.topLeft()));
        QVERIFY2(app->WaitFor(show.last), qPrintable(app->problem()));
        return;
    }
    QVERIFY2(PlayShows(), qPrintable(app->problem()));
    const QImage finished = played.last().last;
    if (what == QLatin1String("cover")) {
        const XWindow cover = x->Cover(home.adjusted(50, 50, -50, -50));
        QVERIFY2(app->WaitUntil([&](const QImage &frame) { return !frame.isNull() && frame != finished; }, QStringLiteral("the cover")),
                 qPrintable(app->problem()));
        x->Destroy(cover);
        QVERIFY2(app->WaitFor(finished), qPrintable(app->problem()));
        x->Minimize(app->window());
        QVERIFY2(app->WaitUntil([&](const QImage &) { return x->FindWindow(QStringLiteral("Form1")) == 0; },
                                QStringLiteral("the window minimized")),
                 qPrintable(app->problem()));
        x->Restore(app->window());
    } else {
        QVERIFY(moveTo(QPoint(-300, -150)));
        // Handled off the screen, then back.
        QVERIFY2(app->Settle(), qPrintable(app->problem()));
        QVERIFY(moveTo(home.topLeft()));
    }
    QVERIFY2(app->WaitFor(finished), qPrintable(app->problem()));
}

void TestEndToEnd::lostDisplayEndsTheProgram_data()
{
    QTest::addColumn<bool>("wayland");
    QTest::addColumn<bool>("duringShow");

    QTest::newRow("X server killed during a show") << false << true;
    QTest::newRow("X server killed while it waits") << false << false;
    QTest::newRow("Wayland compositor killed during a show") << true << true;
}

// The program's own line and status 1, whatever it was doing.
void TestEndToEnd::lostDisplayEndsTheProgram()
{
    QFETCH(bool, wayland);
    QFETCH(bool, duringShow);

    app.reset();
    XServer own;
    QVERIFY(own.isRunning());
    XDriver ownX(own.display());
    std::unique_ptr<Weston> weston;
    if (wayland) {
        weston = std::make_unique<Weston>(own.display());
        QVERIFY2(weston->isRunning(), "weston did not start");
    }
    app = std::make_unique<AppRun>(ownX, own.display(), weston.get());
    QVERIFY2(app->Start(reference->Picture()), qPrintable(app->problem()));
    if (duringShow) {
        app->Click(Form1::kOpenSurface);
        QVERIFY2(app->WaitUntil([](const QImage &frame) { return !frame.isNull() && Backdrop(frame) == ToQRgb(show::kGrey100); },
                                QStringLiteral("the show start")),
                 qPrintable(app->problem()));
    }
    if (weston) {
        weston->Kill();
    } else {
        ownX.Abandon();
        own.Kill();
    }
    QVERIFY2(app->Ended(), "still running a minute after its display died");
    QCOMPARE(app->process().exitStatus(), QProcess::NormalExit);
    QCOMPARE(app->process().exitCode(), 1);
    const QList<QByteArray> lines = app->Errors().trimmed().split('\n');
    QCOMPARE(lines.last(), QByteArray("clickshow: the connection to the display is lost"));
}

// As `xdotool windowclose` does: the X window is destroyed, not asked to close.
void TestEndToEnd::destroyedWindowEndsTheProgram()
{
    x->Destroy(app->window());
    QVERIFY2(app->Ended(), "still running without its window");
    QCOMPARE(app->process().exitCode(), 1);
    QVERIFY(app->Errors().contains("clickshow: the window was destroyed"));
}

void TestEndToEnd::failsWithOneLine_data()
{
    QTest::addColumn<QString>("screen");
    QTest::addColumn<QByteArray>("line");

    QTest::newRow("a 256-colour display") << "1024x768x8" << QByteArray("clickshow: cannot draw on this display");
    QTest::newRow("no memory for the window's picture")
        << "4096x4096x24" << QByteArray("clickshow: out of memory for the window's picture");
}

// No silent black window, no silent blank picture and no flood of
// warnings: the program's own line, at once, and status 1.
void TestEndToEnd::failsWithOneLine()
{
    QFETCH(QString, screen);
    QFETCH(QByteArray, line);

    app.reset();
    XServer own(screen);
    QVERIFY(own.isRunning());
    XDriver ownX(own.display());
    app = std::make_unique<AppRun>(ownX, own.display());
    if (line.contains("memory")) {
        // A 4000 x 4000 picture needs 61 MiB more than it has.
        QVERIFY2(app->Start(reference->Picture()), qPrintable(app->problem()));
        QVERIFY(app->LimitMemory(32 << 20));
        ownX.Resize(app->window(), 4000, 4000);
    } else {
        QVERIFY(!app->Start(reference->Picture()));
    }
    QVERIFY2(app->Ended(), "still running a minute later");
    QCOMPARE(app->process().exitCode(), 1);
    const QList<QByteArray> lines = app->Errors().trimmed().split('\n');
    QVERIFY2(lines.size() == 1 && lines.first().startsWith(line), lines.join("\n").constData());
}

CLICKSHOW_E2E_MAIN(TestEndToEnd)
#include "tst_e2e.moc"
