// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

// The clickshow binary with no display at all: its options, and the one
// line it gives when there is no display to use.

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QtTest>

class TestCommandLine : public QObject
{
    Q_OBJECT

private slots:
    void run_data();
    void run();
    void helpAndManualAgree();
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
    QTest::newRow("--help") << QStringList{"--help"} << QStringList{} << 0 << QByteArray("Usage: clickshow [OPTION...]\n")
                            << QByteArray();
    QTest::newRow("an unknown option gives the usage") << QStringList{"--fast"} << QStringList{} << 2 << QByteArray()
                                                       << QByteArray("clickshow: unknown option --fast\n\nUsage:");
    QTest::newRow("a missing value") << QStringList{"--record"} << QStringList{} << 2 << QByteArray()
                                     << QByteArray("clickshow: --record needs a file name\n");
    QTest::newRow("a value for a flag") << QStringList{"--help=x"} << QStringList{} << 2 << QByteArray()
                                        << QByteArray("clickshow: --help takes no value\n");
    QTest::newRow("recording into a directory") << QStringList{"--record", "/"} << QStringList{} << 1 << QByteArray()
                                                << QByteArray("clickshow: cannot record \"/\": is a directory\n");
    QTest::newRow("recording to standard output")
        << QStringList{"--record", "-"} << QStringList{} << 1 << QByteArray()
        << QByteArray("clickshow: cannot record \"-\": standard output is not supported\n");
    QTest::newRow("a frame rate out of range gives the usage")
        << QStringList{"--record", "x.mp4", "--fps", "241"} << QStringList{} << 2 << QByteArray()
        << QByteArray("clickshow: --fps takes a whole number from 1 to 240\n\nUsage:");
    QTest::newRow("a recording option alone gives the usage")
        << QStringList{"--shows", "2"} << QStringList{} << 2 << QByteArray()
        << QByteArray("clickshow: --shows goes with --record\n\nUsage:");
    QTest::newRow("a window option with --record") << QStringList{"--record", "x.mp4", "--loop", "2"} << QStringList{}
                                                   << 2 << QByteArray()
                                                   << QByteArray("clickshow: --loop does not go with --record\n");
    QTest::newRow("an X window id beyond 32 bits") << QStringList{"--window-id", "0x100000001"} << QStringList{} << 2
                                                   << QByteArray() << QByteArray("clickshow: --window-id takes");
    QTest::newRow("a screensaver on Wayland alone")
        << QStringList{"--root"} << QStringList{"WAYLAND_DISPLAY=wayland-0"} << 1 << QByteArray()
        << QByteArray("clickshow: --root draws on an X window, and no X display is set (DISPLAY is empty)\n");
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

// --help comes from the table of options: it fits 80 columns, and the
// manual's OPTIONS name the very same options.
void TestCommandLine::helpAndManualAgree()
{
    QProcess help;
    help.start(QStringLiteral(CLICKSHOW_BINARY), {QStringLiteral("--help")});
    QVERIFY(help.waitForFinished(10000));
    const QString text = QString::fromUtf8(help.readAllStandardOutput());
    const QRegularExpression option(QStringLiteral("(?:^|[ ,])(--?[a-z][a-z-]+)"));
    QStringList fromHelp;
    for (const QString &line : text.split(QLatin1Char('\n'))) {
        QVERIFY2(line.size() <= 80, qPrintable(line));
        if (line.trimmed().startsWith(QLatin1Char('-')))
            fromHelp.append(option.match(line.trimmed().section(QRegularExpression(QStringLiteral(" {2,}")), 0, 0))
                                .captured(1));
    }

    QFile manual(QStringLiteral(CLICKSHOW_MANUAL));
    QVERIFY(manual.open(QIODevice::ReadOnly));
    const QString page = QString::fromUtf8(manual.readAll()).replace(QLatin1String("\\-"), QLatin1String("-"));
    const QString options = page.section(QLatin1String(".SH OPTIONS"), 1).section(QLatin1String(".SH "), 0, 0);
    QStringList fromManual;
    const QStringList lines = options.split(QLatin1Char('\n'));
    for (int i = 1; i < lines.size(); ++i) {
        if (lines[i - 1] == QLatin1String(".TP"))
            fromManual.append(option.match(lines[i].section(QLatin1Char(' '), 1)).captured(1));
    }
    fromHelp.sort();
    fromManual.sort();
    QCOMPARE(fromManual, fromHelp);
}

QTEST_APPLESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
