// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

// The real clickshow in a real X server, watched and clicked as a person
// would: XTest for the mouse, XGetImage for the eyes.

#include "apprun.h"
#include "picture.h"
#include "weston.h"
#include "xdriver.h"
#include "xserver.h"

#include <QElapsedTimer>
#include <QThread>
#include <QtTest>

#include <memory>

namespace {

QString Describe(const QList<QRgb> &seen)
{
    QStringList names;
    for (QRgb c : seen)
        names.append(QString::number(qRed(c)) + '/' + QString::number(qGreen(c)) + '/' + QString::number(qBlue(c)));
    return names.join(QStringLiteral(", "));
}

int Count(const QList<QRgb> &seen, QRgb colour)
{
    return int(seen.count(colour));
}

} // namespace

class TestEndToEnd : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();

    void opensEmptyAtDesignSize();
    void clickDrawsAtOnce();
    void actsFollowInOrder();
    void captionClickDoesNothing();
    void doubleClickPlaysOnce();
    void clicksDuringAShowPlayAfterIt();
    void closeWaitsForTheShow();
    void resizeMovesTheRedRun();
    void pictureSurvivesCoverAndMinimize();
    void scatterIsTheSameAfterEachStart();
    void lostDisplayEndsTheProgram_data();
    void lostDisplayEndsTheProgram();
    void destroyedWindowEndsTheProgram();
    void colourlessDisplayFailsClearly();

private:
    QImage PlayToTheEnd();

    QString display;
    std::unique_ptr<XServer> ownServer;
    QProcess windowManager;
    std::unique_ptr<XDriver> x;
    std::unique_ptr<AppRun> app;
};

void TestEndToEnd::initTestCase()
{
    display = qEnvironmentVariable("DISPLAY");
    if (display.isEmpty()) {
        ownServer = std::make_unique<XServer>();
        QVERIFY2(ownServer->isRunning(), "could not start Xvfb");
        display = ownServer->display();
    }
    x = std::make_unique<XDriver>(display);
    QVERIFY2(x->isOpen(), "no X display");

    // CLICKSHOW_E2E_WM=openbox runs the suite under that window manager.
    const QString wm = qEnvironmentVariable("CLICKSHOW_E2E_WM");
    if (!wm.isEmpty()) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("DISPLAY"), display);
        windowManager.setProcessEnvironment(env);
        windowManager.start(wm, {});
        QVERIFY2(windowManager.waitForStarted(5000), qPrintable(wm + " did not start"));
        QVERIFY2(x->WaitForWindowManager(10000), qPrintable(wm + " did not take the screen"));
    }
}

void TestEndToEnd::cleanupTestCase()
{
    if (windowManager.state() != QProcess::NotRunning) {
        windowManager.terminate();
        windowManager.waitForFinished(5000);
    }
}

void TestEndToEnd::init()
{
    app = std::make_unique<AppRun>(display);
    QVERIFY2(app->Start(), qPrintable(app->problem()));
}

void TestEndToEnd::cleanup()
{
    app.reset();
}

QImage TestEndToEnd::PlayToTheEnd()
{
    const QList<AppRun::Phase> phases = app->ClickAndFollow(*x, kOpenSurface);
    return phases.isEmpty() ? QImage() : phases.last().last;
}

void TestEndToEnd::opensEmptyAtDesignSize()
{
    QCOMPARE(x->Size(app->window()), QSize(499, 356));
    const QImage image = x->Grab(app->window());
    const QRgb background = image.pixel(0, 0);
    QVERIFY(background != kWhite && background != kBlack);
    // Nothing drawn and no caption: one colour from corner to corner.
    for (int y = 0; y < image.height(); ++y) {
        for (int px = 0; px < image.width(); ++px)
            QCOMPARE(image.pixel(px, y), background);
    }
}

