// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

// The Click show played against a recording surface.

#include "showtest.h"

#include "show/showerror.h"

using namespace showtest;
using show::ShowError;

class TestShow : public QObject
{
    Q_OBJECT

private slots:
    void opening();
    void runCounts_data();
    void runCounts();
    void stampPoints_data();
    void stampPoints();
    void readsBeforeEachStamp_data();
    void readsBeforeEachStamp();
    void convergenceTable_data();
    void convergenceTable();
    void sizeReads();
    void narrowWindowGoesNegative();
    void wholeShowTotals();
    void closing();
    void secondShowContinuesTheScatterOnly();
    void scatterCentresInsideTheClientArea_data();
    void scatterCentresInsideTheClientArea();
    void roundingHalfToEven_data();
    void roundingHalfToEven();
    void oversizedClientArea_data();
    void oversizedClientArea();
    void failingSurfaceStopsAtOnce_data();
    void failingSurfaceStopsAtOnce();
};

void TestShow::opening()
{
    const Calls calls = Play();
    const Calls expected = {
        Call::Visible(show::Label::Top, false),
        Call::Visible(show::Label::Words, false),
        Call::Backdrop(show::Compose(show::kGrey100)),
        Call::Circle(0, 0, 350, show::Compose(show::kBlue)),
        Call::Pause(52000),
        Call::Circle(350, 350, 350, show::Compose(show::kBlue)),
        Call::Pause(52000),
    };
    QCOMPARE(calls.mid(0, expected.size()), expected);
}

void TestShow::runCounts_data()
{
    QTest::addColumn<int>("act");
    QTest::addColumn<QList<int>>("counts"); // blue, gold, black, red, green
    QTest::addColumn<int>("pause");

    QTest::newRow("act 1") << 1 << QList<int>{21, 22, 22, 22, 21} << 52000;
    QTest::newRow("act 2") << 2 << QList<int>{21, 22, 22, 22, 21} << 52000;
    QTest::newRow("act 3") << 3 << QList<int>{14, 13, 22, 14, 13} << 52000;
    QTest::newRow("act 4") << 4 << QList<int>{15, 15, 18, 13, 13} << 30000;
}

void TestShow::runCounts()
{
    QFETCH(int, act);
    QFETCH(QList<int>, counts);
    QFETCH(int, pause);

    const Calls calls = Act(Play(), act);
    const QList<int> actual = {
        int(CirclesOf(calls, show::kBlue).size()), int(CirclesOf(calls, show::kGold).size()),
        int(CirclesOf(calls, show::kBlack).size()), int(CirclesOf(calls, show::kRed).size()),
        int(CirclesOf(calls, show::kGreen).size()),
    };
    QCOMPARE(actual, counts);

    // Every outline is followed by its pace, and nothing else pauses.
    const Calls drawn = Only(calls, Call::Kind::Circle);
    const Calls pauses = Only(calls, Call::Kind::Pause);
    QCOMPARE(pauses.size(), drawn.size());
    for (qsizetype i = 0; i + 1 < calls.size(); ++i) {
        if (calls[i].kind == Call::Kind::Circle)
            QCOMPARE(calls[i + 1], Call::Pause(pause));
    }
}

