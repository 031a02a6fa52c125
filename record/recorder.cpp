// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#include "recorder.h"

#include "encoder.h"
#include "framepacer.h"
#include "outputfile.h"

#include "show/busywaitpacer.h"
#include "show/countingpacer.h"
#include "show/sequence.h"
#include "show/showerror.h"
#include "window/form1.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QImage>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

namespace {

// How long the window stands as it opens, before the click.
constexpr std::int64_t kLeadInNanoseconds = 500000000;

volatile std::sig_atomic_t interruptedBy = 0;

void OnSignal(int signal)
{
    interruptedBy = signal;
}

// The show's length on the timeline: its counts in all, played on a
// surface of that size that draws nothing.
std::int64_t ShowNanoseconds(QSize size)
{
    class Blank : public show::Surface
    {
    public:
        explicit Blank(QSize size) : size_(size) {}
        bool SetBackdrop(show::Colour) override { return true; }
        bool GetClientWidth(float &width) override { return (width = float(size_.width() * show::kTwipsPerPixel)), true; }
        bool GetClientHeight(float &height) override { return (height = float(size_.height() * show::kTwipsPerPixel)), true; }
        bool DrawCircleOutline(float, float, float, show::Colour) override { return true; }
        bool SetLabelVisible(show::Label, bool) override { return true; }
        bool SetLabelCaption(show::Label, const std::string &) override { return true; }

    private:
        QSize size_;
    } blank(size);
    show::CountingPacer pacer;
    show::ClickShow show(blank, pacer);
    try {
        show.PlayClickShow();
    } catch (const show::ShowError &) {
    }
    return std::int64_t(pacer.counts()) * show::BusyWaitPacer::kPerCount.count();
}

// One line on a terminal, rewritten in place.
class Progress
{
public:
    Progress(bool shown, std::int64_t total) : shown_(shown), total_(std::max<std::int64_t>(total, 1)) {}
    void Frame(std::int64_t done)
    {
        const int percent = int(done * 100 / total_);
        if (!shown_ || percent == percent_)
            return;
        percent_ = percent;
        width_ = std::fprintf(stderr, "\rclickshow: frame %lld of %lld (%d %%)", static_cast<long long>(done),
                              static_cast<long long>(total_), percent);
        std::fflush(stderr);
    }
    // Makes way for the line that says how it went.
    void End()
    {
        if (shown_ && percent_ >= 0)
            std::fprintf(stderr, "\r%*s\r", width_, "");
    }

private:
    bool shown_;
    std::int64_t total_;
    int percent_ = -1;
    int width_ = 0;
};

// Milliseconds since the process started (to its clock tick).
double MillisecondsSinceStart()
{
    QFile stat(QStringLiteral("/proc/self/stat"));
    timespec now{};
    if (!stat.open(QIODevice::ReadOnly) || clock_gettime(CLOCK_BOOTTIME, &now) != 0)
        return -1;
    const QByteArray line = stat.readAll();
    const qint64 ticks = line.mid(line.lastIndexOf(')') + 2).split(' ').value(19).toLongLong();
    return (now.tv_sec + now.tv_nsec / 1e9 - double(ticks) / double(sysconf(_SC_CLK_TCK))) * 1e3;
}

// The recorder's player: the show on the window, drawn off screen, paced
// by a virtual clock that hands every frame to the encoder.
class Recording
{
public:
    explicit Recording(const RecordOptions &options) : options_(options) {}

    // Records into the output, not yet under FILE's name.
    Status Run();
    // Gives it FILE's name, and says what was written.
    Status Commit();
    // Where the time went, for the bench: CLICKSHOW_RECORD_TIMES=1.
    void TellTimes() const;

private:
    Status Frame();

    double startedMs_ = -1;  // to the first frame
    std::int64_t rendering_ = 0;

