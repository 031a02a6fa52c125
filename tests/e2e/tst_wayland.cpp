// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

// The real clickshow as a native Wayland client of weston, which runs in a
// window of an X server of the test's own: clicked through XTest, seen
// through XGetImage on weston's output.

#include "e2emain.h"

#include "driver/apprun.h"
#include "driver/showreference.h"
#include "driver/weston.h"
#include "driver/xdriver.h"
#include "driver/xserver.h"

#include <QElapsedTimer>
#include <QThread>

#include <memory>

class TestWayland : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void opensEmptyInQtsFrame();
    void showPlaysOnScreen();
    void closeButtonEndsTheProgram();

private:
    std::unique_ptr<XServer> server;
    std::unique_ptr<XDriver> x;
    std::unique_ptr<Weston> weston;
    std::unique_ptr<ShowReference> reference;
    std::unique_ptr<AppRun> app;
};

void TestWayland::initTestCase()
{
    server = std::make_unique<XServer>();
    QVERIFY2(server->isRunning(), "could not start Xvfb");
    x = std::make_unique<XDriver>(server->display());
    QVERIFY2(x->isOpen(), "no X display");
    weston = std::make_unique<Weston>(server->display());
    QVERIFY2(weston->isRunning(), qPrintable("weston did not start; see " + weston->logPath()));
}

void TestWayland::init()
{
    reference = std::make_unique<ShowReference>();
    app = std::make_unique<AppRun>(*x, server->display(), weston.get());
    QVERIFY2(app->Start(reference->Picture()), qPrintable(app->problem()));
}

void TestWayland::cleanup()
{
    if (QTest::currentTestFailed() && app) {
        const QString name = QStringLiteral("wayland-%1").arg(QString::fromLatin1(QTest::currentTestFunction()));
        qInfo("the last picture, clickshow's stderr and weston's log are in %s", qPrintable(app->SaveArtifacts(name)));
    }
    app.reset();
    reference.reset();
}

// Start() has seen the client area empty, pixel for pixel; Qt's frame sits
// around it.
void TestWayland::opensEmptyInQtsFrame()
{
    const QRect frame = app->frame();
    QVERIFY2(frame.top() + 20 < app->client().top(), "no title bar above the client area");
    QCOMPARE(frame.right() - app->client().right(), app->client().left() - frame.left());
}

// Every picture weston shows is one the show goes through, in order; act 1
// arrives outline by outline, not all at once when the show returns.
void TestWayland::showPlaysOnScreen()
{
    const ShowReference::Show show = reference->Next();
    app->Click(Form1::kOpenSurface);
    AppRun::Followed followed;
    QVERIFY2(app->Follow({show}, followed), qPrintable(app->problem()));
    QVERIFY2(followed.actOneSteps >= 5, qPrintable(QStringLiteral("act 1 seen in %1 steps").arg(followed.actOneSteps)));
}

// The close button of the title bar, as a person would use it: the
// rightmost dark glyph of the title bar, wherever Qt's version puts it.
void TestWayland::closeButtonEndsTheProgram()
{
    const QRect frame = app->frame();
    // Inside the frame's own border.
    const QRect titleBar = QRect(frame.topLeft(), QPoint(frame.right(), app->client().top() - 1)).adjusted(4, 4, -4, -4);
    // Drawn dark once the window is active, which may come late on a busy
    // machine: until then the icon is the only dark thing there.
    const auto closeButton = [&] {
        const QImage output = x->Grab(app->window());
        QRect glyph;
        for (int px = titleBar.right(); px >= titleBar.left() && !output.isNull(); --px) {
            bool dark = false;
            for (int py = titleBar.top(); py <= titleBar.bottom(); ++py) {
                if (qGray(output.pixel(px, py)) < 96) {
                    dark = true;
                    glyph |= QRect(px, py, 1, 1);
                }
            }
            if (!dark && !glyph.isNull() && glyph.left() - px > 3)
                break;
        }
        return glyph.left() > titleBar.center().x() ? glyph : QRect();
    };
    QRect glyph;
    QElapsedTimer timer;
    timer.start();
    while ((glyph = closeButton()).isNull() && timer.elapsed() < 60000)
        QThread::msleep(20);
    QVERIFY2(!glyph.isNull(), "no button in the title bar");
    x->Click(app->window(), glyph.center());
    QVERIFY2(app->Ended(), "still running a minute after its close button");
    QCOMPARE(app->process().exitStatus(), QProcess::NormalExit);
    QCOMPARE(app->process().exitCode(), 0);
}

CLICKSHOW_E2E_MAIN(TestWayland)
#include "tst_wayland.moc"
