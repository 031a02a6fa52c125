// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

// Stamp coordinate conversion and the scatter's random sequence.

#include "show/coordinates.h"
#include "show/floatfaults.h"
#include "show/randomsequence.h"
#include "show/showerror.h"

#include <QtTest>

#include <cfenv>
#include <limits>
#include <vector>

using show::ShowError;
Q_DECLARE_METATYPE(ShowError::Kind)

class TestNumbers : public QObject
{
    Q_OBJECT

private slots:
    void toStampArg_data();
    void toStampArg();
    void edgeRelativeFailures_data();
    void edgeRelativeFailures();
    void faultsAsTheFlagsTellThem_data();
    void faultsAsTheFlagsTellThem();
    void randomFirstValues();
    void randomFullPeriod();
};

void TestNumbers::toStampArg_data()
{
    QTest::addColumn<float>("value");
    QTest::addColumn<qint64>("expected"); // -1 with overflow set: an overflow error
    QTest::addColumn<bool>("overflow");

    const float inf = std::numeric_limits<float>::infinity();
    QTest::newRow("0.5 to even 0") << 0.5f << qint64(0) << false;
    QTest::newRow("1.5 to even 2") << 1.5f << qint64(2) << false;
    QTest::newRow("2.5 to even 2") << 2.5f << qint64(2) << false;
    QTest::newRow("-0.5 to even 0") << -0.5f << qint64(0) << false;
    QTest::newRow("-1.5 to even -2") << -1.5f << qint64(-2) << false;
    QTest::newRow("-2.4 to -2") << -2.4f << qint64(-2) << false;
    QTest::newRow("32767.5 fits now") << 32767.5f << qint64(32768) << false;
    QTest::newRow("-32768.5 fits now") << -32768.5f << qint64(-32768) << false;
    QTest::newRow("largest float below 2^31") << 2147483520.f << qint64(2147483520) << false;
    QTest::newRow("-2^31 fits") << -2147483648.f << qint64(-2147483648LL) << false;
    QTest::newRow("2^31 overflows") << 2147483648.f << qint64(-1) << true;
    QTest::newRow("-2^31 - 256 overflows") << -2147483904.f << qint64(-1) << true;
    QTest::newRow("infinity overflows") << inf << qint64(-1) << true;
    QTest::newRow("-infinity overflows") << -inf << qint64(-1) << true;
    QTest::newRow("NaN overflows") << std::numeric_limits<float>::quiet_NaN() << qint64(-1) << true;
}

void TestNumbers::toStampArg()
{
    QFETCH(float, value);
    QFETCH(qint64, expected);
    QFETCH(bool, overflow);

    try {
        const qint64 actual = show::ToStampArg(value);
        QVERIFY2(!overflow, "no overflow error");
        QCOMPARE(actual, expected);
    } catch (const ShowError &error) {
        QVERIFY2(overflow, error.what());
        QCOMPARE(error.kind(), ShowError::Kind::Overflow);
    }
}

void TestNumbers::edgeRelativeFailures_data()
{
    QTest::addColumn<float>("size");
    QTest::addColumn<ShowError::Kind>("kind");

    QTest::newRow("signalling NaN is an invalid operation")
        << std::numeric_limits<float>::signaling_NaN() << ShowError::Kind::FloatingPoint;
    QTest::newRow("infinity does not convert")
        << std::numeric_limits<float>::infinity() << ShowError::Kind::Overflow;
    QTest::newRow("beyond 32 bits") << 1e12f << ShowError::Kind::Overflow;
}

void TestNumbers::edgeRelativeFailures()
{
    QFETCH(float, size);
    QFETCH(ShowError::Kind, kind);

    try {
        show::EdgeRelative(size, 250, "W");
        QFAIL("no error");
    } catch (const ShowError &error) {
        QCOMPARE(error.kind(), kind);
    }
}

void TestNumbers::faultsAsTheFlagsTellThem_data()
{
    QTest::addColumn<float>("a");
    QTest::addColumn<float>("b");

    const float inf = std::numeric_limits<float>::infinity();
    const float big = std::numeric_limits<float>::max();
    QTest::newRow("plain numbers") << 7485.f << 250.f;
    QTest::newRow("quiet NaN") << std::numeric_limits<float>::quiet_NaN() << 250.f;
    QTest::newRow("signalling NaN") << std::numeric_limits<float>::signaling_NaN() << 250.f;
    QTest::newRow("infinity less infinity") << inf << inf;
    QTest::newRow("infinity less a number") << inf << 250.f;
    QTest::newRow("largest less its negative") << big << -big;
    QTest::newRow("zero times infinity") << 0.f << inf;
}

// The faults the show tells from values are those the processor flags.
void TestNumbers::faultsAsTheFlagsTellThem()
{
    QFETCH(float, a);
    QFETCH(float, b);

    const auto flagged = [](auto operation) {
        std::feclearexcept(FE_ALL_EXCEPT);
        operation();
        return std::fetestexcept(FE_INVALID | FE_DIVBYZERO | FE_OVERFLOW) != 0;
    };
    volatile float x = a, y = b;
    QCOMPARE(show::SubtractionFaults(a, b), flagged([&] { volatile float d = x - y; (void)d; }));
    QCOMPARE(show::ProductFaults(a, b), flagged([&] { volatile double p = double(x) * double(y); (void)p; }));
}

void TestNumbers::randomFirstValues()
{
    show::RandomSequence random;
    QCOMPARE(random.Next(), 11837123.f / 16777216.f); // 0.7055475...
    QCOMPARE(random.Next(), 8949370.f / 16777216.f);  // 0.5334240...

    // A fresh sequence starts over: every run of the program scatters alike.
    show::RandomSequence again;
    QCOMPARE(again.Next(), 11837123.f / 16777216.f);
}

// Every one of the 2^24 values comes exactly once before the sequence
// repeats, and all lie in [0, 1).
void TestNumbers::randomFullPeriod()
{
    constexpr std::uint32_t kPeriod = 1u << 24;
    show::RandomSequence random;
    std::vector<bool> seen(kPeriod);
    const float first = random.Next();
    float value = first;
    for (std::uint32_t i = 0; i < kPeriod; ++i) {
        if (i > 0)
            value = random.Next();
        QVERIFY(value >= 0.f && value < 1.f);
        const auto state = std::uint32_t(value * 16777216.f);
        QVERIFY2(!seen[state], "a value repeats within the period");
        seen[state] = true;
    }
    QCOMPARE(random.Next(), first);
}

QTEST_APPLESS_MAIN(TestNumbers)
#include "tst_numbers.moc"