// The first outlines show while the show is still running, not at its end.
void TestEndToEnd::clickDrawsAtOnce()
{
    QElapsedTimer timer;
    x->Click(app->window(), kOpenSurface);
    timer.start();
    QImage frame;
    bool seen = false;
    while (!seen && timer.elapsed() < 500) {
        frame = x->Grab(app->window());
        seen = Backdrop(frame) == kGrey100 && HasColourIn(frame, frame.rect(), kBlue);
    }
    QVERIFY2(seen, "no blue outline on grey 100 within half a second");
    // Green comes last in act 1, so the show was still on its way.
    QVERIFY(!HasColourIn(frame, frame.rect(), kGreen));
    const QList<QRgb> later = app->WatchBackdrops(*x, 8000, [](const QList<QRgb> &seen) {
        return seen.contains(kWhite);
    });
    QVERIFY(later.contains(kWhite));
}

void TestEndToEnd::actsFollowInOrder()
{
    const QList<AppRun::Phase> phases = app->ClickAndFollow(*x, kOpenSurface);
    QList<QRgb> backdrops;
    for (const AppRun::Phase &phase : phases)
        backdrops.append(phase.backdrop);
    // The phase before the click is the window's start-up background.
    QCOMPARE(backdrops.mid(1), (QList<QRgb>{kGrey100, kGrey110, kGrey109, kGrey110, kGrey109, kWhite}));

    // The last frame of each act, sampled where its runs end (pixels are twips / 15).
    const QImage act1 = phases[1].last;
    QVERIFY(HasColourIn(act1, QRect(20, 0, 6, 3), kBlue));      // quarter circle at (0, 0)
    QVERIFY(HasColourIn(act1, QRect(0, 330, 3, 26), kGold));    // from (0, H)
    QVERIFY(HasColourIn(act1, QRect(230, 330, 6, 26), kBlack)); // down x = 3850
    QVERIFY(HasColourIn(act1, QRect(470, 0, 10, 3), kRed));     // from (W, 0)
    QVERIFY(HasColourIn(act1, QRect(125, 0, 6, 10), kGreen));   // ends at (W - 5250, H - 5250)

    const QImage act2 = phases[2].last;
    QVERIFY(HasColourIn(act2, QRect(164, 300, 6, 40), kBlue)); // down x = 2850
    QVERIFY(HasColourIn(act2, QRect(306, 250, 6, 60), kRed));  // down x = W - 2500

    const QImage act3 = phases[3].last;
    QVERIFY(HasColourIn(act3, QRect(200, 180, 25, 5), kGold)); // along y = H - 2250
    QVERIFY(HasColourIn(act3, QRect(285, 141, 40, 5), kRed));  // along y = 2500

    const QImage act4 = phases[4].last;
    for (QRgb colour : {kBlue, kGold, kBlack, kRed, kGreen})
        QVERIFY(HasColourIn(act4, QRect(200, 100, 110, 140), colour));

    const QImage scatter = phases[5].last;
    for (QRgb colour : {kBlue, kGold, kBlack, kRed, kGreen})
        QVERIFY(HasColourIn(scatter, scatter.rect(), colour));

    QVERIFY(ShowsEmblem(phases[6].last));
}

void TestEndToEnd::captionClickDoesNothing()
{
    const QImage finished = PlayToTheEnd();
    QVERIFY(ShowsEmblem(finished));
    x->Click(app->window(), kTopCaption.center());
    x->Click(app->window(), kWordsCaption.center() + QPoint(40, 0));
    const QList<QRgb> seen = app->WatchBackdrops(*x, 1500, [](const QList<QRgb> &) { return false; });
    QCOMPARE(seen, QList<QRgb>{kWhite});
    QCOMPARE(x->Grab(app->window()), finished);
}

void TestEndToEnd::doubleClickPlaysOnce()
{
    x->Click(app->window(), kOpenSurface);
    QThread::msleep(60);
    x->Click(app->window(), kOpenSurface);
    const QList<QRgb> seen = app->WatchBackdrops(*x, 12000, [](const QList<QRgb> &seen) {
        return Count(seen, kGrey100) > 1;
    });
    QCOMPARE(Count(seen, kGrey100), 1);
    QCOMPARE(seen.last(), kWhite);
}

