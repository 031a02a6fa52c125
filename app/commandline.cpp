// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#include "commandline.h"

#include "player/limits.h"

#include <QCoreApplication>
#include <QRegularExpression>

#include <algorithm>
#include <cstdio>
#include <variant>
#include <vector>

namespace {

// Frames larger than this on either side are beyond what the encoders take.
constexpr int kMostPixels = 16384;
constexpr int kColumns = 80;

using Field = std::variant<bool Options::*, QString Options::*, double Options::*, unsigned long Options::*,
                           bool RecordOptions::*, QString RecordOptions::*, int RecordOptions::*,
                           double RecordOptions::*, QSize RecordOptions::*>;

enum Flags : unsigned {
    kQt = 1,         // Qt's own, as every Qt program takes it: told apart in the help
    kRecordOnly = 2, // goes with --record alone
    kWindowOnly = 4, // goes with the window alone
};

// One option: its names, its value, where the value goes and what range
// it may take. The field's type says how the value is read: a flag, text,
// a whole number, a decimal number, or a size WxH. The help adds the range
// and the default.
struct Option
{
    const char *shortName;
    const char *name;
    const char *valueName; // none for a flag
    const char *help;
    Field field;
    double least = 0, most = 0;  // of a number, or of each side of a size
    const char *takes = nullptr; // what the value is: "a whole number"
    unsigned flags = 0;
};

const Option kOptions[] = {
    {"h", "help", nullptr, "show this help and exit", &Options::help},
    {"v", "version", nullptr, "show the version and exit", &Options::version},
    {nullptr, "record", "FILE",
     "play the show into FILE and exit, with no window: .mp4, .webm, .mkv, .gif, .webp, .apng or .png",
     &RecordOptions::file, 0, 0, "a file name"},
    {nullptr, "fps", "N", "frames a second", &RecordOptions::fps, 1, 240, "a whole number", kRecordOnly},
    {nullptr, "size", "WxH", "the client area in pixels", &RecordOptions::size, 1, kMostPixels,
     "WIDTHxHEIGHT, each side", kRecordOnly},
    {nullptr, "scale", "F", "device pixels to a pixel: the picture of a scaled screen, or of a small preview",
     &RecordOptions::scale, 0.1, 8, "a number", kRecordOnly},
    {nullptr, "shows", "N", "shows one after another, each with its final picture", &RecordOptions::shows, 1, 100,
     "a whole number", kRecordOnly},
    {nullptr, "hold", "SECONDS", "how long each show's final picture stands", &RecordOptions::hold, 0, 3600,
     "seconds", kRecordOnly},
    {nullptr, "quiet", nullptr, "no progress line, and no word when done", &RecordOptions::quiet, 0, 0, nullptr,
     kRecordOnly},
    {nullptr, "fullscreen", nullptr, "play on the whole screen: the picture as designed, as large as fits, on black",
     &Options::fullscreen, 0, 0, nullptr, kWindowOnly},
    {nullptr, "loop", "SECONDS", "play the show again each time its final picture has stood SECONDS", &Options::loop,
     0, player::kLoopSecondsMost, "seconds", kWindowOnly},
    {nullptr, "root", nullptr,
     "be a screensaver: draw on the window XScreenSaver names (XSCREENSAVER_WINDOW), else on the root window, "
     "scaled to it, in a loop",
     &Options::root, 0, 0, nullptr, kWindowOnly},
    {nullptr, "window-id", "ID", "be a screensaver on the X window ID, as --root does", &Options::windowId, 0, 0,
     "an X window id, in hex (0x...) or decimal", kWindowOnly},
    {nullptr, "platform", "NAME", "the Qt platform plugin", &Options::platform, 0, 0, "a name", kQt},
    {nullptr, "display", "NAME", "the X display", &Options::display, 0, 0, "a name", kQt},
};

// What a person can do in the window.
const char *const kKeys[][2] = {
    {"click, Space, Return, Enter",
     "play the show (Enter on the keypad too); a click on a caption does nothing, a double click plays one show, "
     "each click made during a show plays one more after it, and keys pressed during a show are let go"},
    {"Ctrl+Q, Ctrl+W", "close the window (once a show that runs has ended)"},
    {"F11", "the whole screen, and back; Esc gives back the window too"},
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
    return QLatin1String(option.flags & kQt ? "-" : "--") + QLatin1String(option.name);
}

bool Numeric(const Option &option)
{
    return option.most > option.least;
}

// "a whole number from 1 to 240"
QString Takes(const Option &option)
{
    QString takes = QLatin1String(option.takes);
    if (Numeric(option))
        takes += QStringLiteral(" from %1 to %2").arg(option.least).arg(option.most);
    return takes;
}

Status Error(const QString &message)
{
    return Status::Error(message.toStdString());
}

Status Refuse(const Option &option)
{
    return Error(Dashed(option) + QStringLiteral(" takes ") + Takes(option));
}

// Reads `text` into the option's field.
Status Read(const Option &option, const QString &text, Options &options)
{
    struct Visitor
    {
        const Option &option;
        const QString &text;
        Options &options;

        Status operator()(bool Options::*field) const { return (options.*field = true), Status::Ok(); }
        Status operator()(bool RecordOptions::*field) const { return (options.recording.*field = true), Status::Ok(); }
        Status operator()(QString Options::*field) const { return (options.*field = text), Status::Ok(); }
        Status operator()(double Options::*field) const
        {
            const auto value = Decimal(text, option.least, option.most);
            return value ? (options.*field = *value), Status::Ok() : Refuse(option);
        }
        Status operator()(unsigned long Options::*field) const
        {
            bool ok = false;
            // Ids come in hex, and an X id has 32 bits at most.
            const unsigned long value = text.toULong(&ok, 0);
            return ok && value && value <= 0xffffffffUL ? (options.*field = value), Status::Ok() : Refuse(option);
        }
        Status operator()(QString RecordOptions::*field) const
        {
            return (options.recording.*field = text), Status::Ok();
        }
        Status operator()(int RecordOptions::*field) const
        {
            const auto value = WholeNumber(text, option.least, option.most);
            return value ? (options.recording.*field = *value), Status::Ok() : Refuse(option);
        }
        Status operator()(double RecordOptions::*field) const
        {
            const auto value = Decimal(text, option.least, option.most);
            return value ? (options.recording.*field = *value), Status::Ok() : Refuse(option);
        }
        Status operator()(QSize RecordOptions::*field) const
        {
            const QStringList sides = text.split(QLatin1Char('x'));
            const auto width = WholeNumber(sides.value(0), option.least, option.most);
            const auto height = WholeNumber(sides.value(1), option.least, option.most);
            if (sides.size() != 2 || !width || !height)
                return Refuse(option);
            options.recording.*field = QSize(*width, *height);
            return Status::Ok();
        }
    };
    return std::visit(Visitor{option, text, options}, option.field);
}

bool IsFlag(const Option &option)
{
    return !option.valueName;
}

// The field's value in a fresh Options, as the help tells it: "(60)".
QString Default(const Option &option)
{
    const Options fresh;
    const RecordOptions &recording = fresh.recording;
    if (const auto *field = std::get_if<int RecordOptions::*>(&option.field))
        return QString::number(recording.**field);
    if (const auto *field = std::get_if<double RecordOptions::*>(&option.field))
        return QString::number(recording.**field);
    if (const auto *field = std::get_if<QSize RecordOptions::*>(&option.field))
        return QStringLiteral("%1x%2").arg((recording.**field).width()).arg((recording.**field).height());
    return {};
}

// `text` in lines of at most kColumns, the first after `lead`, the rest
// indented as far.
QString Wrapped(const QString &lead, const QString &text)
{
    const int indent = int(lead.size());
    QString out = lead;
    int column = indent;
    bool first = true;
    for (const QString &word : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (!first && column + 1 + word.size() > kColumns) {
            out += QLatin1Char('\n') + QString(indent, QLatin1Char(' '));
            column = indent;
            first = true;
        }
        if (!first) {
            out += QLatin1Char(' ');
            ++column;
        }
        out += word;
        column += int(word.size());
        first = false;
    }
    return out + QLatin1Char('\n');
}

QString Column(const QString &left, int width)
{
    return (QStringLiteral("  ") + left).leftJustified(width, QLatin1Char(' '));
}

const Option *Find(const QString &name)
{
    for (const Option &option : kOptions) {
        if (name == QLatin1String(option.name) || (option.shortName && name == QLatin1String(option.shortName)))
            return &option;
    }
    return nullptr;
}

} // namespace

