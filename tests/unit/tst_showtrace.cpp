// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

// show-trace as a command: its arguments, its output format, its exit codes.

#include <QProcess>
#include <QtTest>

class TestShowTrace : public QObject
{
    Q_OBJECT

private slots:
    void arguments_data();
    void arguments();
    void firstLines();
    void errorEndsTheTrace();
};

namespace {

struct Run
{
    int exitCode;
    QStringList lines;
    QByteArray errors;
};

Run Trace(const QStringList &arguments)
{
    QProcess process;
    process.start(QStringLiteral(SHOW_TRACE), arguments);
    process.waitForFinished(60000);
    const QString out = QString::fromUtf8(process.readAllStandardOutput());
    return {process.exitCode(), out.split('\n', Qt::SkipEmptyParts), process.readAllStandardError()};
}

} // namespace

void TestShowTrace::arguments_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode"); // 2: usage

    QTest::newRow("no arguments") << QStringList{} << 2;
    QTest::newRow("height missing") << QStringList{"7485"} << 2;
    QTest::newRow("width not a number") << QStringList{"wide", "5340"} << 2;
    QTest::newRow("trailing junk") << QStringList{"7485px", "5340"} << 2;
    QTest::newRow("leading blank") << QStringList{" 7485", "5340"} << 2;
    QTest::newRow("trailing blank") << QStringList{"7485 ", "5340"} << 2;
    QTest::newRow("hexadecimal size") << QStringList{"0x1d3d", "5340"} << 2;
    QTest::newRow("size beyond a float") << QStringList{"1e39", "5340"} << 2;
    QTest::newRow("subnormal size is a size") << QStringList{"1e-40", "5340"} << 0;
    QTest::newRow("zero clicks") << QStringList{"7485", "5340", "0"} << 2;
    QTest::newRow("fractional clicks") << QStringList{"7485", "5340", "1.5"} << 2;
    QTest::newRow("signed clicks") << QStringList{"7485", "5340", "+1"} << 2;
    QTest::newRow("more clicks than the bound") << QStringList{"7485", "5340", "1001"} << 2;
    QTest::newRow("clicks beyond 64 bits") << QStringList{"7485", "5340", "9223372036854775808"} << 2;
    QTest::newRow("too many") << QStringList{"7485", "5340", "1", "1"} << 2;
    QTest::newRow("--help tells the usage on stdout") << QStringList{"--help"} << 0;
}

void TestShowTrace::arguments()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);

    const Run run = Trace(arguments);
    QCOMPARE(run.exitCode, exitCode);
    QCOMPARE(run.lines.isEmpty(), exitCode == 2);
    QCOMPARE(run.errors.startsWith("usage: show-trace"), exitCode == 2);
}

void TestShowTrace::firstLines()
{
    const Run run = Trace({"7492.5", "5340"});
    QCOMPARE(run.exitCode, 0);
    const QStringList expected = {
        "visible lblTop 0",
        "visible lblWords 0",
        "backdrop 100 100 100",
        "circle 0 0 350 0 0 255",
        "pause 52000",
    };
    QCOMPARE(run.lines.mid(0, expected.size()), expected);
    QVERIFY(run.lines.contains("circle 7242 250 350 255 0 0"));
}

void TestShowTrace::errorEndsTheTrace()
{
    const Run run = Trace({"inf", "5340"});
    QCOMPARE(run.exitCode, 1);
    QCOMPARE(run.lines.last(), QStringLiteral("error overflow: coordinate inf does not fit a stamp argument"));
    QCOMPARE(run.lines.at(run.lines.size() - 2), QStringLiteral("width"));
}

QTEST_APPLESS_MAIN(TestShowTrace)
#include "tst_showtrace.moc"
