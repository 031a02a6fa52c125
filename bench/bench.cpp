// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

// make bench: what one outline, one show and one process cost, measured
// from outside: show times come from pixels read back from the display
// server, as a person would see them. Medians over several runs.
//
//   clickshow-bench [ROW...]   only the show rows whose names contain ROW
//   clickshow-bench record     only the recorder's rows
//   clickshow-bench outline    only the outline's cost

#include "driver/apprun.h"
#include "driver/picture.h"
#include "driver/processstat.h"
#include "driver/weston.h"
#include "driver/xdriver.h"
#include "driver/xserver.h"
#include "player/callsurface.h"
#include "player/timelinepacer.h"
#include "show/palette.h"
#include "show/sequence.h"
#include "window/platform.h"
#include "window/form1.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <QWindow>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <functional>
#include <thread>
#include <vector>

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <csignal>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <xcb/xcb.h>

namespace {

constexpr int kOutlines = 2000;
constexpr int kRuns = 9;
constexpr int kShows = 7;
constexpr double kNominalShowSeconds = 18514000 * 180e-9;
constexpr QRgb kGrey100 = ToQRgb(show::kGrey100);
constexpr QRgb kWhite = ToQRgb(show::kWhite);
// A point of the client area that the first outlines of act 1 and the
// final emblem and captions all leave alone.
constexpr QPoint kSample = Form1::kOpenSurface;

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Centres spread over the client area, in twips.
QPoint Centre(int i)
{
    return QPoint((i * 7919) % 7485, (i * 104729) % 5340);
}

void RoundTrip()
{
    auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t *connection = x11->connection();
    free(xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));
}

double FormOutlinesMicros(Form1 &form)
{
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < kOutlines; ++i) {
        const QPoint c = Centre(i);
        if (!form.DrawCircleOutline(float(c.x()), float(c.y()), 350.f, show::Compose(show::kBlue)))
            return -1;
    }
    RoundTrip();
    return double(timer.nsecsElapsed()) / 1000.0 / kOutlines;
}

// The least a program can do for the same picture: draw the arc into a
// pixmap, copy the dirty rectangle to the window, flush.
double XlibOutlinesMicros(Display *display, Window window, Pixmap pixmap, GC gc)
{
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < kOutlines; ++i) {
        const QPoint c = Centre(i) / 15;
        const int r = 350 / 15;
        XDrawArc(display, pixmap, gc, c.x() - r, c.y() - r, unsigned(2 * r), unsigned(2 * r), 0, 360 * 64);
        XCopyArea(display, pixmap, window, gc, c.x() - r - 1, c.y() - r - 1, unsigned(2 * r + 3),
                  unsigned(2 * r + 3), c.x() - r - 1, c.y() - r - 1);
        XFlush(display);
    }
    XSync(display, False);
    return double(timer.nsecsElapsed()) / 1000.0 / kOutlines;
}

struct ProcessCost
{
    double startMs;
    long rssKib;
    long idleTicks;
};

// Start of the real program to its first paint, its memory after a show,
// and the processor time it takes while it waits.
ProcessCost MeasureProcess(const QString &display, const QImage &empty)
{
    XDriver x(display);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), display);
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    QProcess process;
    process.setProcessEnvironment(env);
    QElapsedTimer timer;
    timer.start();
    process.start(QStringLiteral(CLICKSHOW_BINARY), {});
    process.waitForStarted();

    ProcessCost cost{-1, -1, -1};
    XWindow form = 0;
    while (timer.elapsed() < 10000 && cost.startMs < 0) {
        if (!form)
            form = x.FindWindow(QStringLiteral("Form1"));
        if (form && PixelsDiffering(x.Grab(form), empty) == 0)
            cost.startMs = double(timer.nsecsElapsed()) / 1e6;
        else
            QThread::usleep(500);
    }
    if (form) {
        // A real click through the server, then time for the show to end.
        x.Click(form, QPoint(20, 180));
        QThread::msleep(5000);
        cost.rssKib = processstat::StatusKib(process.processId(), "VmRSS");
        const long before = processstat::Ticks(process.processId());
        QThread::msleep(3000);
        cost.idleTicks = processstat::Ticks(process.processId()) - before;
    }
    process.kill();
    process.waitForFinished();
    return cost;
}