void TestEndToEnd::clicksDuringAShowPlayAfterIt()
{
    // Three more clicks while the first show runs, each well clear of the
    // double-click time of the one before. A show that follows another at
    // once shows its white only for a moment, so count the grey 100 acts.
    QElapsedTimer timer;
    timer.start();
    x->Click(app->window(), kOpenSurface);
    int clicks = 1;
    const QList<QRgb> seen = app->WatchBackdrops(*x, 25000, [&](const QList<QRgb> &seen) {
        if (clicks < 4 && timer.elapsed() > 700 * clicks) {
            x->Click(app->window(), kOpenSurface + QPoint(0, 10 * clicks));
            ++clicks;
        }
        return Count(seen, kGrey100) > 4
            || (clicks == 4 && Count(seen, kGrey100) == 4 && seen.last() == kWhite);
    });
    QVERIFY2(Count(seen, kGrey100) == 4, qPrintable(Describe(seen)));
    QCOMPARE(seen.last(), kWhite);
    // Give a fifth show its chance to start: none does.
    const QList<QRgb> after = app->WatchBackdrops(*x, 1000, [](const QList<QRgb> &) { return false; });
    QCOMPARE(after, QList<QRgb>{kWhite});
}

void TestEndToEnd::closeWaitsForTheShow()
{
    x->Click(app->window(), kOpenSurface);
    QThread::msleep(500);
    x->RequestClose(app->window());
    QElapsedTimer timer;
    timer.start();
    // The show goes on to its white end before the window goes.
    const QList<QRgb> seen = app->WatchBackdrops(*x, 8000, [](const QList<QRgb> &seen) {
        return !seen.isEmpty() && seen.last() == kWhite;
    });
    QVERIFY(seen.contains(kGrey110));
    QCOMPARE(seen.last(), kWhite);
    QVERIFY(timer.elapsed() > 2000);
    QVERIFY(app->process().waitForFinished(5000));
    QCOMPARE(app->process().exitStatus(), QProcess::NormalExit);
    QCOMPARE(app->process().exitCode(), 0);
}

void TestEndToEnd::resizeMovesTheRedRun()
{
    PlayToTheEnd();
    x->Resize(app->window(), 600, 400);
    QTRY_COMPARE_WITH_TIMEOUT(x->Size(app->window()), QSize(600, 400), 5000);
    QTRY_VERIFY_WITH_TIMEOUT(x->Grab(app->window()).pixel(590, 390) == kWhite, 5000);

    const QList<AppRun::Phase> phases = app->ClickAndFollow(*x, kOpenSurface);
    const auto act1 = std::find_if(phases.cbegin(), phases.cend(),
                                   [](const AppRun::Phase &p) { return p.backdrop == kGrey100; });
    QVERIFY(act1 != phases.cend());
    // Red's first outline is centred on the new right edge, (600, 0) px.
    QVERIFY(HasColourIn(act1->last, QRect(574, 0, 6, 3), kRed));
    QVERIFY(!HasColourIn(act1->last, QRect(474, 0, 5, 3), kRed));
    // The emblem stays where it was.
    QVERIFY(ShowsEmblem(phases.last().last));
}

void TestEndToEnd::pictureSurvivesCoverAndMinimize()
{
    const QImage finished = PlayToTheEnd();
    QVERIFY(ShowsEmblem(finished));

    const XWindow cover = x->Cover(QRect(50, 50, 300, 200));
    QThread::msleep(200);
    x->Destroy(cover);
    QTRY_COMPARE_WITH_TIMEOUT(x->Grab(app->window()), finished, 5000);

    x->Minimize(app->window());
    QTRY_VERIFY_WITH_TIMEOUT(x->FindWindow(QStringLiteral("Form1")) == 0, 5000);
    x->Restore(app->window());
    QTRY_COMPARE_WITH_TIMEOUT(x->Grab(app->window()), finished, 5000);
}

