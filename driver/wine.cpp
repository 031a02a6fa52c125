// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#include "wine.h"

#include "xserver.h"

#include <QFile>
#include <QRegularExpression>

namespace {
constexpr int kCeilingMs = 120000; // a fresh prefix takes some 10 s
}

Wine::Wine(const QString &display)
    : display_(display)
{
    if (!prefix_.isValid()) {
        problem_ = QStringLiteral("no folder for a Wine prefix");
        return;
    }
    if (Run(QStringLiteral("wineboot"), {QStringLiteral("-i")}) != 0)
        problem_ = QStringLiteral("wineboot failed: ") + QString::fromLocal8Bit(Output(QProcess()));
}

Wine::~Wine()
{
    QProcess server;
    server.setProcessEnvironment(Environment());
    server.start(QStringLiteral("wineserver"), {QStringLiteral("-k")});
    server.waitForFinished(kCeilingMs);
}

QProcessEnvironment Wine::Environment() const
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("WINEPREFIX"), prefix_.path());
    env.insert(QStringLiteral("DISPLAY"), display_);
    env.insert(QStringLiteral("WINEDEBUG"), QStringLiteral("-all"));
    env.insert(QStringLiteral("WINEDLLOVERRIDES"), QStringLiteral("mscoree,mshtml=;winemenubuilder.exe=d"));
    env.insert(QStringLiteral("HOME"), prefix_.path());
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    return env;
}

void Wine::Start(QProcess &process, const QString &program, const QStringList &arguments)
{
    process.setProcessEnvironment(Environment());
    process.setChildProcessModifier(DieWithParent);
    const QString output = prefix_.filePath(QStringLiteral("output-%1.txt").arg(++runs_));
    process.setProperty("output", output);
    process.setStandardOutputFile(output);
    process.setStandardErrorFile(output);
    process.start(QStringLiteral("wine"), QStringList{program} + arguments);
}

int Wine::Run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    Start(process, program, arguments);
    const bool ended = process.waitForFinished(kCeilingMs);
    last_ = process.property("output").toString();
    return ended && process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}

QByteArray Wine::Output(const QProcess &process) const
{
    QFile file(process.property("output").isValid() ? process.property("output").toString() : last_);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Where the releases of Wine read it; a fresh wineserver (and desktop)
// reads it again.
bool Wine::SetDpi(int dpi)
{
    for (const char *key : {"HKCU\\Control Panel\\Desktop", "HKCU\\Software\\Wine\\Fonts", "HKCC\\Software\\Fonts"}) {
        if (Run(QStringLiteral("reg"), {QStringLiteral("add"), QLatin1String(key), QStringLiteral("/v"),
                                        QStringLiteral("LogPixels"), QStringLiteral("/t"), QStringLiteral("REG_DWORD"),
                                        QStringLiteral("/d"), QString::number(dpi), QStringLiteral("/f")})
            != 0)
            return false;
    }
    QProcess server;
    server.setProcessEnvironment(Environment());
    server.start(QStringLiteral("wineserver"), {QStringLiteral("-k")});
    return server.waitForFinished(kCeilingMs);
}

QString Wine::Registry(const QString &key, const QString &value)
{
    if (Run(QStringLiteral("reg"), {QStringLiteral("query"), QStringLiteral("HKCU\\") + key, QStringLiteral("/v"), value}) != 0)
        return {};
    const QRegularExpression line(QStringLiteral("%1\\s+REG_\\w+\\s+(\\S+)").arg(QRegularExpression::escape(value)));
    const QRegularExpressionMatch match = line.match(QString::fromLocal8Bit(Output(QProcess())));
    return match.hasMatch() ? match.captured(1) : QString();
}
