// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

// The pacer's timeline, against whole shows whose drawing takes time on a
// clock of the test's own.

#include "player/recordingsurface.h"
#include "player/timeline.h"
#include "player/timelinepacer.h"
#include "show/sequence.h"

#include <QtTest>

#include <chrono>
#include <vector>

using namespace std::chrono_literals;
using Duration = std::chrono::nanoseconds;

namespace {

constexpr int kActPauses = 292 + 74; // acts 1 to 4; the scatter follows

// Each reading lets a microsecond pass, so a busy-wait on it ends.
class FakeClock : public player::Clock
{
public:
    Duration Now() override { return now += 1us; }
    void SleepUntil(Duration when) override { now = std::max(now, when); }
    Duration now{};
};

// Outlines that cost time, and one that stalls.
class SlowSurface : public player::RecordingSurface
{
public:
    SlowSurface(FakeClock &clock, Duration cost, int stallAt, Duration stall)
        : RecordingSurface(7485, 5340), clock_(clock), cost_(cost), stallAt_(stallAt), stall_(stall)
    {
    }

    bool DrawCircleOutline(float x, float y, float radius, show::Colour colour) override
    {
        clock_.now += cost_;
        if (++outlines_ == stallAt_)
            clock_.now += stall_;
        return RecordingSurface::DrawCircleOutline(x, y, radius, colour);
    }

private:
    FakeClock &clock_;
    Duration cost_;
    int stallAt_;
    Duration stall_;
    int outlines_ = 0;
};

// Notes when each pause began and ended.
class PauseLog : public show::Pacer
{
public:
    struct Pause
    {
        Duration begin, end, length;
    };

    PauseLog(FakeClock &clock, show::Pacer &pacer) : clock_(clock), pacer_(pacer) {}

    void StartShow() override
    {
        start = clock_.now;
        pacer_.StartShow();
    }
    void Wait(std::uint32_t counts) override
    {
        const Duration begin = clock_.now;
        pacer_.Wait(counts);
        pauses.push_back({begin, clock_.now, Duration(player::CountsToNanoseconds(counts))});
    }

    Duration start{};
    std::vector<Pause> pauses;

private:
    FakeClock &clock_;
    show::Pacer &pacer_;
};

} // namespace

class TestPacing : public QObject
{
    Q_OBJECT

private slots:
    void timeline_data();
    void timeline();
};

void TestPacing::timeline_data()
{
    QTest::addColumn<Duration>("outlineCost");
    QTest::addColumn<int>("stallAt"); // the outline after which the display stalls
    QTest::addColumn<Duration>("stall");
    QTest::addColumn<Duration>("lateAfterActs"); // at the end of act 4

    QTest::newRow("free outlines keep the timeline") << Duration(0) << 0 << Duration(0) << Duration(0);
    QTest::newRow("1 ms outlines come out of the pauses") << Duration(1ms) << 0 << Duration(0) << Duration(0);
    QTest::newRow("a stall within the bound is caught up") << Duration(0) << 50 << Duration(40ms) << Duration(0);
    QTest::newRow("a 200 ms stall slips by what is beyond the bound")
        << Duration(0) << 50 << Duration(200ms) << Duration(200ms - player::TimelinePacer::kMostBehind);
}

void TestPacing::timeline()
{
    QFETCH(Duration, outlineCost);
    QFETCH(int, stallAt);
    QFETCH(Duration, stall);
    QFETCH(Duration, lateAfterActs);

    FakeClock clock;
    clock.now = 1h; // any start will do
    SlowSurface surface(clock, outlineCost, stallAt, stall);
    player::TimelinePacer pacer(player::TimelinePacer::Mode::Spin, clock);
    PauseLog log(clock, pacer);
    show::ClickShow show(surface, log);
    show.PlayClickShow();
    QCOMPARE(int(log.pauses.size()), kActPauses + 120 + 1);

    Duration timeline = log.start;
    for (int i = 0; i < kActPauses; ++i)
        timeline += log.pauses[size_t(i)].length;
    const Duration late = log.pauses[kActPauses - 1].end - timeline;
    QVERIFY2(late >= lateAfterActs - 5us && late <= lateAfterActs + 5us,
             qPrintable(QStringLiteral("%1 us late").arg(late.count() / 1000)));

    // No burst: however far behind, a pause lasts at least half its length.
    for (const PauseLog::Pause &pause : log.pauses)
        QVERIFY(pause.end - pause.begin >= pause.length / 2);
}

QTEST_APPLESS_MAIN(TestPacing)
#include "tst_pacing.moc"
