// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#include "commandline.h"

#include "show/busywaitpacer.h"
#include "window/platform.h"
#include "window/form1.h"

#include <QAbstractNativeEventFilter>
#include <QApplication>
#include <QIcon>
#include <QMessageBox>

#include <QFileInfo>

#include <cstdio>
#include <cstdlib>
#include <utility>

#include <unistd.h>

namespace {

QtMessageHandler qtMessageHandler = nullptr;
bool applicationStarted = false;

// What Qt says while it starts, held back until it has started: if it
// fails, the program's one line says why instead.
struct HeldMessage
{
    QtMsgType type;
    QString text;
};
QList<HeldMessage> heldMessages;

const QString kDisplayLost = QStringLiteral("the connection to the display is lost");

void Report(const QString &message)
{
    std::fprintf(stderr, "clickshow: %s\n", qPrintable(message));
    std::fflush(stderr);
}

// One line on stderr, then out at once: with the display gone, the
// application's own teardown would only talk to a dead connection.
[[noreturn]] void Fail(const QString &message)
{
    Report(message);
    std::_Exit(1);
}

// Turns Qt's last words about the display into the program's own.
void HandleMessage(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    // Qt says this when it notices a dead X or Wayland connection between
    // shows, and exits right after.
    if (text.contains(QLatin1String("connection broke")))
        Fail(kDisplayLost);
    // The display went away between our check and Qt's own connection:
    // Qt would abort with a core dump.
    if (type == QtFatalMsg && !applicationStarted) {
        const QString problem = DisplayProblem();
        Fail(problem.isEmpty() ? QStringLiteral("cannot start the Qt platform \"%1\"")
                                     .arg(qEnvironmentVariable("QT_QPA_PLATFORM"))
                               : problem);
    }
    if (!applicationStarted && type != QtFatalMsg) {
        heldMessages.append({type, text});
        return;
    }
    qtMessageHandler(type, context, text);
}

// The recorder is a program of its own beside this one, so that the window
// does not load FFmpeg's hundred libraries: in the build tree next to it,
// installed in the libexec folder.
[[noreturn]] void RunRecorder(char *argv[], const QString &file)
{
    const QString here = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath().section(QLatin1Char('/'), 0, -2);
    for (const QString &recorder : {here + QStringLiteral("/clickshow-record"),
                                    here + QStringLiteral("/" CLICKSHOW_RECORDER_FROM_BINDIR)}) {
        const QByteArray path = QFile::encodeName(recorder);
        execv(path.constData(), argv);
    }
    std::fprintf(stderr, "clickshow: cannot record \"%s\": the recorder, clickshow-record, is not installed\n",
                 qPrintable(file));
    std::_Exit(1);
}

void ReleaseHeldMessages()
{
    applicationStarted = true;
    for (const HeldMessage &message : std::exchange(heldMessages, {}))
        qtMessageHandler(message.type, QMessageLogContext(), message.text);
}

} // namespace

int main(int argc, char *argv[])
{
    const CommandLine commandLine = HandleCommandLine(argc, argv);
    if (commandLine.status)
        return *commandLine.status;

    if (commandLine.record)
        RunRecorder(argv, commandLine.record->file);
    qtMessageHandler = qInstallMessageHandler(HandleMessage);
    ChoosePlatformDefaults();
    if (const QString problem = DisplayProblem(); !problem.isEmpty())
        Fail(problem);

    QApplication app(argc, argv);
    ReleaseDisplayProbe();
    ReleaseHeldMessages();
    QGuiApplication::setDesktopFileName(QStringLiteral(CLICKSHOW_APP_ID));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral(CLICKSHOW_APP_ID),
                                                 QIcon(QStringLiteral(":/clickshow/icon.png"))));

    show::BusyWaitPacer pacer;
    Form1 form(pacer);
    QObject::connect(&form, &Form1::drawingFailed, &form, [](const QString &message) { Fail(message); });
    QObject::connect(&form, &Form1::showFailed, &form, [&form](const QString &message) {
        if (DisplayConnectionLost())
            Fail(kDisplayLost); // no screen is left to show a message box on
        Report(message);
        QMessageBox::critical(&form, QStringLiteral("clickshow"), message);
        QCoreApplication::exit(1);
    });
    const auto destructionWatch = WatchForDestruction(
        &form, [] { Fail(QStringLiteral("the window was destroyed by another program")); });
    form.show();
    const int status = app.exec();
    // Qt's Wayland client can hang for good as it tears down its connection
    // (its event thread waits for a read that the GUI thread started and
    // never finishes). The window is closed and nothing is left to save or
    // free that the system does not take back: the program ends here.
    if (QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) {
        std::fflush(nullptr);
        std::_Exit(status);
    }
    return status;
}