void TestShow::stampPoints_data()
{
    QTest::addColumn<int>("act");
    QTest::addColumn<QString>("colour");
    QTest::addColumn<int>("index"); // of the stamp within its colour in the act; -1 is the last
    QTest::addColumn<QPoint>("centre");

    QTest::newRow("act 1 blue first, the top-left corner") << 1 << "blue" << 0 << QPoint(0, 0);
    QTest::newRow("act 1 blue first step is 350") << 1 << "blue" << 1 << QPoint(350, 350);
    QTest::newRow("act 1 blue k=13") << 1 << "blue" << 13 << QPoint(3350, 3350);
    QTest::newRow("act 1 blue exception k=14") << 1 << "blue" << 14 << QPoint(3650, 3600);
    QTest::newRow("act 1 blue k=15 back on rule") << 1 << "blue" << 15 << QPoint(3850, 3850);
    QTest::newRow("act 1 blue exception k=18") << 1 << "blue" << 18 << QPoint(4650, 4600);
    QTest::newRow("act 1 blue last") << 1 << "blue" << -1 << QPoint(5100, 5100);
    QTest::newRow("act 1 gold first, far edge H") << 1 << "gold" << 0 << QPoint(0, 5340);
    QTest::newRow("act 1 gold exception k=14") << 1 << "gold" << 14 << QPoint(3650, 1840);
    QTest::newRow("act 1 gold exception k=18") << 1 << "gold" << 18 << QPoint(4650, 840);
    QTest::newRow("act 1 gold last") << 1 << "gold" << -1 << QPoint(5350, 90);
    QTest::newRow("act 1 black first") << 1 << "black" << 0 << QPoint(3850, 0);
    QTest::newRow("act 1 black last") << 1 << "black" << -1 << QPoint(3850, 5250);
    QTest::newRow("act 1 red first, far edge W") << 1 << "red" << 0 << QPoint(7485, 0);
    QTest::newRow("act 1 red last") << 1 << "red" << -1 << QPoint(2235, 5250);
    QTest::newRow("act 1 green first, inside the corner") << 1 << "green" << 0 << QPoint(7235, 5090);
    QTest::newRow("act 1 green last") << 1 << "green" << -1 << QPoint(2235, 90);

    QTest::newRow("act 2 blue turn k=11") << 2 << "blue" << 11 << QPoint(2850, 2850);
    QTest::newRow("act 2 blue goes down after the turn") << 2 << "blue" << 12 << QPoint(2850, 3100);
    QTest::newRow("act 2 blue last") << 2 << "blue" << -1 << QPoint(2850, 5100);
    QTest::newRow("act 2 gold turn k=11") << 2 << "gold" << 11 << QPoint(2850, 2590);
    QTest::newRow("act 2 gold goes up after the turn") << 2 << "gold" << 12 << QPoint(2850, 2340);
    QTest::newRow("act 2 gold last") << 2 << "gold" << -1 << QPoint(2850, 90);
    QTest::newRow("act 2 red turn k=10") << 2 << "red" << 10 << QPoint(4985, 2500);
    QTest::newRow("act 2 red goes down after the turn") << 2 << "red" << 11 << QPoint(4985, 2750);
    QTest::newRow("act 2 red last") << 2 << "red" << -1 << QPoint(4985, 5250);
    QTest::newRow("act 2 green turn k=10") << 2 << "green" << 9 << QPoint(4985, 2840);
    QTest::newRow("act 2 green goes up after the turn") << 2 << "green" << 10 << QPoint(4985, 2590);
    QTest::newRow("act 2 green last") << 2 << "green" << -1 << QPoint(4985, 90);

    QTest::newRow("act 3 blue turn k=10") << 3 << "blue" << 10 << QPoint(2600, 2600);
    QTest::newRow("act 3 blue goes right after the turn") << 3 << "blue" << 11 << QPoint(2850, 2600);
    QTest::newRow("act 3 blue last") << 3 << "blue" << -1 << QPoint(3350, 2600);
    QTest::newRow("act 3 green first") << 3 << "green" << 0 << QPoint(7235, 5090);
    QTest::newRow("act 3 green turn k=9") << 3 << "green" << 8 << QPoint(5235, 3090);
    QTest::newRow("act 3 green goes left after the turn") << 3 << "green" << 9 << QPoint(4985, 3090);
    QTest::newRow("act 3 green last") << 3 << "green" << -1 << QPoint(4235, 3090);
    QTest::newRow("act 3 gold turn k=9") << 3 << "gold" << 9 << QPoint(2350, 3090);
    QTest::newRow("act 3 gold jumps 500 past its gap") << 3 << "gold" << 10 << QPoint(2850, 3090);
    QTest::newRow("act 3 gold last") << 3 << "gold" << -1 << QPoint(3350, 3090);
    QTest::newRow("act 3 red turn k=10") << 3 << "red" << 10 << QPoint(4985, 2500);
    QTest::newRow("act 3 red goes left after the turn") << 3 << "red" << 11 << QPoint(4735, 2500);
    QTest::newRow("act 3 red last") << 3 << "red" << -1 << QPoint(4235, 2500);
}

void TestShow::stampPoints()
{
    QFETCH(int, act);
    QFETCH(QString, colour);
    QFETCH(int, index);
    QFETCH(QPoint, centre);

    const Calls circles = CirclesOf(Act(Play(), act), ColourByName(colour));
    QVERIFY(!circles.isEmpty());
    const Call &stamp = index < 0 ? circles.last() : circles.at(index);
    QCOMPARE(stamp, Call::Circle(centre.x(), centre.y(), 350, show::Compose(ColourByName(colour))));
}