// Seconds from the first frame of the show (its grey 100) to the first
// white one, read from one pixel of the window, polled from outside.
double TimeShowFromPixels(XDriver &x, XWindow window, QPoint sample, const std::function<void()> &click)
{
    const QRect pixel(sample, QSize(1, 1));
    const auto wait = [&](QRgb colour, QElapsedTimer &timer) {
        while (timer.elapsed() < 60000) {
            const QImage image = x.Grab(window, pixel);
            if (!image.isNull() && image.pixel(0, 0) == colour)
                return true;
            QThread::usleep(200);
        }
        return false;
    };
    QElapsedTimer timer;
    timer.start();
    click();
    if (!wait(kGrey100, timer))
        return -1;
    const qint64 start = timer.nsecsElapsed();
    if (!wait(kWhite, timer))
        return -1;
    return double(timer.nsecsElapsed() - start) / 1e9;
}

// Another process keeps one core busy while it lives.
class BusyCore
{
public:
    BusyCore()
        : pid_(fork())
    {
        if (pid_ == 0) {
            DieWithParent();
            for (volatile unsigned long i = 0;; ++i) {
            }
        }
        if (pid_ < 0)
            std::fprintf(stderr, "bench: no busy core: fork failed\n");
    }
    ~BusyCore()
    {
        // Never kill(-1) or kill(0): a failed fork leaves -1 here.
        if (pid_ > 0) {
            ::kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
    }

private:
    pid_t pid_;
};

struct ShowRow
{
    QString name;
    double seconds = -1;
    long peakRssKib = -1;
    QString target;
    double targetPercent;
};

// kShows shows of the real program, clicked through the server.
ShowRow MeasureProgram(const QString &name, const QString &target, double targetPercent,
                       const QString &display, const Weston *weston, QSize size, const QImage &empty)
{
    ShowRow row{name, -1, -1, target, targetPercent};
    XDriver x(display);
    AppRun app(x, display, weston);
    if (!app.Start(empty)) {
        std::fprintf(stderr, "bench: %s: %s\n", qPrintable(name), qPrintable(app.problem()));
        return row;
    }
    if (size.isValid()) {
        x.Resize(app.window(), size.width(), size.height());
        QElapsedTimer timer;
        timer.start();
        while (x.Size(app.window()) != size && timer.elapsed() < 10000)
            QThread::msleep(20);
        QThread::msleep(500);
    }
    const QPoint sample = app.client().topLeft() + kSample;
    std::vector<double> seconds;
    for (int i = 0; i < kShows; ++i) {
        seconds.push_back(TimeShowFromPixels(x, app.window(), sample, [&] { app.Click(kSample); }));
        QThread::msleep(300); // the emblem and captions, and a breath
    }
    row.seconds = Median(seconds);
    row.peakRssKib = processstat::StatusKib(app.process().processId(), "VmHWM");
    return row;
}

// A display that takes 1 ms more for every outline: the program's own
// window, the show played on it through a surface that waits first.
class SlowDisplay : public player::CallSurface
{
public:
    explicit SlowDisplay(Form1 &form) : form_(form) {}

