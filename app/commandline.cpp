// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#include "commandline.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QRegularExpression>
#include <QStringList>

#include <cstdio>

namespace {

// Frames larger than this on either side are beyond what the encoders take.
constexpr int kMostPixels = 16384;

// Plain digits from `least` to `most`.
std::optional<int> WholeNumber(const QString &text, int least, int most)
{
    static const QRegularExpression digits(QStringLiteral("^[0-9]{1,9}$"));
    if (!digits.match(text).hasMatch())
        return std::nullopt;
    const int value = text.toInt();
    return value >= least && value <= most ? std::optional<int>(value) : std::nullopt;
}

// A plain decimal number from `least` to `most`.
std::optional<double> Decimal(const QString &text, double least, double most)
{
    static const QRegularExpression decimal(QStringLiteral("^[0-9]{1,9}(\\.[0-9]{1,9})?$"));
    if (!decimal.match(text).hasMatch())
        return std::nullopt;
    const double value = text.toDouble();
    return value >= least && value <= most ? std::optional<double>(value) : std::nullopt;
}

} // namespace

CommandLine HandleCommandLine(int argc, char *argv[])
{
    // What --version prints, and the name both programs go by.
    QCoreApplication::setApplicationName(QStringLiteral("clickshow"));
    QCoreApplication::setApplicationVersion(QStringLiteral(CLICKSHOW_VERSION));
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Circles in five colours glide in from the corners of a window. Click the window, "
                       "or press Space or Return, to play the show. With --record, the show is played "
                       "into a video or animated picture instead, with no window."));
    // -platform and -display, as every Qt program takes them.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Show this help."));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Show the version."));
    const QCommandLineOption record(
        QStringLiteral("record"),
        QStringLiteral("Play the show into FILE and exit: .mp4, .webm, .mkv, .gif, .webp, .apng or .png."),
        QStringLiteral("FILE"));
    const QCommandLineOption fps(QStringLiteral("fps"), QStringLiteral("Frames a second, 1 to 240 (60)."),
                                 QStringLiteral("N"));
    const QCommandLineOption size(QStringLiteral("size"),
                                  QStringLiteral("The client area in pixels (499x356)."), QStringLiteral("WxH"));
    const QCommandLineOption scale(QStringLiteral("scale"),
                                   QStringLiteral("Device pixels to a pixel, 1 to 8 (1)."), QStringLiteral("F"));
    const QCommandLineOption shows(QStringLiteral("shows"), QStringLiteral("Shows one after another, 1 to 100 (1)."),
                                   QStringLiteral("N"));
    const QCommandLineOption hold(QStringLiteral("hold"),
                                  QStringLiteral("Seconds the final picture stays, 0 to 3600 (2)."),
                                  QStringLiteral("SECONDS"));
    const QCommandLineOption quiet(QStringLiteral("quiet"), QStringLiteral("No progress line while recording."));
    parser.addOptions({help, version, record, fps, size, scale, shows, hold, quiet});
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
    const auto refuse = [&](const QString &error) {
        std::fprintf(stderr, "clickshow: %s\n\n%s", qPrintable(error), qPrintable(usage()));
        return CommandLine{2, std::nullopt};
    };
    if (!parser.parse(arguments))
        return refuse(parser.errorText());
    if (!parser.positionalArguments().isEmpty())
        return refuse(QStringLiteral("unexpected argument '%1'").arg(parser.positionalArguments().constFirst()));
    if (parser.isSet(help)) {
        std::printf("%s", qPrintable(usage()));
        return {0, std::nullopt};
    }
    if (parser.isSet(version)) {
        std::printf("clickshow %s\n", qPrintable(QCoreApplication::applicationVersion()));
        return {0, std::nullopt};
    }
    if (!parser.isSet(record)) {
        for (const QCommandLineOption &option : {fps, size, scale, shows, hold, quiet}) {
            if (parser.isSet(option))
                return refuse(QStringLiteral("--%1 goes with --record").arg(option.names().constFirst()));
        }
        if (parser.isSet(platform))
            qputenv("QT_QPA_PLATFORM", parser.value(platform).toLocal8Bit());
        if (parser.isSet(display))
            qputenv("DISPLAY", parser.value(display).toLocal8Bit());
        return {};
    }

    RecordOptions options;
    options.file = parser.value(record);
    if (options.file.isEmpty())
        return refuse(QStringLiteral("--record needs a file"));
    if (parser.isSet(fps)) {
        const auto value = WholeNumber(parser.value(fps), 1, 240);
        if (!value)
            return refuse(QStringLiteral("--fps takes a whole number from 1 to 240"));
        options.fps = *value;
    }
    if (parser.isSet(size)) {
        const QStringList sides = parser.value(size).split(QLatin1Char('x'));
        const auto width = WholeNumber(sides.value(0), 1, kMostPixels);
        const auto height = WholeNumber(sides.value(1), 1, kMostPixels);
        if (sides.size() != 2 || !width || !height)
            return refuse(QStringLiteral("--size takes WIDTHxHEIGHT, each from 1 to %1").arg(kMostPixels));
        options.size = QSize(*width, *height);
    }
    if (parser.isSet(scale)) {
        const auto value = Decimal(parser.value(scale), 1, 8);
        if (!value)
            return refuse(QStringLiteral("--scale takes a number from 1 to 8"));
        options.scale = *value;
    }
    if (parser.isSet(shows)) {
        const auto value = WholeNumber(parser.value(shows), 1, 100);
        if (!value)
            return refuse(QStringLiteral("--shows takes a whole number from 1 to 100"));
        options.shows = *value;
    }
    if (parser.isSet(hold)) {
        const auto value = Decimal(parser.value(hold), 0, 3600);
        if (!value)
            return refuse(QStringLiteral("--hold takes seconds from 0 to 3600"));
        options.hold = *value;
    }
    const QSize pixels = options.size * options.scale;
    if (pixels.width() > kMostPixels || pixels.height() > kMostPixels)
        return refuse(QStringLiteral("--size and --scale make frames of %1 x %2 pixels; at most %3 a side")
                          .arg(pixels.width())
                          .arg(pixels.height())
                          .arg(kMostPixels));
    options.quiet = parser.isSet(quiet);
    return {std::nullopt, options};
}
