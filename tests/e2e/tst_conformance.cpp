// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

// The players' one table of behaviour (tests/conformance/table.json)
// against a real player in an X server of the test's own under openbox,
// done as a person does it (XTest) and seen on the screen. CLICKSHOW_PLAYER
// says which: "qt", the program's window, or "windows", clickshow.exe and
// clickshow.scr under Wine.

#include "e2e/e2emain.h"

#include "driver/picture.h"
#include "driver/screenwatch.h"
#include "driver/windowmanager.h"
#include "driver/wine.h"
#include "driver/xdriver.h"
#include "driver/xserver.h"
#include "show/palette.h"

#include <QElapsedTimer>
#include <QJsonArray>
#include <QJsonObject>

#include <memory>

namespace {

const QString kPlayer = qEnvironmentVariable("CLICKSHOW_PLAYER", QStringLiteral("qt"));

// A backdrop of a show that runs.
bool Grey(QRgb backdrop)
{
    return backdrop == ToQRgb(show::kGrey100) || backdrop == ToQRgb(show::kGrey109) || backdrop == ToQRgb(show::kGrey110);
}

// What the screen showed as a row went: the shows begun, and how long each
// finale stood before the next show.
struct Seen
{
    int shows = 0;
    QRgb backdrop = 0;
    QElapsedTimer finale;
    QList<qint64> finales;
};

} // namespace

class TestConformance : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void table_data();
    void table();

private:
    void Start(QProcess &process, const QString &start);
    XWindow Window() { return x->FindWindow(QStringLiteral("Form1")); }
    bool WholeScreen() { return x->Size(Window()) == x->ScreenSize(); }
    bool Ended() { return app.state() == QProcess::NotRunning || app.waitForFinished(50); }
    // Looks at the screen until `done` holds, or the ceiling.
    bool Until(Seen &seen, const std::function<bool()> &done);
    bool Do(const QString &step, Seen &seen);

    QJsonObject conformance = ConformanceTable();
    std::unique_ptr<XServer> server;
    std::unique_ptr<WindowManager> openbox;
    std::unique_ptr<XDriver> x;
    std::unique_ptr<Wine> wine;
    QProcess app;
    QProcess second;
};

void TestConformance::initTestCase()
{
    server = std::make_unique<XServer>(QStringLiteral("1280x1024x24"));
    openbox = std::make_unique<WindowManager>(QStringLiteral("openbox"), server->display());
    QVERIFY2(openbox->problem().isEmpty(), qPrintable(openbox->problem()));
    x = std::make_unique<XDriver>(server->display());
    if (kPlayer == QLatin1String("windows")) {
        wine = std::make_unique<Wine>(server->display());
        QVERIFY2(wine->problem().isEmpty(), qPrintable(wine->problem()));
    }
}

void TestConformance::cleanup()
{
    for (QProcess *process : {&app, &second}) {
        process->kill();
        process->waitForFinished();
    }
    x->KeyEdge("Return", false);
}

void TestConformance::table_data()
{
    QTest::addColumn<QJsonObject>("row");
    for (const QJsonValue row : conformance[QStringLiteral("rows")].toArray())
        QTest::newRow(qPrintable(row[QStringLiteral("name")].toString())) << row.toObject();
}

void TestConformance::Start(QProcess &process, const QString &start)
{
    const QStringList loop = start.startsWith(QLatin1String("loop ")) ? QStringList{QStringLiteral("--loop"), start.mid(5)}
                                                                      : QStringList();
    if (kPlayer == QLatin1String("qt")) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("DISPLAY"), server->display());
        environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
        environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
        process.setProcessEnvironment(environment);
        process.start(QStringLiteral(CLICKSHOW_BINARY), loop);
    } else {
        const bool saver = start == QLatin1String("saver");
        wine->Start(process, QStringLiteral(CLICKSHOW_WINDOWS_BUILD "/clickshow.") + (saver ? "scr" : "exe"),
                    saver ? QStringList{QStringLiteral("/s")} : loop);
    }
}

bool TestConformance::Until(Seen &seen, const std::function<bool()> &done)
{
    return WaitFor([&] { return x->Grab(Window()); }, [&](const QImage &picture) {
        const QRgb backdrop = picture.isNull() ? seen.backdrop : Backdrop(picture);
        // A show begins at its first backdrop, or at the show's grey from
        // none: a held key may keep the eyes off its first act.
        if (backdrop != seen.backdrop && Grey(backdrop) && (backdrop == ToQRgb(show::kGrey100) || !Grey(seen.backdrop))) {
            if (seen.finale.isValid())
                seen.finales.append(seen.finale.elapsed());
            seen.finale.invalidate();
            ++seen.shows;
        } else if (backdrop != seen.backdrop && backdrop == ToQRgb(show::kWhite)) {
            seen.finale.start();
        }
        seen.backdrop = backdrop;
        return done();
    });
}