void TestShow::readsBeforeEachStamp_data()
{
    QTest::addColumn<int>("act");
    QTest::addColumn<QString>("colour");
    QTest::addColumn<QStringList>("reads");

    QTest::newRow("act 1 blue reads nothing") << 1 << "blue" << QStringList{};
    QTest::newRow("act 1 gold reads H") << 1 << "gold" << QStringList{"height"};
    QTest::newRow("act 1 black reads nothing") << 1 << "black" << QStringList{};
    QTest::newRow("act 1 red reads W") << 1 << "red" << QStringList{"width"};
    QTest::newRow("act 1 green reads W then H") << 1 << "green" << QStringList{"width", "height"};
    QTest::newRow("act 2 blue reads nothing") << 2 << "blue" << QStringList{};
    QTest::newRow("act 2 gold reads H") << 2 << "gold" << QStringList{"height"};
    QTest::newRow("act 2 red reads W, also on its straight leg") << 2 << "red" << QStringList{"width"};
    QTest::newRow("act 2 green reads W then H") << 2 << "green" << QStringList{"width", "height"};
    QTest::newRow("act 3 gold reads H, also on its straight leg") << 3 << "gold" << QStringList{"height"};
    QTest::newRow("act 3 red reads W") << 3 << "red" << QStringList{"width"};
    QTest::newRow("act 3 green reads W then H") << 3 << "green" << QStringList{"width", "height"};
    QTest::newRow("act 4 blue reads nothing") << 4 << "blue" << QStringList{};
    QTest::newRow("act 4 gold reads H") << 4 << "gold" << QStringList{"height"};
    QTest::newRow("act 4 black reads nothing") << 4 << "black" << QStringList{};
    QTest::newRow("act 4 red reads W") << 4 << "red" << QStringList{"width"};
    QTest::newRow("act 4 green reads W then H") << 4 << "green" << QStringList{"width", "height"};
}

// The size is read afresh right before every stamp that needs it.
void TestShow::readsBeforeEachStamp()
{
    QFETCH(int, act);
    QFETCH(QString, colour);
    QFETCH(QStringList, reads);

    const Calls calls = Act(Play(), act);
    const show::Colour wanted = show::Compose(ColourByName(colour));
    QStringList pending;
    int stamps = 0;
    for (const Call &call : calls) {
        if (call.kind == Call::Kind::Width || call.kind == Call::Kind::Height) {
            pending.append(QString::fromStdString(call.Line()));
        } else if (call.kind == Call::Kind::Circle) {
            if (call.colour == wanted) {
                QCOMPARE(pending, reads);
                ++stamps;
            }
            pending.clear();
        }
    }
    QVERIFY(stamps > 0);
}

namespace {

// The convergence act as a table of stamps in drawing order, one row a step:
// blue, gold, red, green, then the black pair (top, bottom).
const char *const kConvergence[] = {
    "0,0 | 0,H | W,0 | W-250,H-250 | 3850,0 | 3850,5250",
    "350,350 | 350,H-250 | W-250,250 | W-500,H-500",
    "600,600 | 600,H-500 | W-500,500 | W-750,H-750 | 3850,250 | 3850,5000",
    "850,850 | 850,H-750 | W-750,750 | W-1000,H-1000",
    "1100,1100 | 1100,H-1000 | W-1000,1000 | W-1250,H-1250 | 3850,500 | 3850,4750",
    "1350,1350 | 1350,H-1250 | W-1250,1250 | W-1500,H-1500",
    "1600,1600 | 1600,H-1500 | W-1500,1500 | W-1750,H-1750 | 3850,750 | 3850,4500",
    "1850,1850 | 1850,H-1750 | W-1750,1750 | W-2000,H-2000",
    "2100,2100 | 2100,H-2000 | W-2000,2000 | W-2250,H-2250 | 3850,1000 | 3850,4250",
    "2350,2350 | 2350,H-2250 | W-2500,2500 | W-2500,H-2250",
    "2600,2600 | 2850,H-2250 | W-2750,2500 | W-2750,H-2250 | 3850,1250 | 3850,4000",
    "2850,2600 | 3100,H-2250 | W-3000,2500 | W-3000,H-2250 | 3850,1500 | 3850,3750",
    "3100,2600 | 3350,H-2250 | W-3250,2500 | W-3250,H-2250 | 3850,1750 | 3850,3500",
    "3350,2600 | 3600,H-2250",
    "3600,2600 | 3850,H-2250 | | | 3850,2000 | 3850,3250",
};

float Evaluate(const QString &term, float width, float height)
{
    if (term.startsWith('W'))
        return width - term.mid(2).toFloat() * (term.size() > 1);
    if (term.startsWith('H'))
        return height - term.mid(2).toFloat() * (term.size() > 1);
    return term.toFloat();
}

} // namespace