QString Usage()
{
    return QStringLiteral("Usage: clickshow [OPTION...]\n"
                          "       clickshow --record FILE [OPTION...]\n");
}

QString Help()
{
    QString help = Usage() + QLatin1Char('\n');
    help += Wrapped({}, QStringLiteral("Circles in five colours glide in from the corners of a window in four acts, "
                                       "then scatter at random, and the show ends on a white backdrop with an emblem "
                                       "of five rings and two captions. The window opens empty and waits."));
    constexpr int kLeft = 32;
    help += QStringLiteral("\nIn the window:\n");
    for (const auto &key : kKeys)
        help += Wrapped(Column(QLatin1String(key[0]), kLeft), QLatin1String(key[1]));
    help += QStringLiteral("\nOptions:\n");
    QString qt;
    for (const Option &option : kOptions) {
        QString left = option.shortName ? QStringLiteral("-%1, ").arg(QLatin1String(option.shortName))
                                        : QStringLiteral("    ");
        left += Dashed(option);
        if (!IsFlag(option))
            left += QLatin1Char(' ') + QLatin1String(option.valueName);
        QString text = QLatin1String(option.help);
        if (Numeric(option))
            text += QStringLiteral(", %1 to %2").arg(option.least).arg(option.most)
                + QLatin1String(std::holds_alternative<QSize RecordOptions::*>(option.field) ? " a side" : "");
        if (const QString fallback = Default(option); !fallback.isEmpty())
            text += QStringLiteral(" (%1)").arg(fallback);
        if (std::holds_alternative<bool Options::*>(option.field) && std::get<bool Options::*>(option.field) == &Options::root)
            text += QStringLiteral(" (%1 seconds a final picture)").arg(player::kSaverFinaleSeconds);
        (option.flags & kQt ? qt : help) += Wrapped(Column(left, kLeft), text);
    }
    help += QStringLiteral("\nQt's own options:\n") + qt;
    help += QStringLiteral("\nThe manual, clickshow(1), tells more.\n");
    return help;
}

