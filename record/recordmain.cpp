// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

// clickshow-record.so: what `clickshow --record` loads and runs. It needs
// no display.

#include "recordentry.h"
#include "recorder.h"

#include <QGuiApplication>

#include <csignal>
#include <type_traits>
#include <cstdio>

namespace {

QtMessageHandler qtMessageHandler = nullptr;

// Qt's chatter (about a runtime directory, say) has no reader here: only
// what fails is told, in the program's own line.
void DropMessage(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    if (type == QtFatalMsg || type == QtCriticalMsg)
        qtMessageHandler(type, context, text);
}

} // namespace

extern "C" __attribute__((visibility("default"))) int clickshow_record(int argc, char *argv[],
                                                                       const RecordOptions *options)
{
    static_assert(std::is_same_v<decltype(&clickshow_record), RecordEntry>);
    qtMessageHandler = qInstallMessageHandler(DropMessage);
    // No display at all, whatever the environment holds: Qt only draws the
    // captions, off screen.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const Status status = Record(*options);
    if (status.ok())
        return 0;
    std::fprintf(stderr, "clickshow: cannot record \"%s\": %s\n", qPrintable(options->file),
                 status.message().c_str());
    std::fflush(stderr);
    if (const int signal = RecordingInterruptedBy()) {
        // Ended by the signal, as the shell that sent it expects.
        std::signal(signal, SIG_DFL);
        std::raise(signal);
    }
    return 1;
}
