// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

// Form1 on the offscreen platform, played by the test with a pacer that
// waits for nothing.

#include "driver/picture.h"
#include "player/session.h"
#include "show/emblem.h"
#include "show/pacer.h"
#include "show/palette.h"
#include "window/form1.h"
#include "window/platform.h"

#include <QFontInfo>
#include <QLabel>
#include <QPainter>
#include <QScreen>
#include <QtTest>

#include <functional>
#include <memory>

#include <malloc.h>

namespace {

// Counts the pauses and can look at the window at a given one.
class InstantPacer : public show::Pacer
{
public:
    void Wait(std::uint32_t) override
    {
        ++waits;
        if (onWait)
            onWait(waits);
    }

    int waits = 0;
    std::function<void(int)> onWait;
};

constexpr int kActOneStamps = 108;
constexpr int kPausesPerShow = 292 + 74 + 120 + 1;
constexpr QPoint kOpenSurface = Form1::kOpenSurface;

QColor Pixel(const QImage &image, int x, int y)
{
    return image.pixelColor(x, y);
}

QColor Q(show::Rgb rgb)
{
    return QColor(rgb.red, rgb.green, rgb.blue);
}

} // namespace

class TestForm1 : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void opensEmptyWithHiddenCaptions();
    void clickPlaysTheShowOnTheSurface();
    void clicks_data();
    void clicks();
    void finishedShowStandsUntilTheNextClick();
    void pictureSurvivesRepaintAndResize();
    void resizeMovesEdgeRuns();
    void extremeSizes_data();
    void extremeSizes();
    void manyShowsKeepMemoryFlat();
    void outlineIsOneLogicalPixelWide();
    void keysDuringAShowQueueNoShows();
    void captionsStandWhereEveryPlayerPutsThem();

private:
    QImage Snapshot() { return form->grab().toImage(); }
    QImage SnapshotAtWait(int wait);
    // One show, as the window program plays it; false if it failed.
    bool Play();

    InstantPacer *pacer = nullptr;
    Form1 *form = nullptr;
    player::Session *session = nullptr;
};

void TestForm1::init()
{
    pacer = new InstantPacer;
    form = new Form1;
    session = new player::Session(*form, *pacer);
    connect(form, &Form1::playRequested, form, [this] { QVERIFY(Play()); });
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form));
}

void TestForm1::cleanup()
{
    delete session;
    delete form;
    delete pacer;
}

bool TestForm1::Play()
{
    return session->Play().ok();
}

QImage TestForm1::SnapshotAtWait(int wait)
{
    QImage shot;
    pacer->onWait = [&](int n) {
        if (n == wait)
            shot = Snapshot();
    };
    QTest::mouseClick(form, Qt::LeftButton, {}, kOpenSurface);
    pacer->onWait = nullptr;
    return shot;
}

void TestForm1::opensEmptyWithHiddenCaptions()
{
    QCOMPARE(form->windowTitle(), QStringLiteral("Form1"));
    QCOMPARE(form->size(), QSize(Form1::kClientWidth, Form1::kClientHeight));
    auto *top = form->findChild<QLabel *>("lblTop");
    auto *words = form->findChild<QLabel *>("lblWords");
    QVERIFY(top && words);
    QVERIFY(!top->isVisible());
    QVERIFY(!words->isVisible());
    QCOMPARE(top->text(), QStringLiteral("Salt Lake City "));

    const QImage image = Snapshot();
    const QColor button = form->palette().color(QPalette::Button);
    for (const QPoint &p : {QPoint(0, 0), QPoint(250, 40), QPoint(498, 355), QPoint(250, 300)})
        QCOMPARE(Pixel(image, p.x(), p.y()), button);
}

void TestForm1::clickPlaysTheShowOnTheSurface()
{
    const QImage act1 = SnapshotAtWait(kActOneStamps);
    QVERIFY(pacer->waits >= kActOneStamps);

    // Grey 100 with a trail of each colour: blue's first outline is a
    // quarter circle in the top-left corner, black runs down x = 3850 / 15.
    QCOMPARE(Pixel(act1, 250, 5), Q(show::kGrey100));
    QVERIFY(HasColourIn(act1, QRect(20, 0, 6, 3), ToQRgb(show::kBlue)));
    QVERIFY(HasColourIn(act1, QRect(230, 100, 30, 30), ToQRgb(show::kBlack)));
    QVERIFY(HasColourIn(act1, QRect(470, 0, 10, 3), ToQRgb(show::kRed)));
    QVERIFY(HasColourIn(act1, QRect(0, 330, 3, 26), ToQRgb(show::kGold)));
    QVERIFY(HasColourIn(act1, QRect(430, 300, 69, 56), ToQRgb(show::kGreen)));
}

