// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

// The players' one table of behaviour (tests/conformance/table.json), done
// as a person does it. CLICKSHOW_PLAYER says against what: "native", the
// players' rules alone; "qt", the program's window, and "windows",
// clickshow.exe and clickshow.scr under Wine, each in an X server of the
// test's own under openbox, driven by XTest and seen on the screen.

#include "e2e/e2emain.h"

#include "driver/picture.h"
#include "driver/screenwatch.h"
#include "driver/windowmanager.h"
#include "driver/wine.h"
#include "driver/xdriver.h"
#include "driver/xserver.h"
#include "player/inputrules.h"
#include "player/loopschedule.h"
#include "player/picture.h"
#include "player/saverinput.h"
#include "show/palette.h"

#include <QElapsedTimer>
#include <QJsonArray>
#include <QJsonObject>

#include <memory>

namespace {

const QString kPlayer = qEnvironmentVariable("CLICKSHOW_PLAYER", QStringLiteral("native"));

bool Grey(QRgb backdrop) // a backdrop of a show that runs
{
    return backdrop == ToQRgb(show::kGrey100) || backdrop == ToQRgb(show::kGrey109) || backdrop == ToQRgb(show::kGrey110);
}

// What followed a row: the shows begun, and how long each finale stood
// before the next show.
struct Seen
{
    int shows = 0;
    bool alive = true, whole = false;
    QString problem; // what went against the row before its end
    QList<double> finales;
    QRgb backdrop = 0;
    QElapsedTimer finale;
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
    // The rules alone, as a player that holds input back while a show runs
    // (the window's never yields) meets them: steps on one clock, in
    // milliseconds, each handed over once no show runs, with its time.
    Seen Native(const QJsonObject &row);
    Seen Played(const QJsonObject &row);
    void Start(QProcess &process, const QString &start);
    XWindow Window() { return x->FindWindow(QStringLiteral("Form1")); }
    bool WholeScreen() { return x->Size(Window()) == x->ScreenSize(); }
    // Between the window and the whole screen there is a moment with no
    // window at all: a key sent then goes nowhere.
    bool Shown(bool whole) { return Window() != 0 && WholeScreen() == whole; }
    bool Ended() { return app.state() == QProcess::NotRunning || app.waitForFinished(50); }
    // Looks at the screen until `done` holds, or the ceiling.
    bool Until(Seen &seen, const std::function<bool()> &done);
    bool Do(const QString &step, Seen &seen);

