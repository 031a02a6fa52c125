// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

// The clickshow binary with no display at all: its options, and the one
// line it gives when there is no display to use.

#include <QProcess>
#include <QtTest>

class TestCommandLine : public QObject
{
    Q_OBJECT

private slots:
    void run_data();
    void run();
};

void TestCommandLine::run_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QStringList>("environment"); // NAME=value; DISPLAY and the rest unset
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QByteArray>("out");
    QTest::addColumn<QByteArray>("err"); // the start of what it writes

    QTest::newRow("--version") << QStringList{"--version"} << QStringList{} << 0
                               << QByteArray("clickshow " CLICKSHOW_VERSION "\n") << QByteArray();
    QTest::newRow("--help") << QStringList{"--help"} << QStringList{} << 0 << QByteArray("Usage: clickshow [options]\n")
                            << QByteArray();
    QTest::newRow("an unknown option gives the usage") << QStringList{"--fast"} << QStringList{} << 2 << QByteArray()
                                                       << QByteArray("clickshow: Unknown option 'fast'.\n\nUsage:");
    QTest::newRow("a frame rate out of range gives the usage")
        << QStringList{"--record", "x.mp4", "--fps", "241"} << QStringList{} << 2 << QByteArray()
        << QByteArray("clickshow: --fps takes a whole number from 1 to 240\n\nUsage:");
    QTest::newRow("a recording option alone gives the usage")
        << QStringList{"--shows", "2"} << QStringList{} << 2 << QByteArray()
        << QByteArray("clickshow: --shows goes with --record\n\nUsage:");
    QTest::newRow("no display set") << QStringList{} << QStringList{} << 1 << QByteArray()
                                    << QByteArray("clickshow: no display is set");
    QTest::newRow("a display that is not there") << QStringList{} << QStringList{"DISPLAY=:999"} << 1 << QByteArray()
                                                 << QByteArray("clickshow: cannot open the display \":999\"\n");
    QTest::newRow("xcb asked for, only Wayland set")
        << QStringList{} << QStringList{"QT_QPA_PLATFORM=xcb", "WAYLAND_DISPLAY=wayland-0"} << 1 << QByteArray()
        << QByteArray("clickshow: no X display is set (DISPLAY is empty");
}

void TestCommandLine::run()
{
    QFETCH(QStringList, arguments);
    QFETCH(QStringList, environment);
    QFETCH(int, exitCode);
    QFETCH(QByteArray, out);
    QFETCH(QByteArray, err);

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        env.remove(QString::fromLatin1(name));
    for (const QString &variable : environment)
        env.insert(variable.section(QLatin1Char('='), 0, 0), variable.section(QLatin1Char('='), 1));
    QProcess process;
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(CLICKSHOW_BINARY), arguments);
    QVERIFY(process.waitForFinished(10000));
    QCOMPARE(process.exitStatus(), QProcess::NormalExit); // no abort, no core
    QCOMPARE(process.exitCode(), exitCode);
    const QByteArray stdoutText = process.readAllStandardOutput();
    QVERIFY2(out.isEmpty() ? stdoutText.isEmpty() : stdoutText.startsWith(out), stdoutText.constData());
    const QByteArray stderrText = process.readAllStandardError();
    QVERIFY2(err.isEmpty() ? stderrText.isEmpty() : stderrText.startsWith(err), stderrText.constData());
}

QTEST_APPLESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