    const RecordOptions &options_;
    OutputFile output_;
    Encoder encoder_;
    int fps_ = 0;
    std::int64_t frames_ = 0;
    QImage picture_;
    quint64 drawn_ = ~quint64(0);
    Form1 *form_ = nullptr;
};

Status Recording::Frame()
{
    if (interruptedBy)
        return Status::Error(QStringLiteral("interrupted"));
    if (startedMs_ < 0)
        startedMs_ = MillisecondsSinceStart();
    const bool unchanged = form_->pictureGeneration() == drawn_;
    if (!unchanged) {
        QElapsedTimer timer;
        timer.start();
        picture_.fill(Qt::black);
        form_->render(&picture_);
        drawn_ = form_->pictureGeneration();
        rendering_ += timer.nsecsElapsed();
    }
    return encoder_.Write(picture_, unchanged);
}

void Recording::TellTimes() const
{
    std::fprintf(stderr,
                 "clickshow: start-up %.0f ms, rendering %.0f ms, conversion %.0f ms, encoding %.0f ms, "
                 "in all %.0f ms\n",
                 startedMs_, rendering_ / 1e6, encoder_.convertingNanoseconds() / 1e6,
                 encoder_.encodingNanoseconds() / 1e6, MillisecondsSinceStart());
}

Status Recording::Run()
{
    const QFileInfo target(options_.file);
    if (options_.file == QLatin1String("-"))
        return Status::Error(QStringLiteral("standard output is not supported"));
    if (target.isDir())
        return Status::Error(QStringLiteral("is a directory"));
    const QString extension = target.suffix();
    if (!Encoder::Extensions().contains(QLatin1Char('.') + extension.toLower()))
        return Status::Error(QStringLiteral("unknown format \"%1\" (use %2)")
                                 .arg(extension.isEmpty() ? QStringLiteral("no extension") : QLatin1Char('.') + extension,
                                      Encoder::Extensions().join(QStringLiteral(", "))));
    if (Status opened = output_.Open(options_.file); !opened.ok())
        return opened;

    const QSize pixels = options_.size * options_.scale;
    fps_ = Encoder::FramesPerSecond(extension, options_.fps);
    if (Status opened = encoder_.Open(output_.path(), extension.toLower(), pixels, fps_); !opened.ok())
        return opened;
    picture_ = QImage(pixels, QImage::Format_RGB32);
    if (picture_.isNull())
        return Status::Error(QStringLiteral("out of memory for %1 x %2 frames").arg(pixels.width()).arg(pixels.height()));
    picture_.setDevicePixelRatio(options_.scale);

    // Each show's final picture stands for the hold before the next click.
    const std::int64_t lead = FramePacer::FramesBefore(kLeadInNanoseconds, fps_);
    const std::int64_t show = ShowNanoseconds(options_.size), hold = std::llround(options_.hold * 1e9);
    const std::int64_t end = options_.shows * (show + hold);
    const std::int64_t total = lead + std::max(FramePacer::FramesBefore(end, fps_),
                                               FramePacer::FramesBefore(end - hold, fps_) + 1);
    Progress progress(!options_.quiet && isatty(STDERR_FILENO), total);
    std::int64_t done = 0;

    FramePacer pacer(fps_, [&](std::int64_t) {
        const Status written = Frame();
        progress.Frame(++done);
        return written;
    });
    Form1 form(nullptr, true);
    show::ClickShow played(form, pacer);
    form_ = &form;
    Status drawing;
    QObject::connect(&form, &Form1::drawingFailed, &form,
                     [&](const QString &message) { drawing = Status::Error(message); });
    form.resize(options_.size);
    form.show();
    QApplication::processEvents();
    for (std::int64_t k = 0; k < lead; ++k) {
        if (Status written = Frame(); !written.ok())
            return written;
        progress.Frame(++done);
    }
    for (int shows = 0; shows < options_.shows && drawing.ok() && pacer.status().ok(); ++shows) {
        try {
            played.PlayClickShow();
        } catch (const show::ShowError &error) {
            drawing = Status::Error(QString::fromUtf8(error.what()));
        }
        if (drawing.ok())
            pacer.Hold(options_.hold, shows == options_.shows - 1);
    }
    progress.End();
    frames_ = done;
    if (!drawing.ok())
        return drawing;
    if (!pacer.status().ok())
        return pacer.status();
    return encoder_.Finish();
}

Status Recording::Commit()
{
    if (Status committed = output_.Commit(); !committed.ok())
        return committed;
    if (!options_.quiet && isatty(STDERR_FILENO)) {
        // What the format changed of what was asked, then what was written.
        const QSize pixels = options_.size * options_.scale;
        const QString extension = QFileInfo(options_.file).suffix().toLower();
        if (fps_ != options_.fps)
            std::fprintf(stderr,
                         "clickshow: a GIF's frames last whole hundredths of a second: %d frames a second, not %d\n",
                         fps_, options_.fps);
        if (encoder_.encodedSize() != pixels)
            std::fprintf(stderr, "clickshow: %s wants even sides: %d x %d pixels are recorded as %d x %d\n",
                         extension == QLatin1String("mp4") ? "H.264" : "VP9", pixels.width(), pixels.height(),
                         encoder_.encodedSize().width(), encoder_.encodedSize().height());
        const QSize size = encoder_.encodedSize();
        const double megabytes = double(output_.size()) / 1e6;
        std::fprintf(stderr, "clickshow: %s: %d x %d pixels, %lld frames at %d fps, %.2f s, %s\n",
                     qPrintable(options_.file), size.width(), size.height(), static_cast<long long>(frames_), fps_,
                     double(frames_) / fps_,
                     qPrintable(megabytes >= 1 ? QStringLiteral("%1 MB").arg(megabytes, 0, 'f', 1)
                                               : QStringLiteral("%1 kB").arg(megabytes * 1e3, 0, 'f', 0)));
    }
    return Status::Ok();
}

} // namespace

Status Record(const RecordOptions &options)
{
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);

    Recording recording(options);
    Status status = recording.Run();
    if (qEnvironmentVariableIsSet("CLICKSHOW_RECORD_TIMES"))
        recording.TellTimes();
    return status.ok() ? recording.Commit() : status;
}

int RecordingInterruptedBy()
{
    return interruptedBy;
}