    bool Take(const player::Call &call) override
    {
        QElapsedTimer timer;
        timer.start();
        while (call.kind == player::Call::Kind::Circle && timer.nsecsElapsed() < 1000000) {
        }
        return form_.Take(call);
    }

protected:
    float ClientWidth() override
    {
        float width = 0;
        return form_.GetClientWidth(width), width;
    }
    float ClientHeight() override
    {
        float height = 0;
        return form_.GetClientHeight(height), height;
    }

private:
    Form1 &form_;
};

ShowRow MeasureSlowDisplay(const QString &display, Form1 &form)
{
    ShowRow row{QStringLiteral("a display that takes 1 ms more per outline"), -1, -1,
                QStringLiteral("<= 1 %"), 1};
    player::TimelinePacer pacer(player::TimelinePacer::Mode::Spin);
    SlowDisplay slow(form);
    show::ClickShow show(slow, pacer);
    std::vector<double> seconds;
    for (int i = 0; i < kShows; ++i) {
        // The show holds this thread, so the pixels are read from another.
        std::atomic<double> result{-1};
        std::atomic<bool> clicked{false};
        std::thread watcher([&] {
            XDriver x(display);
            result = TimeShowFromPixels(x, form.winId(), kSample, [&] { clicked = true; });
        });
        while (!clicked)
            QThread::usleep(100);
        QThread::msleep(50);
        show.PlayClickShow();
        watcher.join();
        seconds.push_back(result);
        QApplication::processEvents();
    }
    row.seconds = Median(seconds);
    return row;
}

// A command run to its end: wall time, peak RSS, and what it said on
// stderr, from wait4.
struct Measured
{
    double seconds = -1;
    long peakKib = -1;
    QByteArray errors;
    double failedAfter = -1; // seconds, when it ended with a failure
};

// `addressLimit`: bytes of address space the command may take (ulimit -v).
Measured RunMeasured(const QStringList &command, bool times = false, rlim_t addressLimit = RLIM_INFINITY)
{
    std::vector<QByteArray> words;
    for (const QString &word : command)
        words.push_back(word.toLocal8Bit());
    std::vector<char *> argv;
    for (QByteArray &word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);
    int errors[2] = {-1, -1};
    if (pipe(errors) != 0)
        return {};
    QElapsedTimer timer;
    timer.start();
    const pid_t pid = fork();
    if (pid == 0) {
        // Quiet, and with no display: a recording needs none.
        const int null = open("/dev/null", O_WRONLY);
        dup2(null, STDOUT_FILENO);
        dup2(errors[1], STDERR_FILENO);
        unsetenv("DISPLAY");
        if (times)
            setenv("CLICKSHOW_RECORD_TIMES", "1", 1);
        const rlimit limit{addressLimit, addressLimit};
        setrlimit(RLIMIT_AS, &limit);
        execvp(argv[0], argv.data());
        _exit(127);
    }
    close(errors[1]);
    Measured measured;
    char buffer[4096];
    for (ssize_t n; (n = read(errors[0], buffer, sizeof buffer)) > 0;)
        measured.errors.append(buffer, int(n));
    close(errors[0]);
    int status = 0;
    rusage usage{};
    if (pid > 0 && wait4(pid, &status, 0, &usage) == pid) {
        if (WIFEXITED(status) && WEXITSTATUS(status) == 0) {
            measured.seconds = double(timer.nsecsElapsed()) / 1e9;
            measured.peakKib = usage.ru_maxrss;
        } else {
            measured.failedAfter = double(timer.nsecsElapsed()) / 1e9;
        }
    }
    return measured;
}

// The recorder's own account of its median run: "start-up 54 ms, ...".
QString Breakdown(std::vector<Measured> runs)
{
    if (runs.empty())
        return {};
    std::sort(runs.begin(), runs.end(), [](const Measured &a, const Measured &b) { return a.seconds < b.seconds; });
    for (const QByteArray &line : runs[runs.size() / 2].errors.split('\n')) {
        if (line.startsWith("clickshow: start-up"))
            return QString::fromLocal8Bit(line.mid(11));
    }
    return {};
}

// Average PSNR of a recording against the lossless one of the same frames,
// in RGB, each frame as a player shows it at `fps`, without the column or
// row a video pads an odd size with; -1 if unknown.
double Psnr(const QString &file, const QString &lossless, int fps)
{
    QProcess probe;
    probe.start(QStringLiteral("ffprobe"), {QStringLiteral("-v"), QStringLiteral("error"), QStringLiteral("-show_entries"),
                                            QStringLiteral("stream=width,height"), QStringLiteral("-of"),
                                            QStringLiteral("csv=p=0"), lossless});
    if (!probe.waitForFinished(60000))
        return -1;
    const QList<QByteArray> size = probe.readAllStandardOutput().trimmed().split(',');
    if (size.size() != 2)
        return -1;
    QProcess ffmpeg;
    ffmpeg.start(QStringLiteral("ffmpeg"),
                 {QStringLiteral("-v"), QStringLiteral("info"), QStringLiteral("-i"), file, QStringLiteral("-i"), lossless,
                  QStringLiteral("-lavfi"),
                  QStringLiteral("[0:v]fps=%1,format=rgb24,crop=%2:%3:0:0[a];[1:v]format=rgb24[b];[a][b]psnr")
                      .arg(fps)
                      .arg(QString::fromLatin1(size[0]), QString::fromLatin1(size[1])),
                  QStringLiteral("-f"), QStringLiteral("null"), QStringLiteral("-")});
    if (!ffmpeg.waitForFinished(600000))
        return -1;
    const QByteArray log = ffmpeg.readAllStandardError();
    const int at = log.lastIndexOf("average:");
    if (at < 0)
        return -1;
    const QByteArray value = log.mid(at + 8).split(' ').value(0);
    return value == "inf" ? 999 : value.toDouble();
}

QString Mib(double kib)
{
    return kib > 0 ? QStringLiteral("%1 MiB").arg(kib / 1024, 0, 'f', 0) : QString();
}

QString Bytes(const QString &file)
{
    const qint64 size = QFileInfo(file).size();
    return size >= 1000000 ? QStringLiteral("%1 MB").arg(double(size) / 1e6, 0, 'f', 2)
                           : QStringLiteral("%1 kB").arg(double(size) / 1e3, 0, 'f', 0);
}

QString Decibels(double psnr)
{
    return psnr >= 999 ? QStringLiteral("exact") : psnr > 0 ? QStringLiteral("%1 dB").arg(psnr, 0, 'f', 2) : QString();
}

// The first line of what a failed run said, after the file's name.
QString FirstLine(const QByteArray &errors)
{
    const QString line = QString::fromLocal8Bit(errors.split('\n').value(0)).trimmed();
    const int named = line.indexOf(QLatin1String("\": "));
    return named < 0 ? line : line.mid(named + 3);
}

// The recorder against its targets, each row beside the build of the
// session's starting main given in CLICKSHOW_BENCH_MAIN (its clickshow),
// in runs that alternate: time, peak memory, bytes, and PSNR against the
// lossless recording; the 8K rows also under the address space of a small
// machine. Then against the ffmpeg tool on the same frames.
void MeasureRecording()
{
    const QString binary = QStringLiteral(CLICKSHOW_BINARY);
    const QString main = qEnvironmentVariable("CLICKSHOW_BENCH_MAIN");
    QTemporaryDir dir;
    const auto file = [&](const QString &name) { return dir.filePath(name); };
    const auto median = [](const std::vector<Measured> &runs, bool memory) {
        std::vector<double> values;
        for (const Measured &m : runs) {
            if (m.seconds > 0)
                values.push_back(memory ? double(m.peakKib) : m.seconds);
        }
        return values.empty() ? -1 : Median(values);
    };
    struct Row
    {
        QString name;
        QString file; // its name also says the format
        QStringList options;
        int fps;
        int runs;
        QString target;
        std::function<bool(double seconds, double mib, double ofMain, double mainMib)> met;
        bool small = false; // also under the address space of a small machine
    };
    struct Runs
    {
        std::vector<Measured> ours, theirs;
        Measured oursSmall, theirsSmall;
    };
    const QStringList hd{QStringLiteral("--size"), QStringLiteral("1920x1080")};
    const QStringList uhd{QStringLiteral("--size"), QStringLiteral("1920x1080"), QStringLiteral("--scale"),
                          QStringLiteral("2")};
    const QStringList uhd30 = uhd + QStringList{QStringLiteral("--fps"), QStringLiteral("30")};
    const QStringList fuhd30{QStringLiteral("--size"), QStringLiteral("7680x4320"), QStringLiteral("--fps"),
                             QStringLiteral("30")};
    const std::vector<Row> rows = {
        {QStringLiteral("design size, 60 fps, .mp4"), QStringLiteral("design.mp4"), {}, 60, 5, QStringLiteral("<= 0.5 s"),
         [](double s, double, double, double) { return s > 0 && s <= 0.5; }},
        {QStringLiteral("1920 x 1080, 60 fps, .webm (5.83 s of video)"), QStringLiteral("hd.webm"), hd, 60, 5,
         QStringLiteral("faster than real time"), [](double s, double, double, double) { return s > 0 && s < 5.83; }},
        {QStringLiteral("1920 x 1080, 60 fps, .mp4"), QStringLiteral("hd.mp4"), hd, 60, 5,
         QStringLiteral("no slower, no more memory than main"),
         [](double s, double mib, double ofMain, double mainMib) { return s > 0 && ofMain <= 1.0 && mib <= mainMib; }},
        {QStringLiteral("3840 x 2160 (scale 2), 30 fps, .mkv"), QStringLiteral("uhd30.mkv"), uhd30, 30, 3,
         QStringLiteral("no slower than main, <= 600 MiB"),
         [](double s, double mib, double ofMain, double) { return s > 0 && ofMain <= 1.0 && mib <= 600; }},
        {QStringLiteral("3840 x 2160 (scale 2), 60 fps, .mp4"), QStringLiteral("uhd.mp4"), uhd, 60, 3,
         QStringLiteral("faster than real time, <= 400 MiB"),
         [](double s, double mib, double, double) { return s > 0 && s < 5.83 && mib <= 400; }},
        {QStringLiteral("3840 x 2160 (scale 2), 60 fps, .webm"), QStringLiteral("uhd.webm"), uhd, 60, 3,
         QStringLiteral("no slower than main, <= 500 MiB"),
         [](double s, double mib, double ofMain, double) { return s > 0 && ofMain <= 1.0 && mib <= 500; }},
        {QStringLiteral("7680 x 4320, 30 fps, .mp4"), QStringLiteral("fuhd.mp4"), fuhd30, 30, 3,
         QStringLiteral("no slower than main, <= 1.5 GiB"),
         [](double s, double mib, double ofMain, double) { return s > 0 && ofMain <= 1.0 && mib <= 1536; }, true},
        {QStringLiteral("7680 x 4320, 30 fps, .webm"), QStringLiteral("fuhd.webm"), fuhd30, 30, 3,
         QStringLiteral("no slower than main, <= 1.5 GiB"),
         [](double s, double mib, double ofMain, double) { return s > 0 && ofMain <= 1.0 && mib <= 1536; }, true},
    };
    // 2.4 GB of address space, as a small machine's ulimit -v gives.
    constexpr rlim_t kSmallAddressSpace = 2400ul * 1000 * 1000;
    const auto command = [&](const QString &program, const QString &name, const QStringList &options) {
        return QStringList{program, QStringLiteral("--record"), file(name)} + options;
    };
    std::vector<Runs> runs(rows.size());
    for (size_t r = 0; r < rows.size(); ++r) {
        const Row &row = rows[r];
        for (int i = 0; i < row.runs; ++i) {
            runs[r].ours.push_back(RunMeasured(command(binary, row.file, row.options), true));
            if (!main.isEmpty())
                runs[r].theirs.push_back(RunMeasured(command(main, QStringLiteral("main-") + row.file, row.options)));
        }
        if (row.small) {
            runs[r].oursSmall = RunMeasured(command(binary, QStringLiteral("small-") + row.file, row.options), false,
                                            kSmallAddressSpace);
            if (!main.isEmpty())
                runs[r].theirsSmall = RunMeasured(command(main, QStringLiteral("small-main-") + row.file, row.options),
                                                  false, kSmallAddressSpace);
        }
    }

    // Each file against the lossless recording of the same frames.
    std::vector<double> psnr(rows.size(), -1), mainPsnr(rows.size(), -1);
    for (size_t r = 0; r < rows.size(); ++r) {
        const Row &row = rows[r];
        const QString lossless = row.file.endsWith(QLatin1String(".mkv"))
            ? row.file
            : QFileInfo(row.file).completeBaseName() + QStringLiteral("-lossless.mkv");
        if (!QFile::exists(file(lossless)))
            RunMeasured(command(binary, lossless, row.options));
        psnr[r] = Psnr(file(row.file), file(lossless), row.fps);
        if (!main.isEmpty())
            mainPsnr[r] = Psnr(file(QStringLiteral("main-") + row.file), file(lossless), row.fps);
    }

    // The same frames as raw video, for the ffmpeg tool to encode with the
    // recorder's settings, its own BT.709 conversion included.
    RunMeasured(QStringList{binary, QStringLiteral("--record"), file(QStringLiteral("hd.mkv"))} + hd);
    RunMeasured({QStringLiteral("ffmpeg"), QStringLiteral("-v"), QStringLiteral("error"), QStringLiteral("-i"),
                 file(QStringLiteral("hd.mkv")), QStringLiteral("-f"), QStringLiteral("rawvideo"),
                 QStringLiteral("-pix_fmt"), QStringLiteral("bgr0"), QStringLiteral("-y"), file(QStringLiteral("hd.raw"))});
    std::vector<Measured> ours, tool;
    for (int i = 0; i < 5; ++i) {
        ours.push_back(RunMeasured(QStringList{binary, QStringLiteral("--record"), file(QStringLiteral("hd.mp4"))} + hd));
        tool.push_back(RunMeasured(
            {QStringLiteral("ffmpeg"), QStringLiteral("-v"), QStringLiteral("error"), QStringLiteral("-f"),
             QStringLiteral("rawvideo"), QStringLiteral("-pix_fmt"), QStringLiteral("bgr0"), QStringLiteral("-s"),
             QStringLiteral("1920x1080"), QStringLiteral("-r"), QStringLiteral("60"), QStringLiteral("-i"),
             file(QStringLiteral("hd.raw")), QStringLiteral("-vf"),
             QStringLiteral("scale=out_color_matrix=bt709:out_range=tv,format=yuv420p"), QStringLiteral("-c:v"),
             QStringLiteral("libx264"), QStringLiteral("-preset"), QStringLiteral("veryfast"), QStringLiteral("-crf"),
             QStringLiteral("16"), QStringLiteral("-chromaoffset"), QStringLiteral("-3"),
             QStringLiteral("-colorspace"), QStringLiteral("bt709"), QStringLiteral("-color_primaries"),
             QStringLiteral("bt709"), QStringLiteral("-color_trc"), QStringLiteral("bt709"),
             QStringLiteral("-color_range"), QStringLiteral("tv"), QStringLiteral("-movflags"),
             QStringLiteral("+faststart"), QStringLiteral("-y"), file(QStringLiteral("hd-tool.mp4"))}));
    }
    QFile::remove(file(QStringLiteral("hd.raw")));

    std::vector<Measured> one, ten;
    for (int i = 0; i < 3; ++i) {
        one.push_back(RunMeasured({binary, QStringLiteral("--record"), file(QStringLiteral("one.mp4"))}));
        ten.push_back(RunMeasured({binary, QStringLiteral("--record"), file(QStringLiteral("ten.mp4")),
                                   QStringLiteral("--shows"), QStringLiteral("10")}));
    }

    std::printf("| recording | median | peak RSS | bytes | PSNR | main | main's peak RSS | main's bytes | main's PSNR "
                "| ratio to main | target | met |\n|---|---|---|---|---|---|---|---|---|---|---|---|\n");
    for (size_t r = 0; r < rows.size(); ++r) {
        const Row &row = rows[r];
        const double seconds = median(runs[r].ours, false), kib = median(runs[r].ours, true);
        const double theirs = median(runs[r].theirs, false), theirKib = median(runs[r].theirs, true);
        const double ofMain = theirs > 0 && seconds > 0 ? seconds / theirs : -1;
        const QString mainFile = file(QStringLiteral("main-") + row.file);
        std::printf("| %s | %s | %s | %s | %s | %s | %s | %s | %s | %s | %s | %s |\n", qPrintable(row.name),
                    seconds > 0 ? qPrintable(QStringLiteral("%1 s").arg(seconds, 0, 'f', 2)) : "failed",
                    qPrintable(Mib(kib)), qPrintable(Bytes(file(row.file))), qPrintable(Decibels(psnr[r])),
                    theirs > 0 ? qPrintable(QStringLiteral("%1 s").arg(theirs, 0, 'f', 2)) : "",
                    qPrintable(Mib(theirKib)), theirs > 0 ? qPrintable(Bytes(mainFile)) : "",
                    qPrintable(Decibels(mainPsnr[r])),
                    ofMain > 0 ? qPrintable(QString::number(ofMain, 'f', 2)) : "", qPrintable(row.target),
                    row.met(seconds, kib / 1024, ofMain, theirKib / 1024) ? "yes" : "no");
    }
    const double hdOurs = median(ours, false), hdTool = median(tool, false);
    const double rssRatio = median(ten, true) / median(one, true);
    std::printf("| the same 1920 x 1080 frames from raw video, ffmpeg tool | %.2f s | %s | %s | | | | | | "
                "ours %.2f s: ratio %.2f | <= 1.0 | %s |\n",
                hdTool, qPrintable(Mib(median(tool, true))), qPrintable(Bytes(file(QStringLiteral("hd-tool.mp4")))),
                hdOurs, hdOurs / hdTool, hdOurs / hdTool <= 1.0 ? "yes" : "no");
    std::printf("| peak RSS, --shows 10 against --shows 1, .mp4 | %.0f / %.0f MiB | | | | | | | | ratio %.2f | <= 1.2 | %s |\n\n",
                median(ten, true) / 1024, median(one, true) / 1024, rssRatio, rssRatio <= 1.2 ? "yes" : "no");

    const auto small = [&](const Measured &m) {
        if (m.seconds > 0)
            return QStringLiteral("done, %1 s, %2").arg(m.seconds, 0, 'f', 1).arg(Mib(double(m.peakKib)));
        if (m.failedAfter >= 0)
            return QStringLiteral("failed after %1 s: %2").arg(m.failedAfter, 0, 'f', 1).arg(FirstLine(m.errors));
        return QString();
    };
    std::printf("| under ulimit -v 2.4 GB | ours | main |\n|---|---|---|\n");
    for (size_t r = 0; r < rows.size(); ++r) {
        if (rows[r].small)
            std::printf("| %s | %s | %s |\n", qPrintable(rows[r].name), qPrintable(small(runs[r].oursSmall)),
                        qPrintable(small(runs[r].theirsSmall)));
    }
    std::printf("\n| where the time goes | start-up (to the first frame), rendering, conversion, encoding |\n|---|---|\n");
    for (size_t r = 0; r < rows.size(); ++r)
        std::printf("| %s | %s |\n", qPrintable(rows[r].name), qPrintable(Breakdown(runs[r].ours)));
    std::printf("\n");
}

bool Wanted(const QString &name, const QStringList &filters)
{
    if (filters.isEmpty())
        return true;
    return std::any_of(filters.cbegin(), filters.cend(),
                       [&](const QString &f) { return name.contains(f, Qt::CaseInsensitive); });
}

} // namespace