bool TestConformance::Do(const QString &step, Seen &seen)
{
    const QStringList words = step.split(QLatin1Char(' '));
    const QString &what = words[0], on = words.value(1);
    const QJsonArray point = conformance[QStringLiteral("points")][on].toArray();
    const QPoint at = point.isEmpty() ? QPoint(x->ScreenSize().width() / 2, 3) // beside
                                      : QPoint(point[0].toInt(), point[1].toInt());
    const QRgb wanted = ToQRgb(what == QLatin1String("finale") ? show::kWhite
                               : on == QLatin1String("1")     ? show::kGrey100
                                                              : show::kGrey110);
    if (what.endsWith(QLatin1String("click"))) {
        for (int click = 0; click < (what == QLatin1String("double-click") ? 2 : 1); ++click)
            x->Click(Window(), at, what == QLatin1String("right-click") ? 3 : 1);
    } else if (what == QLatin1String("key") || what == QLatin1String("hold")) {
        x->Key(Window(), on == QLatin1String("return") ? QStringLiteral("Return") : on,
               what == QLatin1String("hold") ? 1000 : 0);
    } else if (what == QLatin1String("act") || what == QLatin1String("finale")) {
        return Until(seen, [&] { return seen.backdrop == wanted; });
    } else if (step == QLatin1String("full screen") || step == QLatin1String("window")) {
        return Until(seen, [&] { return WholeScreen() == (step == QLatin1String("full screen")); });
    } else if (what == QLatin1String("wheel") || what == QLatin1String("button")) {
        x->Button(what == QLatin1String("wheel") ? 4 : on.toUInt()); // the pointer still
    } else if (what == QLatin1String("move")) {
        x->PointerBy(QPoint(on.toInt(), 0));
    } else if (what == QLatin1String("press") || what == QLatin1String("release")) {
        if (what == QLatin1String("release"))
            x->Focus(Window()); // the key goes where the screen saver is
        x->KeyEdge("Return", what == QLatin1String("press"));
    } else if (step == QLatin1String("deactivate")) {
        x->Focus(x->Cover(QRect(0, 0, 50, 50)));
    } else if (step == QLatin1String("second saver")) {
        Start(second, QStringLiteral("saver"));
        return second.waitForFinished(kScreenCeilingMs) && second.exitCode() == 0;
    } else {
        return false;
    }
    return true;
}

void TestConformance::table()
{
    QFETCH(QJsonObject, row);
    const QString start = row[QStringLiteral("start")].toString();
    const QString cannot = start == QLatin1String("saver") ? conformance[QStringLiteral("saverCannot")][kPlayer].toString()
                                                           : row[QStringLiteral("cannot")][kPlayer].toString();
    if (!cannot.isEmpty())
        QSKIP(qPrintable(QStringLiteral("%1 cannot: %2").arg(kPlayer, cannot)));

    Seen seen;
    const auto steps = [&](const char *key) {
        for (const QJsonValue step : row[QLatin1String(key)].toArray())
            QVERIFY2(Do(step.toString(), seen), qPrintable(step.toString()));
    };
    steps("before");
    Start(app, start);
    QVERIFY2(Until(seen, [&] { return Window() != 0; }), "no window");
    if (start != QLatin1String("saver"))
        x->PointerTo(x->OnScreen(Window()).center()); // where a person's hand is
    steps("do");

    // What follows: the shows the row brings, played to their end.
    const bool alive = row[QStringLiteral("alive")].toBool(true);
    const int shows = row[QStringLiteral("shows")].toInt(-1);
    const bool whole = WholeScreen();
    if (!alive) {
        QVERIFY2(Until(seen, [&] { return Ended(); }), "it did not end");
        QVERIFY2(app.exitStatus() == QProcess::NormalExit && app.exitCode() == 0, "it failed"); // not a crash
    } else if (start == QLatin1String("saver")) {
        const QRgb now = seen.backdrop; // through a pause or more: the next act
        QVERIFY(Until(seen, [&] { return seen.backdrop != now || Ended(); }));
    } else if (start.startsWith(QLatin1String("loop"))) {
        QVERIFY(Until(seen, [&] { return seen.shows >= shows; }));
    } else {
        // F11, handled after all that came before it, shows that all was.
        x->Key(Window(), QStringLiteral("F11"));
        QVERIFY2(Until(seen, [&] { return WholeScreen() != whole; }), "F11 after the row did nothing");
    }
    if (shows >= 0)
        QCOMPARE(seen.shows, shows);
    QCOMPARE(!Ended(), alive);
    if (row.contains(QStringLiteral("fullScreen")))
        QCOMPARE(whole, row[QStringLiteral("fullScreen")].toBool());
    if (const QJsonArray finale = row[QStringLiteral("finale")].toArray(); !finale.isEmpty()) {
        QVERIFY(!seen.finales.isEmpty());
        QVERIFY2(seen.finales[0] >= finale[0].toInt() && seen.finales[0] <= finale[1].toInt(),
                 qPrintable(QStringLiteral("the finale stood %1 ms").arg(seen.finales[0])));
    }
}

CLICKSHOW_E2E_MAIN(TestConformance)
#include "tst_conformance.moc"
