// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#include "commandline.h"
#include "windowplayer.h"

#include "player/limits.h"
#include "record/recordentry.h"
#include "screen/hostwindow.h"
#include "screen/screensaverplayer.h"
#include "window/platform.h"

#include <QAbstractNativeEventFilter>
#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QIcon>
#include <QMessageBox>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <utility>

#include <dlfcn.h>

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
    // Qt's note that it picked a runtime directory itself is no news to a
    // person who started the program: a normal start prints nothing.
    if (text.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR not set")))
        return;
    // Qt says this when it notices a dead X or Wayland connection between
    // shows, and exits right after.
    if (text.contains(QLatin1String("connection broke")))
        Fail(kDisplayLost);
    // The display went away between our check and Qt's own connection:
    // Qt would abort with a core dump.
    if (type == QtFatalMsg && !applicationStarted) {
        const Status display = CheckDisplay();
        Fail(display.ok() ? QStringLiteral("cannot start the Qt platform \"%1\"")
                                .arg(qEnvironmentVariable("QT_QPA_PLATFORM"))
                          : QString::fromStdString(display.message()));
    }
    if (!applicationStarted && type != QtFatalMsg) {
        heldMessages.append({type, text});
        return;
    }
    qtMessageHandler(type, context, text);
}

// The recorder, in the build tree next to the program, or installed in
// the program's library folder.
[[noreturn]] void RunRecorder(int argc, char *argv[], const RecordOptions &options)
{
    const QString here = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath().section(QLatin1Char('/'), 0, -2);
    QString why;
    for (const QString &recorder : {here + QStringLiteral("/clickshow-record.so"),
                                    here + QStringLiteral("/" CLICKSHOW_RECORDER_FROM_BINDIR)}) {
        void *module = dlopen(QFile::encodeName(recorder).constData(), RTLD_LAZY | RTLD_LOCAL);
        if (!module) {
            if (why.isEmpty() && QFileInfo::exists(recorder))
                why = QString::fromLocal8Bit(dlerror());
            continue;
        }
        if (const auto record = reinterpret_cast<RecordEntry>(dlsym(module, kRecordEntryName))) {
            const int status = record(argc, argv, &options);
            std::fflush(nullptr);
            std::_Exit(status);
        }
    }
    std::fprintf(stderr, "clickshow: cannot record \"%s\": %s\n", qPrintable(options.file),
                 qPrintable(why.isEmpty() ? QStringLiteral("the recorder, clickshow-record.so, is not installed")
                                          : why));
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
    if (commandLine.options.record)
        RunRecorder(argc, argv, commandLine.options.recording);

    const Options &options = commandLine.options;
    const bool screensaver = options.root || options.windowId;
    qtMessageHandler = qInstallMessageHandler(HandleMessage);
    if (screensaver) {
        // A hack draws on an X window it is handed: X it is, or nothing.
        if (qEnvironmentVariableIsEmpty("DISPLAY"))
            Fail(QStringLiteral("%1 draws on an X window, and no X display is set (DISPLAY is empty)")
                     .arg(QLatin1String(options.windowId ? "--window-id" : "--root")));
        qputenv("QT_QPA_PLATFORM", "xcb");
    }
    ChoosePlatformDefaults();
    if (const Status display = CheckDisplay(); !display.ok())
        Fail(QString::fromStdString(display.message()));

    QApplication app(argc, argv);
    ReleaseDisplayProbe();
    ReleaseHeldMessages();
    QGuiApplication::setDesktopFileName(QStringLiteral(CLICKSHOW_APP_ID));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral(CLICKSHOW_APP_ID),
                                                 QIcon(QStringLiteral(":/clickshow/icon.png"))));
    const auto destroyed = [] { Fail(QStringLiteral("the window was destroyed by another program")); };
    const auto drawingFailed = [](const QString &message) { Fail(message); };

    std::unique_ptr<ScreenSaverPlayer> saver;
    std::unique_ptr<WindowPlayer> player;
    std::unique_ptr<QAbstractNativeEventFilter> destructionWatch;
    if (screensaver) {
        unsigned long host = 0;
        if (const Status found = FindHostWindow(options.windowId, host); !found.ok())
            Fail(QString::fromStdString(found.message()));
        saver = std::make_unique<ScreenSaverPlayer>(host, options.loop >= 0 ? options.loop : player::kSaverFinaleSeconds,
                                                    [](const QString &message) {
                                                        Fail(DisplayConnectionLost() ? kDisplayLost : message);
                                                    });
        destructionWatch = WatchForDestruction(&saver->view(), destroyed);
        saver->Start();
    } else {
        player = std::make_unique<WindowPlayer>(options, [](QWidget &window, const QString &message) {
            if (DisplayConnectionLost())
                Fail(kDisplayLost); // no screen is left to show a message box on
            Report(message);
            QMessageBox::critical(&window, QStringLiteral("clickshow"), message);
            QCoreApplication::exit(1);
        });
        Form1 &form = player->window();
        QObject::connect(&form, &Form1::drawingFailed, &form, drawingFailed);
        destructionWatch = WatchForDestruction(&form, destroyed);
        player->Start();
    }
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