Status ParseCommandLine(const QStringList &arguments, Options &options)
{
    // What was given, in order: each option with its value, unread.
    std::vector<std::pair<const Option *, QString>> given;
    for (int i = 1; i < arguments.size(); ++i) {
        const QString &argument = arguments[i];
        if (!argument.startsWith(QLatin1Char('-')) || argument == QLatin1String("-") || argument == QLatin1String("--"))
            return Error(QStringLiteral("unexpected argument \"%1\"").arg(argument));
        // --name, --name=value, and -name as Qt programs take it.
        const QString spelled = argument.section(QLatin1Char('='), 0, 0);
        const Option *option = Find(spelled.mid(argument.startsWith(QLatin1String("--")) ? 2 : 1));
        if (!option)
            return Error(QStringLiteral("unknown option %1").arg(spelled));
        const bool inlineValue = argument.contains(QLatin1Char('='));
        if (IsFlag(*option)) {
            if (inlineValue)
                return Error(Dashed(*option) + QStringLiteral(" takes no value"));
            given.emplace_back(option, QString());
            continue;
        }
        QString value;
        if (inlineValue)
            value = argument.section(QLatin1Char('='), 1);
        else if (i + 1 < arguments.size() && !arguments[i + 1].startsWith(QLatin1String("--")))
            value = arguments[++i];
        if (value.isEmpty())
            return Error(Dashed(*option) + QStringLiteral(" needs ") + Takes(*option));
        given.emplace_back(option, value);
    }
    const auto has = [&](const char *name) {
        return std::any_of(given.begin(), given.end(), [&](const auto &g) { return !qstrcmp(g.first->name, name); });
    };
    options.help = has("help");
    options.version = has("version");
    if (options.help || options.version)
        return Status::Ok();
    options.record = has("record");
    for (const auto &[option, value] : given) {
        if (!options.record && (option->flags & kRecordOnly))
            return Error(Dashed(*option) + QStringLiteral(" goes with --record"));
        if (options.record && (option->flags & kWindowOnly))
            return Error(Dashed(*option) + QStringLiteral(" does not go with --record"));
    }
    for (const auto &[option, value] : given) {
        if (const Status read = Read(*option, value, options); !read.ok())
            return read;
    }
    const RecordOptions &recording = options.recording;
    const QSize pixels = recording.size * recording.scale;
    if (options.record && (pixels.isEmpty() || pixels.width() > kMostPixels || pixels.height() > kMostPixels))
        return Error(QStringLiteral("--size and --scale make frames of %1 x %2 pixels; 1 to %3 a side")
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
        std::fprintf(stderr, "clickshow: %s\n\n%sMore with --help.\n", parsed.message().c_str(),
                     qPrintable(Usage()));
        commandLine.status = 2;
        return commandLine;
    }
    if (options.help) {
        std::printf("%s", qPrintable(Help()));
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