    QJsonObject conformance = ConformanceTable();
    std::unique_ptr<XServer> server;
    std::unique_ptr<WindowManager> openbox;
    std::unique_ptr<XDriver> x;
    std::unique_ptr<Wine> wine;
    QProcess app, second;
};

void TestConformance::initTestCase()
{
    if (kPlayer == QLatin1String("native"))
        return;
    server = std::make_unique<XServer>(QStringLiteral("1280x1024x24"));
    openbox = std::make_unique<WindowManager>(QStringLiteral("openbox"), server->display());
    QVERIFY2(openbox->problem().isEmpty(), qPrintable(openbox->problem()));
    x = std::make_unique<XDriver>(server->display());
    if (kPlayer == QLatin1String("windows"))
        wine = std::make_unique<Wine>(server->display());
}

void TestConformance::cleanup()
{
    for (QProcess *process : {&app, &second}) {
        process->kill();
        process->waitForFinished();
    }
    if (!x)
        return;
    x->KeyEdge("Return", false);
    // A killed program's windows may outlive it a while: none is taken for
    // the next row's.
    QVERIFY(WaitFor([] { return QImage(); }, [&](const QImage &) { return Window() == 0; }));
}

void TestConformance::table_data()
{
    QTest::addColumn<QJsonObject>("row");
    for (const QJsonValue row : conformance[QStringLiteral("rows")].toArray())
        QTest::newRow(qPrintable(row[QStringLiteral("name")].toString())) << row.toObject();
}

Seen TestConformance::Native(const QJsonObject &row)
{
    using player::Event;
    const QString start = row[QStringLiteral("start")].toString();
    player::Picture picture;
    static_cast<void>(picture.canvas().Hold({0, 0, 499, 356}, 1));
    player::InputRules rules(picture);
    player::LoopSchedule loop(start == QLatin1String("saver") ? 5 : start.startsWith(QLatin1String("loop ")) ? start.mid(5).toDouble() : -1);
    player::SaverInput saver;
    saver.Ends(player::SaverInput::What::Move, 500, 500); // where the pointer is
    loop.Painted(0);
    Seen seen;
    double now = 0, busy = 0;
    const auto show = [&](double at) {
        if (seen.shows)
            seen.finales.append(at - busy);
        ++seen.shows;
        rules.Handle(Event::ShowStarted());
        loop.ShowStarted();
        for (const show::Label label : {show::Label::Top, show::Label::Words})
            picture.Apply(player::Call::Visible(label, true)); // as they stand at its end
        busy = at + 18514000 * 180e-6;
        rules.Handle(Event::ShowEnded(std::uint32_t(busy)));
        loop.ShowEnded(busy);
    };
    const auto due = [&](double until) {
        while (seen.alive && loop.due() >= 0 && std::max(loop.due(), busy) <= until)
            show(std::max(loop.due(), busy));
    };
    const auto hand = [&](Event event) {
        event.time = std::uint32_t(now);
        due(std::max(now, busy));
        const player::Action action = rules.Handle(event);
        if (action == player::Action::Play && seen.alive)
            show(std::max(now, busy));
        seen.alive = seen.alive && action != player::Action::Close;
    };
    using What = player::SaverInput::What;
    const QHash<QString, What> saverInput = {{"key", What::KeyDown}, {"wheel", What::Wheel}, {"button", What::Button},
                                             {"release", What::KeyUp}, {"deactivate", What::Deactivated}};
    const QHash<QString, player::Key> keys = {{"space", player::Key::Space}, {"return", player::Key::Return},
                                              {"F11", player::Key::F11},     {"Escape", player::Key::Escape},
                                              {"ctrl+q", player::Key::Q},    {"ctrl+w", player::Key::W}};
    for (const QVariant &step : row[QStringLiteral("before")].toArray().toVariantList()
             + row[QStringLiteral("do")].toArray().toVariantList()) {
        const QStringList words = step.toString().split(QLatin1Char(' '));
        const QString &what = words[0], on = words.value(1);
        const QJsonArray point = conformance[QStringLiteral("points")][on].toArray();
        const double px = point.isEmpty() ? 250 : point[0].toDouble(), py = point.isEmpty() ? -10 : point[1].toDouble();
        if (start == QLatin1String("saver") && (saverInput.contains(what) || what == QLatin1String("move"))) {
            seen.alive = seen.alive && !saver.Ends(saverInput.value(what, What::Move), 500 + on.toInt(), 500);
        } else if (what.endsWith(QLatin1String("click"))) {
            const auto button = what == QLatin1String("right-click") ? player::Button::Other : player::Button::Primary;
            for (int clicks = 1; clicks <= (what == QLatin1String("double-click") ? 2 : 1); ++clicks) {
                hand(Event::Press(px, py, button, clicks));
                hand(Event::Release(px, py, button));
            }
        } else if (what == QLatin1String("key") || what == QLatin1String("hold")) {
            const unsigned control = on.startsWith(QLatin1String("ctrl+")) ? unsigned(player::kControl) : 0u;
            for (int held = 0; held <= (what == QLatin1String("hold") ? 1000 : 0); held += 33, now += 33)
                hand(Event::KeyDown(keys.value(on, player::Key::Other), control, held > 0, 0));
        } else if (what == QLatin1String("act") || what == QLatin1String("finale")) {
            due(std::max(now, loop.due()));
            now = std::max(now, what == QLatin1String("finale") ? busy : busy - 18514000 * 180e-6 + 1100);
        }
        now += 50;
    }
    while (seen.alive && loop.looping() && start != QLatin1String("saver") && seen.shows < row[QStringLiteral("shows")].toInt())
        due(loop.due());
    seen.whole = rules.fullScreen();
    return seen;
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
            ++seen.shows;
        }
        if (backdrop != seen.backdrop)
            backdrop == ToQRgb(show::kWhite) ? seen.finale.start() : seen.finale.invalidate();
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
        return Until(seen, [&] { return Shown(step == QLatin1String("full screen")); });
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
    }
    return true;
}

