// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

// The players' shared rules: how input is taken, and how the design
// picture is fitted into any rectangle.

#include "player/inputrules.h"
#include "player/picture.h"
#include "player/saverarguments.h"
#include "player/scaling.h"

#include <QtTest>

using player::Action;
using player::Event;
using player::Key;

Q_DECLARE_METATYPE(QList<player::Event>)
Q_DECLARE_METATYPE(player::Action)

class TestPlayer : public QObject
{
    Q_OBJECT

private slots:
    void inputRules_data();
    void inputRules();
    void fitDesign_data();
    void fitDesign();
    void fitMonitors_data();
    void fitMonitors();
    void saverArguments_data();
    void saverArguments();
};

void TestPlayer::inputRules_data()
{
    QTest::addColumn<bool>("captionsShown");
    QTest::addColumn<QList<Event>>("events");
    QTest::addColumn<Action>("last"); // what the last event does

    const Event open = Event::Press(20, 180), openUp = Event::Release(20, 180);
    const Event caption = Event::Press(200, 40), captionUp = Event::Release(200, 40);
    const Event started = Event::ShowStarted(), ended = Event::ShowEnded(5000);
    const auto key = [](Key key, unsigned modifiers = 0, bool repeat = false, std::uint32_t time = 6000) {
        return Event::KeyDown(key, modifiers, repeat, time);
    };
    QTest::newRow("a click on the open surface plays") << false << QList{open, openUp} << Action::Play;
    QTest::newRow("a click on a shown caption does nothing") << true << QList{caption, captionUp} << Action::None;
    QTest::newRow("a click where a hidden caption lies plays") << false << QList{caption, captionUp} << Action::Play;
    QTest::newRow("the second press of a double click is no click")
        << false << QList{open, openUp, Event::Press(20, 180, player::Button::Primary, 2), openUp} << Action::None;
    QTest::newRow("another button does nothing")
        << false << QList{Event::Press(20, 180, player::Button::Other), Event::Release(20, 180, player::Button::Other)}
        << Action::None;
    QTest::newRow("released beside the picture does nothing") << false << QList{open, Event::Release(600, 180)}
                                                              << Action::None;
    QTest::newRow("a click beside the picture does nothing")
        << false << QList{Event::Press(-30, 180), Event::Release(-30, 180)} << Action::None;
    QTest::newRow("a click during a show plays one more after it") << false << QList{started, open, openUp}
                                                                   << Action::Play;
    QTest::newRow("Space plays") << false << QList{key(Key::Space)} << Action::Play;
    QTest::newRow("a held key is let go") << false << QList{key(Key::Return, 0, true)} << Action::LetGo;
    QTest::newRow("a show key with Shift is not the show's")
        << false << QList{key(Key::Space, player::kShift)} << Action::None;
    QTest::newRow("a key during a show is let go") << false << QList{started, key(Key::Space)} << Action::LetGo;
    QTest::newRow("a key pressed before the show ended is let go")
        << false << QList{started, ended, key(Key::Space, 0, false, 4999)} << Action::LetGo;
    QTest::newRow("a key pressed after the show ended plays")
        << false << QList{started, ended, key(Key::Space, 0, false, 5001)} << Action::Play;
    QTest::newRow("a show that ended at 0 on the input clock still ended then")
        << false << QList{started, Event::ShowEnded(0), key(Key::Space, 0, false, 0xfffffff0)} << Action::LetGo;
    QTest::newRow("Ctrl+Q closes") << false << QList{key(Key::Q, player::kControl)} << Action::Close;
    QTest::newRow("Ctrl+W during a show closes after it") << false << QList{started, key(Key::W, player::kControl)}
                                                          << Action::Close;
    QTest::newRow("a click after a close plays nothing") << false << QList{Event::CloseAsked(), open, openUp}
                                                         << Action::LetGo;
    QTest::newRow("F11 puts the picture on the whole screen") << false << QList{key(Key::F11)} << Action::FullScreenOn;
    QTest::newRow("a held F11 toggles once") << false << QList{key(Key::F11), key(Key::F11, 0, true)} << Action::LetGo;
    QTest::newRow("F11 up and down at one moment is a held F11")
        << false << QList{key(Key::F11), Event::KeyUp(Key::F11, 6000), key(Key::F11)} << Action::LetGo;
    QTest::newRow("F11 pressed again later toggles again")
        << false << QList{key(Key::F11), Event::KeyUp(Key::F11, 6000), key(Key::F11, 0, false, 6100)}
        << Action::FullScreenOff;
    QTest::newRow("Esc gives back the window")
        << false << QList{Event::FullScreenChanged(true), key(Key::Escape)} << Action::FullScreenOff;
    QTest::newRow("Esc in the window is not the show's") << false << QList{key(Key::Escape)} << Action::None;
}

void TestPlayer::inputRules()
{
    QFETCH(bool, captionsShown);
    QFETCH(QList<Event>, events);
    QFETCH(Action, last);

    player::Picture picture;
    QVERIFY(picture.canvas().Hold({0, 0, 499, 356}, 1));
    for (const show::Label label : {show::Label::Top, show::Label::Words})
        picture.Apply(player::Call::Visible(label, captionsShown));
    player::InputRules rules(picture);
    Action action = Action::None;
    for (const Event &event : events)
        action = rules.Handle(event);
    QCOMPARE(int(action), int(last));
}

