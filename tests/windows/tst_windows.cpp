// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

// The Windows program and screen saver, as make windows builds them, under
// Wine in an X server of the test's own with a window manager, watched and
// clicked as a person would.

#include "e2e/e2emain.h"

#include "driver/picture.h"
#include "driver/screenwatch.h"
#include "driver/windowmanager.h"
#include "driver/wine.h"
#include "driver/xdriver.h"
#include "driver/xserver.h"
#include "show/design.h"
#include "show/palette.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QtTest>

#include <memory>

namespace {

const QString kBuild = QStringLiteral(CLICKSHOW_WINDOWS_BUILD);
const QPoint kOpenSurface(show::kOpenSurfaceX, show::kOpenSurfaceY);

QString Program(const char *name)
{
    return kBuild + QLatin1Char('/') + QLatin1String(name);
}

// The text tesseract reads in a picture.
QString Read(const QImage &picture)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("read.png"));
    picture.save(file);
    QProcess ocr;
    ocr.start(QStringLiteral("tesseract"), {file, QStringLiteral("-"), QStringLiteral("--psm"), QStringLiteral("11")});
    ocr.waitForFinished(60000);
    return QString::fromUtf8(ocr.readAllStandardOutput());
}

} // namespace

class TestWindows : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void pictureAtEveryDpi_data();
    void pictureAtEveryDpi();
    void clicksAndKeys();
    void screenSaverEndsOnAMove();
    void previewAtItsSize();
    void settingsReachTheScreenSaver();

private:
    // Starts a program and waits for its window; 0 if none came.
    XWindow Open(QProcess &process, const char *program, const QStringList &arguments, const QString &title);
    // Until the program has handled everything sent so far: it answers a
    // ping, and meanwhile the screen keeps showing a finale.
    bool Settled(XWindow window);

    std::unique_ptr<XServer> server;
    std::unique_ptr<WindowManager> openbox;
    std::unique_ptr<XDriver> x;
    std::unique_ptr<Wine> wine;
    QProcess app;
};

void TestWindows::initTestCase()
{
    QVERIFY2(QFile::exists(Program("clickshow.exe")), "no Windows build (make windows)");
    server = std::make_unique<XServer>(QStringLiteral("1280x1024x24"));
    QVERIFY(server->isRunning());
    openbox = std::make_unique<WindowManager>(QStringLiteral("openbox"), server->display());
    QVERIFY2(openbox->problem().isEmpty(), qPrintable(openbox->problem()));
    x = std::make_unique<XDriver>(server->display());
    wine = std::make_unique<Wine>(server->display());
    QVERIFY2(wine->problem().isEmpty(), qPrintable(wine->problem()));
}

void TestWindows::cleanup()
{
    if (app.state() != QProcess::NotRunning) {
        app.kill();
        app.waitForFinished();
    }
}

XWindow TestWindows::Open(QProcess &process, const char *program, const QStringList &arguments, const QString &title)
{
    wine->Start(process, Program(program), arguments);
    XWindow window = 0;
    WaitFor([] { return QImage(); }, [&](const QImage &) {
        window = x->FindWindow(title);
        return window != 0 || process.state() == QProcess::NotRunning;
    });
    return window;
}

bool TestWindows::Settled(XWindow window)
{
    bool kept = true;
    const bool answered = x->Ping(window, kScreenCeilingMs, [&] {
        kept = kept && Backdrop(x->Grab(window)) == ToQRgb(show::kWhite);
        return kept;
    });
    return answered && kept;
}

void TestWindows::pictureAtEveryDpi_data()
{
    QTest::addColumn<int>("dpi");

    QTest::newRow("96 dots an inch") << 96;
    QTest::newRow("192 dots an inch") << 192;
}

// The client area is the design's at the monitor's scale; after a show it
// holds the recording's picture at that scale, the captions read whole,
// and the show took its time on the screen.
void TestWindows::pictureAtEveryDpi()
{
    QFETCH(int, dpi);

    const double scale = dpi / 96.0;
    QVERIFY(wine->SetDpi(dpi));
    const QImage expected = RecordedPicture(QSize(show::kDesignWidth, show::kDesignHeight) * scale, scale);
    QVERIFY(!expected.isNull());
    const XWindow window = Open(app, "clickshow.exe", {}, QStringLiteral("Form1"));
    QVERIFY2(window, wine->Output(app).constData());
    QCOMPARE(x->Size(window), expected.size());
    x->Click(window, kOpenSurface * scale);
    // A strip of it tells the backdrop, and takes the X server little time.
    Followed followed;
    QVERIFY(FollowBackdrops([&] { return x->Grab(window, QRect(QPoint(0, 0), expected.size() / 4)); }, 1, followed));
    QImage seen;
    QVERIFY2(WaitFor([&] { return seen = x->Grab(window); },
                     [&](const QImage &picture) { return DifferingOutsideCaptions(picture, expected, scale) == 0; }),
             qPrintable(QStringLiteral("%1 pixels differ").arg(DifferingOutsideCaptions(seen, expected, scale))));
    // Once the show has ended: its captions come last.
    QVERIFY(x->Ping(window, kScreenCeilingMs, [] { return true; }));
    const QString text = Read(x->Grab(window));
    QVERIFY2(text.contains(QLatin1String("Salt Lake City")) && text.contains(QLatin1String("2002")), qPrintable(text));
    // The pace: its first act, 108 pauses of 52000 counts, 180 ns each. (The
    // whole show's length also tells how fast a display takes outlines.)
    const double act = (followed.backdrops[1] - followed.backdrops[0]) / 1000.0;
    qInfo("%d dpi: the first act took %.3f s, the show %.3f s on the screen", dpi, act,
          (followed.finales[0] - followed.starts[0]) / 1000.0);
    QVERIFY2(std::abs(act - 108 * 52000 * 180e-9) <= 0.0101, qPrintable(QString::number(act)));
    QVERIFY(wine->SetDpi(96));
}