void TestShow::convergenceTable_data()
{
    QTest::addColumn<float>("width");
    QTest::addColumn<float>("height");

    QTest::newRow("design size") << kDesignWidth << kDesignHeight;
    QTest::newRow("a larger window") << 9000.f << 6000.f;
}

void TestShow::convergenceTable()
{
    QFETCH(float, width);
    QFETCH(float, height);

    const QList<show::Rgb> order = {show::kBlue, show::kGold, show::kRed, show::kGreen,
                                    show::kBlack, show::kBlack};
    Calls expected;
    for (const char *row : kConvergence) {
        const QStringList cells = QString::fromLatin1(row).split('|');
        for (int i = 0; i < cells.size(); ++i) {
            const QStringList xy = cells[i].trimmed().split(',', Qt::SkipEmptyParts);
            if (xy.size() == 2)
                expected.append(Call::Circle(Evaluate(xy[0], width, height),
                                             Evaluate(xy[1], width, height), 350,
                                             show::Compose(order[i])));
        }
    }
    QCOMPARE(expected.size(), 74);
    QCOMPARE(Only(Act(Play(width, height), 4), Call::Kind::Circle), expected);
}

void TestShow::sizeReads()
{
    const Calls calls = Play();
    Calls acts;
    for (int act = 1; act <= 4; ++act)
        acts += Act(calls, act);
    QCOMPARE(Only(acts, Call::Kind::Width).size() + Only(acts, Call::Kind::Height).size(), 279);
}

// Edge-relative points of a narrow window fall left of the client area and
// are drawn there all the same.
void TestShow::narrowWindowGoesNegative()
{
    const Calls calls = Play(2000, 1500);
    const Calls red = CirclesOf(Act(calls, 2), show::kRed);
    QCOMPARE(red.last(), Call::Circle(-500, 5250, 350, show::Compose(show::kRed)));
    const Calls green = CirclesOf(Act(calls, 4), show::kGreen);
    QCOMPARE(green.last(), Call::Circle(-1250, -750, 350, show::Compose(show::kGreen)));
}

void TestShow::wholeShowTotals()
{
    const Calls calls = Play();
    QCOMPARE(Only(calls, Call::Kind::Circle).size(), 986);
    QCOMPARE(calls.count(Call::Pause(52000)), 292);
    QCOMPARE(calls.count(Call::Pause(30000)), 75);
    QCOMPARE(calls.count(Call::Pause(9000)), 120);
    QCOMPARE(Only(calls, Call::Kind::Width).size() + Only(calls, Call::Kind::Height).size(),
             279 + 1200);

    const Calls backdrops = {
        Call::Backdrop(show::Compose(show::kGrey100)), Call::Backdrop(show::Compose(show::kGrey110)),
        Call::Backdrop(show::Compose(show::kGrey109)), Call::Backdrop(show::Compose(show::kGrey110)),
        Call::Backdrop(show::Compose(show::kGrey109)), Call::Backdrop(show::Compose(show::kWhite)),
    };
    QCOMPARE(Only(calls, Call::Kind::Backdrop), backdrops);

    // The scatter: passes of black, red, green, blue, gold, each pass then a
    // short pause, then one medium pause before the white backdrop.
    const Calls scatter = Act(calls, 5);
    const Calls circles = Only(scatter, Call::Kind::Circle);
    QCOMPARE(circles.size(), 600);
    const QList<show::Rgb> pass = {show::kBlack, show::kRed, show::kGreen, show::kBlue, show::kGold};
    for (qsizetype i = 0; i < circles.size(); ++i) {
        QCOMPARE(circles[i].colour, show::Compose(pass[i % 5]));
        QCOMPARE(circles[i].radius, 350.f);
    }
    QCOMPARE(scatter.mid(scatter.size() - 2), (Calls{Call::Pause(9000), Call::Pause(30000)}));
}

