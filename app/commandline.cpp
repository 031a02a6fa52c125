// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#include "commandline.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QRegularExpression>

#include <cstdio>
#include <variant>
#include <vector>

namespace {

// Frames larger than this on either side are beyond what the encoders take.
constexpr int kMostPixels = 16384;

using Field = std::variant<bool Options::*, QString Options::*, bool RecordOptions::*, QString RecordOptions::*,
                           int RecordOptions::*, double RecordOptions::*, QSize RecordOptions::*>;

enum Flags : unsigned {
    kHidden = 1,     // Qt's own, taken but not told in the help
    kRecordOnly = 2, // goes with --record alone
};

// One option: its names, its value, where the value goes and what range
// it may take. The field's type says how the value is read: a flag, text,
// a whole number, a decimal number, or a size WxH.
struct Option
{
    const char *shortName;
    const char *name;
    const char *valueName; // none for a flag
    const char *help;
    Field field;
    double least = 0, most = 0; // of a number, or of each side of a size
    const char *takes = nullptr; // what a bad value is told it takes; text: what it needs
    unsigned flags = 0;
};

const Option kOptions[] = {
    {"h", "help", nullptr, "Show this help.", &Options::help},
    {"v", "version", nullptr, "Show the version.", &Options::version},
    {nullptr, "record", "FILE", "Play the show into FILE and exit: .mp4, .webm, .mkv, .gif, .webp, .apng or .png.",
     &RecordOptions::file, 0, 0, "a file"},
    {nullptr, "fps", "N", "Frames a second, 1 to 240 (60).", &RecordOptions::fps, 1, 240, "a whole number",
     kRecordOnly},
    {nullptr, "size", "WxH", "The client area in pixels (499x356).", &RecordOptions::size, 1, kMostPixels,
     "WIDTHxHEIGHT, each", kRecordOnly},
    {nullptr, "scale", "F", "Device pixels to a pixel, 1 to 8 (1).", &RecordOptions::scale, 1, 8, "a number",
     kRecordOnly},
    {nullptr, "shows", "N", "Shows one after another, 1 to 100 (1).", &RecordOptions::shows, 1, 100,
     "a whole number", kRecordOnly},
    {nullptr, "hold", "SECONDS", "Seconds the final picture stays, 0 to 3600 (2).", &RecordOptions::hold, 0, 3600,
     "seconds", kRecordOnly},
    {nullptr, "quiet", nullptr, "No progress line while recording.", &RecordOptions::quiet, 0, 0, nullptr,
     kRecordOnly},
    // -platform and -display, as every Qt program takes them.
    {nullptr, "platform", "name", "Qt platform plugin to use.", &Options::platform, 0, 0, nullptr, kHidden},
    {nullptr, "display", "name", "X display to use.", &Options::display, 0, 0, nullptr, kHidden},
};

// Plain digits from `least` to `most`.
std::optional<int> WholeNumber(const QString &text, double least, double most)
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

QString Dashed(const Option &option)
{
    return QStringLiteral("--") + QLatin1String(option.name);
}

Status Refuse(const Option &option)
{
    const QString range = QStringLiteral(" from %1 to %2").arg(option.least).arg(option.most);
    return Status::Error(Dashed(option) + QStringLiteral(" takes ") + QLatin1String(option.takes) + range);
}

// Reads `text` into the option's field.
Status Read(const Option &option, const QString &text, Options &options)
{
    RecordOptions &recording = options.recording;
    struct Visitor
    {
        const Option &option;
        const QString &text;
        Options &options;
        RecordOptions &recording;

        Status operator()(bool Options::*field) const { return (options.*field = true), Status::Ok(); }
        Status operator()(bool RecordOptions::*field) const { return (recording.*field = true), Status::Ok(); }
        Status operator()(QString Options::*field) const { return (options.*field = text), Status::Ok(); }
        Status operator()(QString RecordOptions::*field) const
        {
            if (text.isEmpty() && option.takes)
                return Status::Error(Dashed(option) + QStringLiteral(" needs ") + QLatin1String(option.takes));
            recording.*field = text;
            return Status::Ok();
        }
        Status operator()(int RecordOptions::*field) const
        {
            const auto value = WholeNumber(text, option.least, option.most);
            if (!value)
                return Refuse(option);
            recording.*field = *value;
            return Status::Ok();
        }
        Status operator()(double RecordOptions::*field) const
        {
            const auto value = Decimal(text, option.least, option.most);
            if (!value)
                return Refuse(option);
            recording.*field = *value;
            return Status::Ok();
        }
        Status operator()(QSize RecordOptions::*field) const
        {
            const QStringList sides = text.split(QLatin1Char('x'));
            const auto width = WholeNumber(sides.value(0), option.least, option.most);
            const auto height = WholeNumber(sides.value(1), option.least, option.most);
            if (sides.size() != 2 || !width || !height)
                return Refuse(option);
            recording.*field = QSize(*width, *height);
            return Status::Ok();
        }
    };
    return std::visit(Visitor{option, text, options, recording}, option.field);
}

// Qt's parser, told every option of the table.
struct Parser
{
    QCommandLineParser parser;
    std::vector<QCommandLineOption> options;

