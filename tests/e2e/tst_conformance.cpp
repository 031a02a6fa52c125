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
#include <QProcess>

#include <memory>

namespace {

const QString kPlayer = qEnvironmentVariable("CLICKSHOW_PLAYER", QStringLiteral("qt"));

// What the screen showed as the row went: shows begun, when the last
// finale came, and how long each finale stood before the next show.
struct Seen
{
    int shows = 0;
    QRgb backdrop = 0;
    QElapsedTimer finale;
    QList<qint64> finales;
};

// A backdrop of a show that runs.
bool Grey(QRgb backdrop)
{
    return backdrop == ToQRgb(show::kGrey100) || backdrop == ToQRgb(show::kGrey109) || backdrop == ToQRgb(show::kGrey110);
}

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
    // One look at the screen; false once `until` holds.
    bool Look(Seen &seen, const std::function<bool()> &until = {});
    bool Do(const QString &step, Seen &seen);
    // Until the player has handled all it was given: it answers a ping,
    // from whichever window it now shows.
    bool Settle(Seen &seen);

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
    QVERIFY(server->isRunning());
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
    const QJsonObject table = ConformanceTable();
    for (const QJsonValue row : table.value(QStringLiteral("rows")).toArray())
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

bool TestConformance::Look(Seen &seen, const std::function<bool()> &until)
{
    const QImage picture = x->Grab(Window());
    const QRgb backdrop = picture.isNull() ? seen.backdrop : Backdrop(picture);
    // A show begins at its first backdrop, or at the show's grey from none:
    // a held key may keep the eyes off its first act.
    if (backdrop != seen.backdrop && Grey(backdrop) && (backdrop == ToQRgb(show::kGrey100) || !Grey(seen.backdrop))) {
        if (seen.finale.isValid())
            seen.finales.append(seen.finale.elapsed());
        seen.finale.invalidate();
        ++seen.shows;
    } else if (backdrop != seen.backdrop && backdrop == ToQRgb(show::kWhite)) {
        seen.finale.start();
    }
    seen.backdrop = backdrop;
    return !(until && until());
}

bool TestConformance::Do(const QString &step, Seen &seen)
{
    const QJsonArray open = ConformanceTable()[QStringLiteral("points")][QStringLiteral("open")].toArray();
    const QJsonArray caption = ConformanceTable()[QStringLiteral("points")][QStringLiteral("caption")].toArray();
    const QStringList words = step.split(QLatin1Char(' '));
    const QString &what = words[0];
    const QString on = words.value(1);
    const QPoint at = on == QLatin1String("open") ? QPoint(open[0].toInt(), open[1].toInt())
        : on == QLatin1String("caption")          ? QPoint(caption[0].toInt(), caption[1].toInt())
                                                  : QPoint(x->ScreenSize().width() / 2, 3); // beside
    const auto waitFor = [&](const std::function<bool()> &done) {
        return WaitFor([&] { return QImage(); }, [&](const QImage &) { return !Look(seen, done); });
    };
    if (what == QLatin1String("click") || what == QLatin1String("right-click")) {
        x->Click(Window(), at, what == QLatin1String("click") ? 1 : 3);
    } else if (what == QLatin1String("double-click")) {
        x->Click(Window(), at);
        x->Click(Window(), at);
    } else if (what == QLatin1String("key") || what == QLatin1String("hold")) {
        x->Key(Window(), on == QLatin1String("return") ? QStringLiteral("Return") : on,
               what == QLatin1String("hold") ? 1000 : 0);
    } else if (what == QLatin1String("act")) {
        const QRgb backdrop = ToQRgb(on == QLatin1String("1") ? show::kGrey100 : show::kGrey110);
        return waitFor([&] { return seen.backdrop == backdrop; });
    } else if (what == QLatin1String("finale")) {
        return waitFor([&] { return seen.backdrop == ToQRgb(show::kWhite); });
    } else if (step == QLatin1String("full screen")) {
        return waitFor([&] { return WholeScreen(); });
    } else if (what == QLatin1String("wheel") || what == QLatin1String("button")) {
        x->Click(Window(), QPoint(100, 100), what == QLatin1String("wheel") ? 4 : on.toUInt());
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

bool TestConformance::Settle(Seen &seen)
{
    // Wine answers a ping while a show runs: only an answer that comes
    // between shows, with no show begun meanwhile, says all was handled.
    for (int tries = 0; tries < 10; ++tries) {
        if (!WaitFor([] { return QImage(); }, [&](const QImage &) { return !Look(seen, [&] { return !Grey(seen.backdrop); }); }))
            return false;
        const int shows = seen.shows;
        const XWindow asked = Window();
        bool moved = false;
        const bool answered = x->Ping(asked, kScreenCeilingMs, [&] { return Look(seen) && !(moved = Window() != asked); });
        Look(seen);
        if (answered && !Grey(seen.backdrop) && seen.shows == shows)
            return true;
        if (!answered && !moved)
            return false;
    }
    return false;
}

void TestConformance::table()
{
    QFETCH(QJsonObject, row);
    const QString start = row[QStringLiteral("start")].toString();
    const QJsonObject table = ConformanceTable();
    const QString cannot = start == QLatin1String("saver")
        ? table[QStringLiteral("saverCannot")][kPlayer].toString()
        : row[QStringLiteral("cannot")][kPlayer].toString();
    if (!cannot.isEmpty())
        QSKIP(qPrintable(QStringLiteral("%1 cannot: %2").arg(kPlayer, cannot)));

    Seen seen;
    for (const QJsonValue step : row[QStringLiteral("before")].toArray())
        QVERIFY(Do(step.toString(), seen));
    Start(app, start);
    QVERIFY2(WaitFor([] { return QImage(); }, [&](const QImage &) { return Window() != 0; }), "no window");
    if (start != QLatin1String("saver"))
        x->PointerTo(x->OnScreen(Window()).center()); // where a person's hand is
    for (const QJsonValue step : row[QStringLiteral("do")].toArray())
        QVERIFY2(Do(step.toString(), seen), qPrintable(step.toString()));

    // What follows: the shows the row brings, played to their end.
    const bool alive = row[QStringLiteral("alive")].toBool(true);
    const int shows = row[QStringLiteral("shows")].toInt(-1);
    if (!alive) {
        QVERIFY2(WaitFor([] { return QImage(); }, [&](const QImage &) { return Look(seen) && Ended(); }),
                 "it did not end");
        QVERIFY2(app.exitStatus() == QProcess::NormalExit && app.exitCode() == 0, "it failed"); // not a crash
    } else if (!start.startsWith(QLatin1String("loop"))) {
        QVERIFY(Settle(seen));
        Look(seen);
    } else {
        QVERIFY(WaitFor([] { return QImage(); }, [&](const QImage &) { return !Look(seen, [&] { return seen.shows >= shows; }); }));
    }
    if (shows >= 0)
        QCOMPARE(seen.shows, shows);
    QCOMPARE(!Ended(), alive);
    if (row.contains(QStringLiteral("fullScreen")))
        QCOMPARE(WholeScreen(), row[QStringLiteral("fullScreen")].toBool());
    if (const QJsonArray finale = row[QStringLiteral("finale")].toArray(); !finale.isEmpty()) {
        QVERIFY(!seen.finales.isEmpty());
        QVERIFY2(seen.finales[0] >= finale[0].toInt() && seen.finales[0] <= finale[1].toInt(),
                 qPrintable(QStringLiteral("the finale stood %1 ms").arg(seen.finales[0])));
    }
}

CLICKSHOW_E2E_MAIN(TestConformance)
#include "tst_conformance.moc"