void TestShow::closing()
{
    const Calls calls = Act(Play(), 6);
    const show::Colour blue = show::Compose(show::kBlue), black = show::Compose(show::kBlack),
                       red = show::Compose(show::kRed), gold = show::Compose(show::kGold),
                       green = show::Compose(show::kGreen);
    const Calls expected = {
        Call::Circle(2020, 2020, 600, blue),  Call::Circle(2030, 2030, 600, blue),
        Call::Circle(2040, 2040, 600, blue),  Call::Circle(2050, 2050, 600, blue),
        Call::Circle(3520, 2020, 600, black), Call::Circle(3530, 2030, 600, black),
        Call::Circle(3540, 2040, 600, black), Call::Circle(3550, 2050, 600, black),
        Call::Circle(5020, 2020, 600, red),   Call::Circle(5030, 2030, 600, red),
        Call::Circle(5040, 2040, 600, red),   Call::Circle(5050, 2050, 600, red),
        Call::Circle(2770, 2770, 600, gold),  Call::Circle(2780, 2780, 600, gold),
        Call::Circle(2790, 2790, 600, gold),  Call::Circle(2800, 2800, 600, gold),
        Call::Circle(4270, 2780, 600, green), Call::Circle(4280, 2790, 600, green),
        Call::Circle(4290, 2800, 600, green), Call::Circle(4300, 2810, 600, green),
        Call::Visible(show::Label::Top, true),
        Call::Visible(show::Label::Words, true),
        Call::Caption(show::Label::Top, "Salt Lake City"),
        Call::Caption(show::Label::Words, "2002"),
    };
    QCOMPARE(calls, expected);
}

void TestShow::secondShowContinuesTheScatterOnly()
{
    const Calls both = Play(kDesignWidth, kDesignHeight, 2);
    const qsizetype half = both.size() / 2;
    const Calls first = both.mid(0, half);
    const Calls second = both.mid(half);
    QCOMPARE(second.size(), first.size());
    for (int act : {1, 2, 3, 4, 6})
        QCOMPARE(Act(second, act), Act(first, act));
    QVERIFY(Act(second, 5) != Act(first, 5));

    // A new show object starts the sequence over, as a new run of the program does.
    QCOMPARE(Act(Play(), 5), Act(first, 5));
}

void TestShow::scatterCentresInsideTheClientArea_data()
{
    QTest::addColumn<float>("width");
    QTest::addColumn<float>("height");

    QTest::newRow("design size") << kDesignWidth << kDesignHeight;
    QTest::newRow("zero width puts every centre on x = 0") << 0.f << kDesignHeight;
    QTest::newRow("zero height puts every centre on y = 0") << kDesignWidth << 0.f;
    QTest::newRow("one pixel") << 15.f << 15.f;
    QTest::newRow("fractional size") << 7492.5f << 5347.5f;
}

void TestShow::scatterCentresInsideTheClientArea()
{
    QFETCH(float, width);
    QFETCH(float, height);

    const Calls circles = Only(Act(Play(width, height), 5), Call::Kind::Circle);
    QCOMPARE(circles.size(), 600);
    for (const Call &c : circles) {
        QCOMPARE(c.x, std::floor(c.x));
        QCOMPARE(c.y, std::floor(c.y));
        QVERIFY2(c.x >= 0 && (c.x < width || (width == 0 && c.x == 0)), c.Line().c_str());
        QVERIFY2(c.y >= 0 && (c.y < height || (height == 0 && c.y == 0)), c.Line().c_str());
    }
}

void TestShow::roundingHalfToEven_data()
{
    QTest::addColumn<float>("width");
    QTest::addColumn<int>("farEdge");  // red's first x: W itself
    QTest::addColumn<int>("stepIn");   // red's second x: W - 250

    QTest::newRow("7492.5: halves go down to even") << 7492.5f << 7492 << 7242;
    QTest::newRow("7493.5: halves go up to even") << 7493.5f << 7494 << 7244;
    QTest::newRow("7485.4: below the half") << 7485.4f << 7485 << 7235;
    QTest::newRow("7485.6: above the half") << 7485.6f << 7486 << 7236;
}

