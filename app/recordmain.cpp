// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

// clickshow-record: what `clickshow --record` runs. It takes the same
// command line and needs no display.

#include "commandline.h"

#include "record/recorder.h"

#include <QApplication>

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

int main(int argc, char *argv[])
{
    const CommandLine commandLine = HandleCommandLine(argc, argv);
    if (commandLine.status)
        return *commandLine.status;
    if (!commandLine.record) {
        std::fprintf(stderr, "clickshow-record: run it as clickshow --record FILE\n");
        return 2;
    }
    qtMessageHandler = qInstallMessageHandler(DropMessage);
    // No display at all, whatever the environment holds: the window is
    // drawn off screen, at the scale asked for.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qunsetenv("QT_SCREEN_SCALE_FACTORS");
    qputenv("QT_SCALE_FACTOR", QByteArray::number(commandLine.record->scale, 'g', 12));
    QApplication app(argc, argv);
    return Record(*commandLine.record);
}