void TestForm1::clicks_data()
{
    QTest::addColumn<QString>("gesture");
    QTest::addColumn<bool>("captionShown");
    QTest::addColumn<int>("shows");

    QTest::newRow("click on the surface") << "click" << false << 1;
    QTest::newRow("double click plays once") << "double" << false << 1;
    QTest::newRow("right button does nothing") << "right" << false << 0;
    QTest::newRow("click on a shown caption does nothing") << "caption" << true << 0;
    QTest::newRow("click where a hidden caption lies plays") << "caption" << false << 1;
    QTest::newRow("press inside, release outside does nothing") << "drag-out" << false << 0;
    QTest::newRow("click queued behind an accepted close does nothing") << "close-click" << false << 0;
    QTest::newRow("Space plays") << "space" << false << 1;
    QTest::newRow("Return plays") << "return" << false << 1;
    QTest::newRow("keypad Enter plays") << "keypad-enter" << false << 1;
    QTest::newRow("a held key repeats nothing") << "repeat" << false << 1;
    QTest::newRow("another key does nothing") << "escape" << false << 0;
    QTest::newRow("Ctrl+Q closes") << "ctrl-q" << false << 0;
    QTest::newRow("Ctrl+W closes") << "ctrl-w" << false << 0;
}

void TestForm1::clicks()
{
    QFETCH(QString, gesture);
    QFETCH(bool, captionShown);
    QFETCH(int, shows);

    if (captionShown)
        QVERIFY(form->SetLabelVisible(show::Label::Top, true));
    const int before = pacer->waits;

    const QPoint onCaption(200, 40); // inside lblTop
    if (gesture == "click") {
        QTest::mouseClick(form, Qt::LeftButton, {}, kOpenSurface);
    } else if (gesture == "double") {
        // What a widget gets of a real double click: the second press comes
        // as a double-click event (QTest sends that event alone).
        QTest::mousePress(form, Qt::LeftButton, {}, kOpenSurface);
        QTest::mouseRelease(form, Qt::LeftButton, {}, kOpenSurface);
        QTest::mouseDClick(form, Qt::LeftButton, {}, kOpenSurface);
        QTest::mouseRelease(form, Qt::LeftButton, {}, kOpenSurface);
    } else if (gesture == "right") {
        QTest::mouseClick(form, Qt::RightButton, {}, kOpenSurface);
    } else if (gesture == "caption") {
        QWidget *target = form->childAt(onCaption);
        if (target)
            QTest::mouseClick(target, Qt::LeftButton, {}, target->mapFrom(form, onCaption));
        else
            QTest::mouseClick(form, Qt::LeftButton, {}, onCaption);
    } else if (gesture == "space" || gesture == "return" || gesture == "escape") {
        const Qt::Key key = gesture == "space" ? Qt::Key_Space : gesture == "return" ? Qt::Key_Return : Qt::Key_Escape;
        QTest::keyClick(form, key);
    } else if (gesture == "keypad-enter") {
        QTest::keyClick(form, Qt::Key_Enter, Qt::KeypadModifier);
    } else if (gesture == "repeat") {
        QTest::keyPress(form, Qt::Key_Space);
        for (int i = 0; i < 3; ++i) {
            QKeyEvent repeat(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "), true);
            QApplication::sendEvent(form, &repeat);
        }
        QTest::keyRelease(form, Qt::Key_Space);
    } else if (gesture == "ctrl-q" || gesture == "ctrl-w") {
        QTest::keyClick(form, gesture == "ctrl-q" ? Qt::Key_Q : Qt::Key_W, Qt::ControlModifier);
        QVERIFY(!form->isVisible());
    } else if (gesture == "close-click") {
        QVERIFY(form->close());
        QTest::mouseClick(form, Qt::LeftButton, {}, kOpenSurface);
    } else if (gesture == "drag-out") {
        QTest::mousePress(form, Qt::LeftButton, {}, kOpenSurface);
        QTest::mouseRelease(form, Qt::LeftButton, {}, QPoint(600, 180));
    }
    QCOMPARE(pacer->waits - before, shows * kPausesPerShow);
}

void TestForm1::finishedShowStandsUntilTheNextClick()
{
    QTest::mouseClick(form, Qt::LeftButton, {}, kOpenSurface);
    auto *top = form->findChild<QLabel *>("lblTop");
    auto *words = form->findChild<QLabel *>("lblWords");
    QVERIFY(top->isVisible() && words->isVisible());
    QCOMPARE(top->text(), QStringLiteral("Salt Lake City"));
    QCOMPARE(words->text(), QStringLiteral("2002"));
    // On the window as the show returns, not only once the event loop
    // paints them.
    const QColor text = form->palette().color(QPalette::WindowText);
    const QImage onWindow = form->screen()->grabWindow(form->winId()).toImage();
    QVERIFY(HasColourIn(onWindow, top->geometry(), text.rgb()));
    QVERIFY(HasColourIn(onWindow, words->geometry(), text.rgb()));

    // White, with each ring of the emblem in its colour around its leftmost
    // point, a radius left of its centre.
    const QImage picture = Snapshot();
    QCOMPARE(Pixel(picture, 20, 180), Q(show::kWhite));
    for (const show::EmblemRing &ring : show::kEmblemRings) {
        const QPoint left((ring.x - show::kEmblemRadius) / Form1::kTwipsPerPixel, ring.y / Form1::kTwipsPerPixel);
        QVERIFY(HasColourIn(picture, QRect(left - QPoint(2, 2), QSize(5, 5)), ToQRgb(ring.rgb)));
    }
    // Caption text in the default text colour on its white box.
    QVERIFY(HasColourIn(picture, top->geometry(), text.rgb()));
    QVERIFY(HasColourIn(picture, words->geometry(), text.rgb()));

    // A click on a caption leaves everything standing.
    const int waits = pacer->waits;
    QTest::mouseClick(top, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseClick(words, Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(pacer->waits, waits);
    QCOMPARE(Snapshot(), picture);

    // A click elsewhere hides the captions before the first backdrop.
    bool hiddenDuringShow = false;
    pacer->onWait = [&](int) { hiddenDuringShow = !top->isVisible() && !words->isVisible(); };
    QTest::mouseClick(form, Qt::LeftButton, {}, kOpenSurface);
    QVERIFY(hiddenDuringShow);
    QCOMPARE(pacer->waits, waits + kPausesPerShow);
    QCOMPARE(Snapshot(), picture);
}

void TestForm1::pictureSurvivesRepaintAndResize()
{
    QTest::mouseClick(form, Qt::LeftButton, {}, kOpenSurface);
    const QImage before = Snapshot();

    form->repaint();
    QCOMPARE(Snapshot(), before);

    form->hide();
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form));
    QCOMPARE(Snapshot(), before);

    // Shrinking and growing back brings every outline back; growing fills
    // the new area with the backdrop, and shrinking back gives the same
    // picture.
    form->resize(300, 200);
    QTRY_COMPARE(form->size(), QSize(300, 200));
    form->resize(499, 356);
    QTRY_COMPARE(form->size(), QSize(499, 356));
    QCOMPARE(Snapshot(), before);
    form->resize(600, 400);
    QTRY_COMPARE(form->size(), QSize(600, 400));
    const QImage grown = Snapshot();
    QCOMPARE(grown.copy(0, 0, 499, 356), before);
    QCOMPARE(Pixel(grown, 599, 399), Pixel(before, 250, 5));
    form->resize(499, 356);
    QTRY_COMPARE(form->size(), QSize(499, 356));
    QCOMPARE(Snapshot(), before);
}

// Red starts on the right edge and green just inside the bottom-right
// corner, wherever they are; blue and black stay put.
void TestForm1::resizeMovesEdgeRuns()
{
    form->resize(600, 400);
    QTRY_COMPARE(form->size(), QSize(600, 400));
    float width = 0;
    QVERIFY(form->GetClientWidth(width));
    QCOMPARE(width, 9000.f);

    const QImage act1 = SnapshotAtWait(kActOneStamps);
    QVERIFY(HasColourIn(act1, QRect(574, 0, 6, 3), ToQRgb(show::kRed)));
    QVERIFY(!HasColourIn(act1, QRect(470, 0, 10, 3), ToQRgb(show::kRed)));
    QVERIFY(HasColourIn(act1, QRect(0, 375, 3, 25), ToQRgb(show::kGold)));
    QVERIFY(HasColourIn(act1, QRect(20, 0, 6, 3), ToQRgb(show::kBlue)));
}

void TestForm1::extremeSizes_data()
{
    QTest::addColumn<QSize>("pixels");

    QTest::newRow("zero width") << QSize(0, 356);
    QTest::newRow("zero height") << QSize(499, 0);
    QTest::newRow("one pixel") << QSize(1, 1);
    QTest::newRow("40000 x 30000 twips") << QSize(40000 / 15, 30000 / 15);
}

void TestForm1::extremeSizes()
{
    QFETCH(QSize, pixels);

    form->resize(pixels);
    QTRY_COMPARE(form->size(), pixels);
    QVERIFY(Play());
    QCOMPARE(pacer->waits, kPausesPerShow);
    QVERIFY(form->findChild<QLabel *>("lblTop")->isVisible());
}

// Shows leave nothing behind: the heap in use after 200 shows is what it
// was after the first 20. Between shows the event loop runs, as it does in
// the program. (Under AddressSanitizer the leak checker stands in for this
// count.)
void TestForm1::manyShowsKeepMemoryFlat()
{
    const auto heapInUse = [] { return mallinfo2().uordblks; };
    const auto play = [this] {
        QVERIFY(Play());
        QCoreApplication::processEvents();
    };
    for (int i = 0; i < 20; ++i)
        play();
    const size_t before = heapInUse();
    for (int i = 20; i < 200; ++i)
        play();
    QCOMPARE(pacer->waits, 200 * kPausesPerShow);
#ifndef __SANITIZE_ADDRESS__
    QVERIFY2(heapInUse() <= before + 64 * 1024,
             qPrintable(QStringLiteral("heap grew from %1 to %2 bytes").arg(before).arg(heapInUse())));
#else
    Q_UNUSED(before);
#endif
}

// At any scale: run again with QT_SCALE_FACTOR=2, an outline is two device
// pixels wide there, and the emblem's rings stay thick.
void TestForm1::outlineIsOneLogicalPixelWide()
{
    QVERIFY(form->SetBackdrop(show::Compose(show::kWhite)));
    QVERIFY(form->DrawCircleOutline(3750, 2670, 600, show::Compose(show::kBlue)));
    const QImage image = Snapshot();
    const qreal ratio = image.devicePixelRatio();
    QCOMPARE(ratio, form->devicePixelRatioF());

    // Along the row through the centre, (250, 178) px, from the left edge:
    // the ring of radius 40 px begins at logical pixel 210.
    const int row = int(std::lround((178 + 0.5) * ratio - 0.5));
    int x = 0;
    while (x < image.width() && Pixel(image, x, row) != Q(show::kBlue))
        ++x;
    int width = 0;
    while (x + width < image.width() && Pixel(image, x + width, row) == Q(show::kBlue))
        ++width;
    QCOMPARE(width, int(std::lround(ratio)));
    QCOMPARE(x, int(std::lround(210 * ratio))); // where logical pixel 210 begins
}

// Keys hammered while a show runs wait in the queue and start nothing once
// it has ended; a key pressed after it plays it again.
void TestForm1::keysDuringAShowQueueNoShows()
{
    const auto space = [&](quint64 timestamp) {
        auto *key = new QKeyEvent(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
        key->setTimestamp(timestamp);
        return key;
    };
    // 200 presses spread over the show, each stamped with the moment it
    // was made, on the clock of the input events.
    pacer->onWait = [&](int wait) {
        if (wait % 100 == 1) {
            for (int i = 0; i < 40; ++i)
                QCoreApplication::postEvent(form, space(InputClockNow()));
        }
    };
    std::unique_ptr<QKeyEvent> first(space(InputClockNow()));
    QApplication::sendEvent(form, first.get());
    pacer->onWait = nullptr;
    QCoreApplication::processEvents();
    QCOMPARE(pacer->waits, kPausesPerShow);

    QTest::qWait(2); // the clock ticks in milliseconds
    std::unique_ptr<QKeyEvent> later(space(InputClockNow()));
    QApplication::sendEvent(form, later.get());
    QCOMPARE(pacer->waits, 2 * kPausesPerShow);
}

// The captions stand where every player puts them, at any scale, in the
// face the program carries, whatever faces the system has (the dejavu run
// has only DejaVu).
void TestForm1::captionsStandWhereEveryPlayerPutsThem()
{
    QVERIFY(Play());
    const QImage picture = Snapshot();
    const QString off = CaptionsOffTable(picture, picture.devicePixelRatio());
    QVERIFY2(off.isEmpty(), qPrintable(off));
}

QTEST_MAIN(TestForm1)
#include "tst_form1.moc"
