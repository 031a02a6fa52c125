// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#include "commandline.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QStringList>

#include <cstdio>

std::optional<int> HandleCommandLine(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Circles in five colours glide in from the corners of a window. Click the window, "
                       "or press Space or Return, to play the show."));
    // -platform and -display, as every Qt program takes them.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Show this help."));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Show the version."));
    parser.addOption(help);
    parser.addOption(version);
    QCommandLineOption platform(QStringLiteral("platform"), QStringLiteral("Qt platform plugin to use."),
                                QStringLiteral("name"));
    QCommandLineOption display(QStringLiteral("display"), QStringLiteral("X display to use."),
                               QStringLiteral("name"));
    platform.setFlags(QCommandLineOption::HiddenFromHelp);
    display.setFlags(QCommandLineOption::HiddenFromHelp);
    parser.addOptions({platform, display});

    // Without an application object Qt knows no program name.
    const auto usage = [&parser] {
        return parser.helpText().replace(QStringLiteral("<executable_name>"), QStringLiteral("clickshow"));
    };
    if (!parser.parse(arguments) || !parser.positionalArguments().isEmpty()) {
        const QString error = parser.positionalArguments().isEmpty()
            ? parser.errorText()
            : QStringLiteral("unexpected argument '%1'").arg(parser.positionalArguments().constFirst());
        std::fprintf(stderr, "clickshow: %s\n\n%s", qPrintable(error), qPrintable(usage()));
        return 2;
    }
    if (parser.isSet(help)) {
        std::printf("%s", qPrintable(usage()));
        return 0;
    }
    if (parser.isSet(version)) {
        std::printf("clickshow %s\n", qPrintable(QCoreApplication::applicationVersion()));
        return 0;
    }
    if (parser.isSet(platform))
        qputenv("QT_QPA_PLATFORM", parser.value(platform).toLocal8Bit());
    if (parser.isSet(display))
        qputenv("DISPLAY", parser.value(display).toLocal8Bit());
    return std::nullopt;
}