int main(int argc, char *argv[])
{
    XInitThreads();
    // clickshow-bench record: the recorder alone, which needs no display.
    if (argc > 1 && QByteArray(argv[1]) == "record") {
        QCoreApplication app(argc, argv);
        MeasureRecording();
        return 0;
    }
    XServer server(QStringLiteral("1280x1024x24"));
    XServer large(QStringLiteral("8192x8192x24"));
    if (!server.isRunning() || !large.isRunning()) {
        std::fprintf(stderr, "bench: could not start Xvfb\n");
        return 1;
    }
    qputenv("DISPLAY", server.display().toLocal8Bit());
    qunsetenv("QT_QPA_PLATFORM");
    ChoosePlatformDefaults(); // as the program itself does
    QApplication app(argc, argv);
    const QStringList filters = QCoreApplication::arguments().mid(1);

    Form1 form;
    form.show();
    while (!form.windowHandle() || !form.windowHandle()->isExposed())
        QApplication::processEvents(QEventLoop::AllEvents, 50);
    QApplication::processEvents();
    // The window as it opens, before anything is drawn.
    const QImage empty = form.grab().toImage().convertToFormat(QImage::Format_RGB32);

    // (a) One outline, against the least a program can do for the same
    // picture. Runs alternate so that both see the same machine.
    Display *display = XOpenDisplay(server.display().toLocal8Bit().constData());
    const int screen = DefaultScreen(display);
    const Window window = XCreateSimpleWindow(display, DefaultRootWindow(display), 520, 0, 499, 356,
                                              0, 0, WhitePixel(display, screen));
    XMapWindow(display, window);
    const Pixmap pixmap = XCreatePixmap(display, window, 499, 356, unsigned(DefaultDepth(display, screen)));
    const GC gc = XCreateGC(display, pixmap, 0, nullptr);
    XSetForeground(display, gc, 0x0000ff);
    XSync(display, False);
    std::vector<double> formMicros, xlibMicros;
    const bool outlineOnly = filters == QStringList{QStringLiteral("outline")};
    if (filters.isEmpty() || outlineOnly) {
        for (int run = 0; run < kRuns; ++run) {
            formMicros.push_back(FormOutlinesMicros(form));
            xlibMicros.push_back(XlibOutlinesMicros(display, window, pixmap, gc));
        }
    }
    XUnmapWindow(display, window);
    XSync(display, False);
    if (outlineOnly) {
        std::printf("| DrawCircleOutline on Form1 | %.1f us | raw Xlib | %.1f us | ratio %.2f |\n", Median(formMicros),
                    Median(xlibMicros), Median(formMicros) / Median(xlibMicros));
        return 0;
    }

    // (b) Whole shows, timed from pixels.
    std::vector<ShowRow> rows;
    const auto program = [&](const QString &name, const QString &target, double percent,
                             const QString &on, const Weston *weston, QSize size = {}) {
        if (Wanted(name, filters))
            rows.push_back(MeasureProgram(name, target, percent, on, weston, size, empty));
    };
    form.hide();
    QApplication::processEvents();
    // The rows without a target decide whether native Wayland may be the
    // default platform.
    program(QStringLiteral("Xvfb, design size"), QStringLiteral("<= 0.5 %"), 0.5, server.display(), nullptr);
    {
        BusyCore busy;
        program(QStringLiteral("Xvfb, design size, one core busy"), QStringLiteral("<= 1 %"), 1,
                server.display(), nullptr);
        BusyCore busier;
        program(QStringLiteral("Xvfb, design size, both cores busy"), QString(), -1, server.display(), nullptr);
    }
    {
        Weston weston(server.display());
        program(QStringLiteral("weston, native Wayland, design size"), QStringLiteral("<= 1 %"), 1,
                server.display(), &weston);
        BusyCore busy;
        program(QStringLiteral("weston, native Wayland, design size, one core busy"), QString(), -1,
                server.display(), &weston);
        BusyCore busier;
        program(QStringLiteral("weston, native Wayland, design size, both cores busy"), QString(), -1,
                server.display(), &weston);
    }
    if (Wanted(QStringLiteral("a display that takes 1 ms more per outline"), filters)) {
        form.show();
        while (!form.windowHandle()->isExposed())
            QApplication::processEvents(QEventLoop::AllEvents, 50);
        rows.push_back(MeasureSlowDisplay(server.display(), form));
        form.hide();
        QApplication::processEvents();
    }
    program(QStringLiteral("Xvfb, 3840 x 2160 window"), QStringLiteral("<= 2 %"), 2, large.display(),
            nullptr, QSize(3840, 2160));
    program(QStringLiteral("Xvfb, 7680 x 4320 window"), QStringLiteral("<= 2 %"), 2, large.display(),
            nullptr, QSize(7680, 4320));
    program(QStringLiteral("Xvfb, 20000 x 20000 window on an 8192 x 8192 screen"),
            QStringLiteral("<= 5 %, < 1 GB"), 5, large.display(), nullptr, QSize(20000, 20000));

    // (c) The real program, started afresh each time, alone on the screen.
    std::vector<double> startMs, rss, idle;
    for (int run = 0; filters.isEmpty() && run < 3; ++run) {
        const ProcessCost cost = MeasureProcess(server.display(), empty);
        startMs.push_back(cost.startMs);
        rss.push_back(double(cost.rssKib));
        idle.push_back(double(cost.idleTicks));
    }

    if (!formMicros.empty()) {
        const double form_us = Median(formMicros), xlib_us = Median(xlibMicros);
        std::printf("| one outline | median |\n|---|---|\n");
        std::printf("| DrawCircleOutline on Form1 | %.1f us |\n", form_us);
        std::printf("| the same outline, raw Xlib reference | %.1f us |\n", xlib_us);
        std::printf("| ratio Form1 / Xlib | %.2f |\n\n", form_us / xlib_us);
    }
    std::printf("| show, from the first grey 100 to the first white pixel | median | over %.5f s | peak RSS | target | met |\n",
                kNominalShowSeconds);
    std::printf("|---|---|---|---|---|---|\n");
    for (const ShowRow &row : rows) {
        const double over = 100.0 * (row.seconds - kNominalShowSeconds) / kNominalShowSeconds;
        QString rssText = row.peakRssKib < 0 ? QStringLiteral("") : QStringLiteral("%1 MiB").arg(row.peakRssKib / 1024.0, 0, 'f', 0);
        const bool memoryOk = !row.target.contains(QLatin1String("GB")) || (row.peakRssKib >= 0 && row.peakRssKib < 1024 * 1024);
        const char *met = row.targetPercent < 0 ? ""
            : row.seconds > 0 && over <= row.targetPercent && memoryOk ? "yes" : "no";
        std::printf("| %s | %.3f s | %.2f %% | %s | %s | %s |\n", qPrintable(row.name), row.seconds, over,
                    qPrintable(rssText), qPrintable(row.target), met);
    }
    if (filters.isEmpty())
        MeasureRecording();
    if (!startMs.empty()) {
        std::printf("\n| process | median |\n|---|---|\n");
        std::printf("| start to first paint | %.0f ms |\n", Median(startMs));
        std::printf("| RSS after a show | %.1f MiB |\n", Median(rss) / 1024.0);
        std::printf("| CPU while idle, 3 s | %.0f ticks |\n", Median(idle));
    }
    std::printf("(%d shows a row; %d outline runs of %d, alternating; 3 starts)\n", kShows, kRuns, kOutlines);

    XFreeGC(display, gc);
    XFreePixmap(display, pixmap);
    XCloseDisplay(display);
    return 0;
}