void TestPlayer::fitDesign_data()
{
    QTest::addColumn<QSize>("pixels");
    QTest::addColumn<double>("scale");
    QTest::addColumn<QRect>("picture");

    QTest::newRow("the design's own size") << QSize(499, 356) << 1.0 << QRect(0, 0, 499, 356);
    QTest::newRow("a 1600 x 900 screen, the width left over") << QSize(1600, 900) << 2.528 << QRect(169, 0, 1261, 900);
    QTest::newRow("a portrait screen, the height left over") << QSize(1080, 1920) << 2.164 << QRect(0, 575, 1080, 770);
    QTest::newRow("a 320 x 240 window") << QSize(320, 240) << 0.641 << QRect(0, 6, 320, 228);
    QTest::newRow("a settings preview, 152 x 112") << QSize(152, 112) << 0.304 << QRect(0, 2, 152, 108);
    QTest::newRow("odd sides, a hair above the design") << QSize(501, 357) << 1.002 << QRect(0, 0, 500, 357);
}

void TestPlayer::fitDesign()
{
    QFETCH(QSize, pixels);
    QFETCH(double, scale);
    QFETCH(QRect, picture);

    const player::Fit fit = player::FitDesign(pixels.width(), pixels.height());
    QCOMPARE(fit.scale, scale);
    QCOMPARE(QRect(fit.picture.x, fit.picture.y, fit.picture.width, fit.picture.height), picture);
    // The picture's far corner maps back to the design's.
    QCOMPARE(fit.DesignX(picture.x() + 499 * scale), 499.0);
    QCOMPARE(fit.DesignY(picture.y() + 356 * scale), 356.0);
}

void TestPlayer::fitMonitors_data()
{
    QTest::addColumn<QList<QRect>>("monitors");
    QTest::addColumn<QList<QRect>>("pictures"); // in the virtual screen

    const QRect hd(0, 0, 1920, 1080), hdPicture(203, 0, 1513, 1080);
    QTest::newRow("side by side") << QList{hd, hd.translated(1920, 0)} << QList{hdPicture, hdPicture.translated(1920, 0)};
    QTest::newRow("stacked") << QList{hd, hd.translated(0, 1080)} << QList{hdPicture, hdPicture.translated(0, 1080)};
    QTest::newRow("mixed sizes and dots an inch")
        << QList{QRect(0, 0, 3840, 2160), QRect(3840, 0, 1280, 1024)}
        << QList{QRect(406, 0, 3027, 2160), QRect(3840, 55, 1280, 913)};
    QTest::newRow("a monitor left of the main one")
        << QList{QRect(-1280, 0, 1280, 1024), hd} << QList{QRect(-1280, 55, 1280, 913), hdPicture};
    QTest::newRow("a monitor above the main one") << QList{hd, QRect(0, -1024, 1280, 1024)}
                                                  << QList{hdPicture, QRect(0, -969, 1280, 913)};
    QTest::newRow("a mirrored monitor shows the one picture") << QList{hd, hd} << QList{hdPicture};
}

void TestPlayer::fitMonitors()
{
    QFETCH(QList<QRect>, monitors);
    QFETCH(QList<QRect>, pictures);

    std::vector<canvas::Rect> given;
    for (const QRect &monitor : monitors)
        given.push_back({monitor.x(), monitor.y(), monitor.width(), monitor.height()});
    QList<QRect> fitted;
    for (const player::MonitorPicture &picture : player::FitMonitors(given))
        fitted.append(QRect(picture.fit.picture.x, picture.fit.picture.y, picture.fit.picture.width,
                            picture.fit.picture.height));
    QCOMPARE(fitted, pictures);
}

void TestPlayer::saverArguments_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("window");

    using Mode = player::SaverRequest::Mode;
    QTest::newRow("nothing opens the settings") << QStringList{} << int(Mode::Settings) << 0;
    QTest::newRow("/s plays") << QStringList{"/s"} << int(Mode::Play) << 0;
    QTest::newRow("either case, - for /") << QStringList{"-S"} << int(Mode::Play) << 0;
    QTest::newRow("/p and its window apart") << QStringList{"/p", "1234"} << int(Mode::Preview) << 1234;
    QTest::newRow("/P:window") << QStringList{"/P:5678"} << int(Mode::Preview) << 5678;
    QTest::newRow("/p without a window is nothing") << QStringList{"/p"} << int(Mode::None) << 0;
    QTest::newRow("/p 0 is no window") << QStringList{"/p", "0"} << int(Mode::None) << 0;
    QTest::newRow("a handle beyond 64 bits is none") << QStringList{"/p", "18446744073709551616"} << int(Mode::None) << 0;
    QTest::newRow("/c with a handle that is not one") << QStringList{"/c:12x"} << int(Mode::None) << 0;
    QTest::newRow("/c:window, the settings' owner") << QStringList{"/c:42"} << int(Mode::Settings) << 42;
    QTest::newRow("/c alone") << QStringList{"-c"} << int(Mode::Settings) << 0;
    QTest::newRow("anything else is nothing") << QStringList{"/x"} << int(Mode::None) << 0;
}

void TestPlayer::saverArguments()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, mode);
    QFETCH(int, window);

    std::vector<std::string> given;
    for (const QString &argument : arguments)
        given.push_back(argument.toStdString());
    const player::SaverRequest request = player::ReadSaverArguments(given);
    QCOMPARE(int(request.mode), mode);
    QCOMPARE(int(request.window), window);
    // A screen saver's letter that cannot be done says why.
    QCOMPARE(request.problem.empty(), mode != int(player::SaverRequest::Mode::None) || arguments.value(0) == "/x");
}

QTEST_APPLESS_MAIN(TestPlayer)
#include "tst_player.moc"