void TestShow::roundingHalfToEven()
{
    QFETCH(float, width);
    QFETCH(int, farEdge);
    QFETCH(int, stepIn);

    const Calls red = CirclesOf(Act(Play(width, kDesignHeight), 1), show::kRed);
    QCOMPARE(red.at(0).x, float(farEdge));
    QCOMPARE(red.at(1).x, float(stepIn));
}

void TestShow::oversizedClientArea_data()
{
    QTest::addColumn<float>("width");
    QTest::addColumn<float>("height");
    QTest::addColumn<int>("drawnBeforeError"); // -1: the act plays through

    const float inf = std::numeric_limits<float>::infinity();
    const float nan = std::numeric_limits<float>::quiet_NaN();
    // Far wider than 16 bits would hold: a maximized window on a big monitor.
    QTest::newRow("40000 wide plays") << 40000.f << kDesignHeight << -1;
    QTest::newRow("40000 x 30000 plays") << 40000.f << 30000.f << -1;
    // Blue, gold and black draw; the red run's far edge cannot be converted.
    QTest::newRow("width beyond 32 bits") << 3e9f << kDesignHeight << 65;
    QTest::newRow("infinite width") << inf << kDesignHeight << 65;
    QTest::newRow("NaN width") << nan << kDesignHeight << 65;
    // Only blue draws before the gold run reads H.
    QTest::newRow("infinite height") << kDesignWidth << inf << 21;
}

void TestShow::oversizedClientArea()
{
    QFETCH(float, width);
    QFETCH(float, height);
    QFETCH(int, drawnBeforeError);

    player::RecordingSurface surface(width, height);
    show::ClickShow show(surface, surface);
    try {
        show.PlayClickShow();
        QCOMPARE(-1, drawnBeforeError);
    } catch (const ShowError &error) {
        QCOMPARE(error.kind(), ShowError::Kind::Overflow);
        const Calls calls = ToList(surface.calls());
        QCOMPARE(Only(calls, Call::Kind::Circle).size(), drawnBeforeError);
        // The failing stamp stopped after its read, before drawing.
        QVERIFY(calls.last().kind == Call::Kind::Width || calls.last().kind == Call::Kind::Height);
    }
}

void TestShow::failingSurfaceStopsAtOnce_data()
{
    QTest::addColumn<int>("failAt");
    QTest::addColumn<QString>("message");

    QTest::newRow("hiding lblTop") << 1 << "lblTop.SetLabelVisible";
    QTest::newRow("hiding lblWords") << 2 << "lblWords.SetLabelVisible";
    QTest::newRow("first backdrop") << 3 << "Form1.SetBackdrop";
    QTest::newRow("first outline") << 4 << "Form1.DrawCircleOutline";
    // 3 calls, then 21 blue outlines, then gold's first read.
    QTest::newRow("first read of H") << 3 + 21 + 1 << "Form1.GetClientHeight";
    // ... 22 gold (read and outline) and 22 black, then red's first read.
    QTest::newRow("first read of W") << 3 + 21 + 44 + 22 + 1 << "Form1.GetClientWidth";
}

void TestShow::failingSurfaceStopsAtOnce()
{
    QFETCH(int, failAt);
    QFETCH(QString, message);

    player::RecordingSurface surface(kDesignWidth, kDesignHeight);
    surface.FailAtCall(failAt);
    show::ClickShow show(surface, surface);
    try {
        show.PlayClickShow();
        QFAIL("the show ran past a failed call");
    } catch (const ShowError &error) {
        QCOMPARE(error.kind(), ShowError::Kind::WindowCall);
        QVERIFY2(QString(error.what()).contains(message), error.what());
    }
    // The failed call is the last thing that happened: no pause, no drawing.
    const Calls calls = ToList(surface.calls());
    const Calls surfaceCalls = [&] {
        Calls c;
        for (const Call &call : calls) {
            if (call.kind != Call::Kind::Pause)
                c.append(call);
        }
        return c;
    }();
    QCOMPARE(surfaceCalls.size(), failAt);
    QVERIFY(calls.last() == surfaceCalls.last());
}

QTEST_APPLESS_MAIN(TestShow)
#include "tst_show.moc"
