// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

// The real clickshow as a native Wayland client of weston, which runs in a
// window of an X server: clicked through XTest, seen through XGetImage on
// weston's output.

#include "apprun.h"
#include "picture.h"
#include "weston.h"
#include "xdriver.h"

#include <QElapsedTimer>
#include <QSet>
#include <QtTest>

#include <memory>

namespace {

int CountOf(const QImage &image, QRgb colour)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            count += image.pixel(x, y) == colour;
    }
    return count;
}

} // namespace

class TestWayland : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void opensEmpty();
    void outlinesAppearOneAfterAnother();
    void finalPicture();
    void closeButtonEndsTheProgram();

private:
    std::unique_ptr<XDriver> x;
    std::unique_ptr<Weston> weston;
    std::unique_ptr<AppRun> app;
};

void TestWayland::initTestCase()
{
    const QString display = qEnvironmentVariable("DISPLAY");
    QVERIFY2(!display.isEmpty(), "run under an X server (xvfb-run)");
    x = std::make_unique<XDriver>(display);
    QVERIFY2(x->isOpen(), "no X display");
    weston = std::make_unique<Weston>(display);
    QVERIFY2(weston->isRunning(), "weston did not start");
}

void TestWayland::init()
{
    app = std::make_unique<AppRun>(qEnvironmentVariable("DISPLAY"), weston.get());
    QVERIFY2(app->Start(), qPrintable(app->problem()));
}

void TestWayland::cleanup()
{
    app.reset();
}

// Start() has seen the client area empty; Qt's frame sits around it.
void TestWayland::opensEmpty()
{
    const QImage client = app->Grab(*x);
    QVERIFY(client.pixel(0, 0) != kWhite);
    const QRect frame = app->frame();
    QVERIFY2(frame.top() + 20 < app->client().top(), "no title bar above the client area");
    QCOMPARE(frame.right() - app->client().right(), app->client().left() - frame.left());
}

// Act 1 reaches the screen outline by outline, not all at once when the
// show returns: its blue count grows in many steps on grey 100.
void TestWayland::outlinesAppearOneAfterAnother()
{
    app->Click(*x, kOpenSurface);
    QSet<int> blueCounts;
    QElapsedTimer timer;
    timer.start();
    bool actOne = false;
    while (timer.elapsed() < 5000) {
        const QImage frame = app->Grab(*x);
        const bool grey = Backdrop(frame) == kGrey100;
        if (actOne && !grey)
            break;
        actOne = actOne || grey;
        if (grey)
            blueCounts.insert(CountOf(frame, kBlue));
    }
    QVERIFY2(blueCounts.size() >= 5, qPrintable(QStringLiteral("%1 steps").arg(blueCounts.size())));
}

void TestWayland::finalPicture()
{
    const QList<AppRun::Phase> phases = app->ClickAndFollow(*x, kOpenSurface);
    QVERIFY(!phases.isEmpty());
    QVERIFY(ShowsEmblem(phases.last().last));
}

// The close button of the title bar, as a person would use it.
void TestWayland::closeButtonEndsTheProgram()
{
    const QRect frame = app->frame();
    x->Click(app->window(), QPoint(frame.right() - 16, frame.top() + 15));
    QVERIFY2(app->process().waitForFinished(5000), "still running after its close button");
    QCOMPARE(app->process().exitStatus(), QProcess::NormalExit);
    QCOMPARE(app->process().exitCode(), 0);
}

QTEST_GUILESS_MAIN(TestWayland)
#include "tst_wayland.moc"