Seen TestConformance::Played(const QJsonObject &row)
{
    const QString start = row[QStringLiteral("start")].toString();
    Seen seen;
    const auto steps = [&](const char *key) {
        for (const QJsonValue step : row[QLatin1String(key)].toArray()) {
            if (seen.problem.isEmpty() && !Do(step.toString(), seen))
                seen.problem = QStringLiteral("%1, the window %2 x %3").arg(step.toString()).arg(x->Size(Window()).width())
                                   .arg(x->Size(Window()).height());
        }
    };
    steps("before");
    Start(app, start);
    if (!Until(seen, [&] { return Window() != 0; }))
        seen.problem = QStringLiteral("no window");
    if (start != QLatin1String("saver"))
        x->PointerTo(x->OnScreen(Window()).center()); // where a person's hand is
    steps("do");
    // The shows the row brings, played to their end.
    seen.whole = WholeScreen();
    bool settled = true;
    if (!row[QStringLiteral("alive")].toBool(true)) {
        settled = Until(seen, [&] { return Ended(); }) && app.exitStatus() == QProcess::NormalExit && app.exitCode() == 0;
    } else if (start == QLatin1String("saver")) {
        const QRgb now = seen.backdrop; // through a pause or more: the next act
        settled = Until(seen, [&] { return seen.backdrop != now || Ended(); });
    } else if (start.startsWith(QLatin1String("loop"))) {
        settled = Until(seen, [&] { return seen.shows >= row[QStringLiteral("shows")].toInt(); });
    } else {
        // F11, handled after all that came before it, shows that all was.
        x->Key(Window(), QStringLiteral("F11"));
        settled = Until(seen, [&] { return Shown(!seen.whole); });
    }
    if (!settled && seen.problem.isEmpty())
        seen.problem = QStringLiteral("no end that the row foresees");
    seen.alive = !Ended();
    return seen;
}

void TestConformance::table()
{
    QFETCH(QJsonObject, row);
    const QString cannot = row[QStringLiteral("start")] == QLatin1String("saver") && kPlayer != QLatin1String("native")
        ? conformance[QStringLiteral("saverCannot")][kPlayer].toString()
        : row[QStringLiteral("cannot")][kPlayer].toString();
    if (!cannot.isEmpty())
        QSKIP(qPrintable(QStringLiteral("%1 cannot: %2").arg(kPlayer, cannot)));

    const Seen seen = kPlayer == QLatin1String("native") ? Native(row) : Played(row);
    QVERIFY2(seen.problem.isEmpty(), qPrintable(seen.problem));
    if (row.contains(QStringLiteral("shows")))
        QCOMPARE(seen.shows, row[QStringLiteral("shows")].toInt());
    QCOMPARE(seen.alive, row[QStringLiteral("alive")].toBool(true));
    if (row.contains(QStringLiteral("fullScreen")))
        QCOMPARE(seen.whole, row[QStringLiteral("fullScreen")].toBool());
    if (const QJsonArray finale = row[QStringLiteral("finale")].toArray(); !finale.isEmpty()) {
        QVERIFY2(!seen.finales.isEmpty() && seen.finales[0] >= finale[0].toDouble() && seen.finales[0] <= finale[1].toDouble(),
                 qPrintable(QStringLiteral("the finale stood %1 ms").arg(seen.finales.value(0, -1))));
    }
}

CLICKSHOW_E2E_MAIN(TestConformance)
#include "tst_conformance.moc"
