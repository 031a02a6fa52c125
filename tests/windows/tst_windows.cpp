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
#include <tuple>

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
    void commandLine_data();
    void commandLine();
    void previewFollowsItsHost();
    void previewEndsWithItsHost();
    void settingsReachTheScreenSaver();

private:
    // Starts a program and waits for its window; 0 if none came.
    XWindow Open(QProcess &process, const char *program, const QStringList &arguments, const QString &title);

    std::unique_ptr<XServer> server;
    std::unique_ptr<WindowManager> openbox;
    std::unique_ptr<XDriver> x;
    std::unique_ptr<Wine> wine;
    QProcess app;
    int dpi = 96;
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
    // Whatever became of the test, the next one starts at 96 dots an inch.
    if (dpi != 96)
        QVERIFY(wine->SetDpi(dpi = 96));
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
    QVERIFY(wine->SetDpi(this->dpi = dpi));
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
    const QImage final = x->Grab(window);
    const QString text = Read(final);
    QVERIFY2(text.contains(QLatin1String("Salt Lake City")) && text.contains(QLatin1String("2002")), qPrintable(text));
    // Where every player puts them: here, and in the recording.
    for (const QImage &picture : {final, expected}) {
        const QString off = CaptionsOffTable(picture, scale);
        QVERIFY2(off.isEmpty(), qPrintable(off));
    }
    // The pace: its first act, 108 pauses of 52000 counts, 180 ns each. (The
    // whole show's length also tells how fast a display takes outlines.)
    const double act = (followed.backdrops[1] - followed.backdrops[0]) / 1000.0;
    qInfo("%d dpi: the first act took %.3f s, the show %.3f s on the screen", dpi, act,
          (followed.finales[0] - followed.starts[0]) / 1000.0);
    QVERIFY2(std::abs(act - 108 * 52000 * 180e-9) <= 0.0101, qPrintable(QString::number(act)));
}

void TestWindows::commandLine_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("says"); // the start of what it writes

    QTest::newRow("-h answers") << "clickshow.exe" << QStringList{"-h"} << 0 << "clickshow 0.";
    QTest::newRow("-v answers") << "clickshow.exe" << QStringList{"-v"} << 0 << "clickshow 0.";
    QTest::newRow("/? answers the screen saver too") << "clickshow.scr" << QStringList{"/?"} << 0 << "clickshow 0.";
    QTest::newRow("/p 0 is no window") << "clickshow.scr" << QStringList{"/p", "0"} << 2 << "clickshow: /p takes";
    QTest::newRow("a handle beyond 64 bits")
        << "clickshow.scr" << QStringList{"/p", "18446744073709551616"} << 2 << "clickshow: /p takes";
    QTest::newRow("--loop with no seconds") << "clickshow.exe" << QStringList{"--loop", ""} << 2 << "clickshow: --loop takes";
}

// What a person types at a console: an answer, or one line and status 2.
void TestWindows::commandLine()
{
    QFETCH(QString, program);
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    QFETCH(QString, says);

    QCOMPARE(wine->Run(Program(qPrintable(program)), arguments), status);
    const QString output = QString::fromUtf8(wine->Output(QProcess()));
    QVERIFY2(output.startsWith(says) && (status == 0 || output.count(QLatin1Char('\n')) == 1), qPrintable(output));
}

// In the settings' preview, 152 x 112: the show's picture at that size;
// the host grown to 320 x 240, the picture grows with it.
void TestWindows::previewFollowsItsHost()
{
    const XWindow window = Open(app, "previewhost.exe", {}, QStringLiteral("preview host"));
    QVERIFY(window);
    QCOMPARE(x->Size(window), QSize(152, 112));
    Followed followed;
    QVERIFY(FollowBackdrops([&] { return x->Grab(window); }, 1, followed));
    // The largest scale in thousandths that fits, centred.
    for (const auto &[size, scale, at] : {std::tuple(QSize(152, 112), 0.304, QPoint(0, 2)),
                                          std::tuple(QSize(320, 240), 0.641, QPoint(0, 6))}) {
        const QImage expected = RecordedPicture(size, scale, at);
        QVERIFY(!expected.isNull());
        QImage seen;
        QVERIFY2(WaitFor([&] { return seen = x->Grab(window); },
                         [&](const QImage &picture) { return DifferingOutsideCaptions(picture, expected, scale, at) == 0; }),
                 qPrintable(QStringLiteral("%1 pixels differ").arg(DifferingOutsideCaptions(seen, expected, scale, at))));
        x->Key(window, QStringLiteral("r"));
    }
}

// As Windows runs it, the preview in a window of another program: it
// answers its host during a show, and ends with it.
void TestWindows::previewEndsWithItsHost()
{
    const int status = wine->Run(Program("previewhost.exe"), {QStringLiteral("--apart")});
    QVERIFY2(status == 0, qPrintable(QStringLiteral("status %1: %2").arg(status).arg(QString::fromUtf8(wine->Output(QProcess())))));
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
    QCOMPARE(x->OnScreen(window), QRect(QPoint(0, 0), x->ScreenSize())); // its one monitor, whole
    Followed followed;
    QVERIFY(FollowBackdrops([&] { return x->Grab(window); }, 2, followed));
    // A second, not the five unset: as seen, the finale may reach the screen
    // late on a busy machine (Wine sends a busy program's drawing on later).
    const qint64 stood = followed.starts[1] - followed.finales[0];
    QVERIFY2(stood >= 900 && stood < 4000, qPrintable(QStringLiteral("the finale stood %1 ms").arg(stood)));
}

CLICKSHOW_E2E_MAIN(TestWindows)
#include "tst_windows.moc"