void TestEndToEnd::scatterIsTheSameAfterEachStart()
{
    const auto scatterOf = [](const QList<AppRun::Phase> &phases) {
        // The scatter is the second stretch on grey 109.
        int seen = 0;
        for (const AppRun::Phase &phase : phases) {
            if (phase.backdrop == kGrey109 && ++seen == 2)
                return phase.last;
        }
        return QImage();
    };
    const QImage first = scatterOf(app->ClickAndFollow(*x, kOpenSurface));
    QVERIFY(!first.isNull());

    app = std::make_unique<AppRun>(display);
    QVERIFY2(app->Start(), qPrintable(app->problem()));
    const QImage second = scatterOf(app->ClickAndFollow(*x, kOpenSurface));
    QCOMPARE(second, first);

    // A second show in the same run goes on with the sequence.
    const QImage third = scatterOf(app->ClickAndFollow(*x, kOpenSurface));
    QVERIFY(!third.isNull());
    QVERIFY(third != first);
}

void TestEndToEnd::lostDisplayEndsTheProgram_data()
{
    QTest::addColumn<bool>("wayland");
    QTest::addColumn<bool>("duringShow");

    QTest::newRow("X server killed during a show") << false << true;
    QTest::newRow("X server killed while it waits") << false << false;
    QTest::newRow("Wayland compositor killed during a show") << true << true;
}

// The program's own line and status 1, within two seconds, whatever it
// was doing.
void TestEndToEnd::lostDisplayEndsTheProgram()
{
    QFETCH(bool, wayland);
    QFETCH(bool, duringShow);

    app.reset();
    XServer server;
    QVERIFY(server.isRunning());
    std::unique_ptr<Weston> weston;
    if (wayland) {
        weston = std::make_unique<Weston>(server.display());
        QVERIFY2(weston->isRunning(), "weston did not start");
    }
    app = std::make_unique<AppRun>(server.display(), weston.get());
    QVERIFY2(app->Start(), qPrintable(app->problem()));
    if (duringShow) {
        // Closed before the server goes: Xlib ends any program whose
        // connection breaks.
        XDriver own(server.display());
        app->Click(own, kOpenSurface);
    }
    QThread::msleep(800);

    if (weston)
        weston->Kill();
    else
        server.Kill();
    QElapsedTimer timer;
    timer.start();
    QVERIFY2(app->process().waitForFinished(2000), "still running 2 s after its display died");
    QVERIFY(timer.elapsed() < 2000);
    QCOMPARE(app->process().exitStatus(), QProcess::NormalExit);
    QCOMPARE(app->process().exitCode(), 1);
    const QList<QByteArray> lines = app->Errors().trimmed().split('\n');
    QCOMPARE(lines.last(), QByteArray("clickshow: the connection to the display is lost"));
}

// As `xdotool windowclose` does: the X window is destroyed, not asked to close.
void TestEndToEnd::destroyedWindowEndsTheProgram()
{
    x->Destroy(app->window());
    QVERIFY2(app->process().waitForFinished(5000), "still running without its window");
    QCOMPARE(app->process().exitCode(), 1);
    QVERIFY(app->Errors().contains("clickshow: the window was destroyed"));
}

// A 256-colour display: no silent black window, but one clear line.
void TestEndToEnd::colourlessDisplayFailsClearly()
{
    app.reset();
    XServer server(QStringLiteral("1024x768x8"));
    QVERIFY(server.isRunning());
    app = std::make_unique<AppRun>(server.display());
    QVERIFY(!app->Start());
    app->process().waitForFinished(5000);
    QVERIFY2(app->process().state() == QProcess::NotRunning, "still running on a display it cannot draw on");
    QCOMPARE(app->process().exitCode(), 1);
    const QList<QByteArray> lines = app->Errors().trimmed().split('\n');
    QVERIFY2(lines.size() < 20, "a flood of warnings");
    QVERIFY2(lines.last().startsWith("clickshow: cannot draw on this display"), lines.join("\n").constData());
}

QTEST_GUILESS_MAIN(TestEndToEnd)
#include "tst_e2e.moc"
