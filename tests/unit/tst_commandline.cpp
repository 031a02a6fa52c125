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
    QTest::addColumn<QString>("display"); // "-": unset
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QByteArray>("out");
    QTest::addColumn<QByteArray>("err"); // the start of what it writes

    QTest::newRow("--version") << QStringList{"--version"} << "-" << 0
                               << QByteArray("clickshow " CLICKSHOW_VERSION "\n") << QByteArray();
    QTest::newRow("--help") << QStringList{"--help"} << "-" << 0 << QByteArray("Usage: clickshow [options]\n")
                            << QByteArray();
    QTest::newRow("an unknown option gives the usage") << QStringList{"--fast"} << "-" << 2 << QByteArray()
                                                       << QByteArray("clickshow: Unknown option 'fast'.\n\nUsage:");
    QTest::newRow("no display set") << QStringList{} << "-" << 1 << QByteArray()
                                    << QByteArray("clickshow: no display is set");
    QTest::newRow("a display that is not there") << QStringList{} << ":999" << 1 << QByteArray()
                                                 << QByteArray("clickshow: cannot open the display \":999\"\n");
}

void TestCommandLine::run()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, display);
    QFETCH(int, exitCode);
    QFETCH(QByteArray, out);
    QFETCH(QByteArray, err);

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        env.remove(QString::fromLatin1(name));
    if (display != "-")
        env.insert(QStringLiteral("DISPLAY"), display);
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