// A click on a caption plays nothing; a click during a show plays one more
// after it; Space during a show, nothing.
void TestWindows::clicksAndKeys()
{
    const XWindow window = Open(app, "clickshow.exe", {}, QStringLiteral("Form1"));
    QVERIFY(window);
    const QPoint onCaption(show::kTopCaption.x + 10, show::kTopCaption.y + 10);
    const auto look = [&] { return x->Grab(window); };
    Followed followed;
    // Well into the show, so that it is no double click.
    x->Click(window, kOpenSurface);
    QVERIFY(WaitFor(look, [](const QImage &picture) { return Backdrop(picture) == ToQRgb(show::kGrey110); }));
    x->Click(window, kOpenSurface);
    const auto grey100 = [](const QImage &picture) { return Backdrop(picture) == ToQRgb(show::kGrey100); };
    QVERIFY(WaitFor(look, [](const QImage &picture) { return Backdrop(picture) == ToQRgb(show::kGrey109); }));
    QVERIFY2(WaitFor(look, grey100) && FollowBackdrops(look, 1, followed), "a click during a show did not play one more");
    QVERIFY2(Settled(window), "more than one show after a click during one");
    x->Click(window, onCaption);
    QVERIFY2(Settled(window), "a click on a caption played");
    x->Click(window, kOpenSurface);
    QVERIFY(WaitFor(look, grey100));
    x->Key(window, "space");
    QVERIFY(WaitFor(look, [](const QImage &picture) { return Backdrop(picture) == ToQRgb(show::kWhite); }));
    QVERIFY2(Settled(window), "Space during a show played one more");
}

// /s fills the screen and plays; a move of the pointer ends it.
void TestWindows::screenSaverEndsOnAMove()
{
    const XWindow window = Open(app, "clickshow.scr", {QStringLiteral("/s")}, QStringLiteral("Form1"));
    QVERIFY(window);
    QCOMPARE(x->OnScreen(window), QRect(QPoint(0, 0), x->ScreenSize()));
    QVERIFY(WaitFor([&] { return x->Grab(window); },
                    [](const QImage &picture) { return Backdrop(picture) == ToQRgb(show::kGrey100); }));
    x->PointerTo(QPoint(100, 100));
    x->PointerTo(QPoint(140, 140));
    QVERIFY2(app.waitForFinished(kScreenCeilingMs), "a move did not end the screen saver");
}

// In the settings' preview, 152 x 112: the show's picture at that size.
void TestWindows::previewAtItsSize()
{
    const QSize size(152, 112);
    const QImage expected = RecordedPicture(size);
    QVERIFY(!expected.isNull());
    const XWindow window = Open(app, "previewhost.exe", {}, QStringLiteral("preview host"));
    QVERIFY(window);
    QCOMPARE(x->Size(window), size);
    Followed followed;
    QVERIFY(FollowBackdrops([&] { return x->Grab(window); }, 1, followed));
    QImage seen;
    QVERIFY2(WaitFor([&] { return seen = x->Grab(window); },
                     [&](const QImage &picture) { return DifferingOutsideCaptions(picture, expected) == 0; }),
             qPrintable(QStringLiteral("%1 pixels differ").arg(DifferingOutsideCaptions(seen, expected))));
}

// /c keeps how long a finale stands; /s stands it that long.
void TestWindows::settingsReachTheScreenSaver()
{
    const XWindow dialog = Open(app, "clickshow.scr", {QStringLiteral("/c")}, QStringLiteral("clickshow settings"));
    QVERIFY(dialog);
    x->Key(dialog, "1");
    x->Key(dialog, "Return");
    QVERIFY(app.waitForFinished(kScreenCeilingMs));
    QCOMPARE(wine->Registry(QStringLiteral("Software\\clickshow"), QStringLiteral("FinaleSeconds")), QStringLiteral("0x1"));

    const XWindow window = Open(app, "clickshow.scr", {QStringLiteral("/s")}, QStringLiteral("Form1"));
    QVERIFY(window);
    Followed followed;
    QVERIFY(FollowBackdrops([&] { return x->Grab(window); }, 2, followed));
    const qint64 stood = followed.starts[1] - followed.finales[0];
    QVERIFY2(stood >= 950 && stood < 4000, qPrintable(QStringLiteral("the finale stood %1 ms").arg(stood)));
}

CLICKSHOW_E2E_MAIN(TestWindows)
#include "tst_windows.moc"