    Parser()
    {
        parser.setApplicationDescription(
            QStringLiteral("Circles in five colours glide in from the corners of a window. Click the window, "
                           "or press Space or Return, to play the show. With --record, the show is played "
                           "into a video or animated picture instead, with no window."));
        parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
        for (const Option &option : kOptions) {
            QStringList names;
            if (option.shortName)
                names.append(QLatin1String(option.shortName));
            names.append(QLatin1String(option.name));
            QCommandLineOption qt(names, QLatin1String(option.help));
            if (option.valueName)
                qt.setValueName(QLatin1String(option.valueName));
            if (option.flags & kHidden)
                qt.setFlags(QCommandLineOption::HiddenFromHelp);
            options.push_back(qt);
            parser.addOption(qt);
        }
    }
};

} // namespace

QString Usage()
{
    // Without an application object Qt knows no program name.
    return Parser().parser.helpText().replace(QStringLiteral("<executable_name>"), QStringLiteral("clickshow"));
}

Status ParseCommandLine(const QStringList &arguments, Options &options)
{
    Parser qt;
    QCommandLineParser &parser = qt.parser;
    if (!parser.parse(arguments))
        return Status::Error(parser.errorText());
    if (!parser.positionalArguments().isEmpty())
        return Status::Error(
            QStringLiteral("unexpected argument '%1'").arg(parser.positionalArguments().constFirst()));
    options.help = parser.isSet(QStringLiteral("help"));
    options.version = parser.isSet(QStringLiteral("version"));
    if (options.help || options.version)
        return Status::Ok();
    options.record = parser.isSet(QStringLiteral("record"));
    for (size_t i = 0; i < std::size(kOptions); ++i) {
        const Option &option = kOptions[i];
        if (!parser.isSet(qt.options[i]))
            continue;
        if (!options.record && (option.flags & kRecordOnly))
            return Status::Error(Dashed(option) + QStringLiteral(" goes with --record"));
    }
    for (size_t i = 0; i < std::size(kOptions); ++i) {
        if (!parser.isSet(qt.options[i]))
            continue;
        if (const Status read = Read(kOptions[i], parser.value(qt.options[i]), options); !read.ok())
            return read;
    }
    const RecordOptions &recording = options.recording;
    const QSize pixels = recording.size * recording.scale;
    if (options.record && (pixels.width() > kMostPixels || pixels.height() > kMostPixels))
        return Status::Error(QStringLiteral("--size and --scale make frames of %1 x %2 pixels; at most %3 a side")
                                 .arg(pixels.width())
                                 .arg(pixels.height())
                                 .arg(kMostPixels));
    return Status::Ok();
}

CommandLine HandleCommandLine(int argc, char *argv[])
{
    // What --version prints, and the name the program goes by.
    QCoreApplication::setApplicationName(QStringLiteral("clickshow"));
    QCoreApplication::setApplicationVersion(QStringLiteral(CLICKSHOW_VERSION));
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));

    CommandLine commandLine;
    Options &options = commandLine.options;
    if (const Status parsed = ParseCommandLine(arguments, options); !parsed.ok()) {
        std::fprintf(stderr, "clickshow: %s\n\n%s", qPrintable(parsed.message()), qPrintable(Usage()));
        commandLine.status = 2;
        return commandLine;
    }
    if (options.help) {
        std::printf("%s", qPrintable(Usage()));
        commandLine.status = 0;
    } else if (options.version) {
        std::printf("clickshow %s\n", qPrintable(QCoreApplication::applicationVersion()));
        commandLine.status = 0;
    } else if (!options.record) {
        if (!options.platform.isNull())
            qputenv("QT_QPA_PLATFORM", options.platform.toLocal8Bit());
        if (!options.display.isNull())
            qputenv("DISPLAY", options.display.toLocal8Bit());
    }
    return commandLine;
}
