// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#include "recorder.h"

#include "encoder.h"
#include "framepicture.h"
#include "outputfile.h"

#include "canvas/canvas.h"
#include "player/picture.h"
#include "player/timeline.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPalette>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <optional>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

namespace {

volatile std::sig_atomic_t interruptedBy = 0;

void OnSignal(int signal)
{
    interruptedBy = signal;
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

// The recorder's player: the shows on the timeline, each frame the
// picture as it stands at the frame's moment, handed to the encoder.
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
    Status Frame(const player::Change &change);

    double startedMs_ = -1; // to the first frame
    std::int64_t rendering_ = 0;

    const RecordOptions &options_;
    OutputFile output_;
    Encoder encoder_;
    int fps_ = 0;
    std::int64_t frames_ = 0;
    player::Picture picture_{QGuiApplication::palette().color(QPalette::Button).rgb()};
    std::optional<FramePicture> frame_; // once the canvas holds the picture
};

// Only what changed is painted and converted again.
Status Recording::Frame(const player::Change &change)
{
    if (interruptedBy)
        return Status::Error("interrupted");
    if (startedMs_ < 0)
        startedMs_ = MillisecondsSinceStart();
    QElapsedTimer timer;
    timer.start();
    const Rows changed = frame_->Update(change);
    rendering_ += timer.nsecsElapsed();
    return encoder_.Write(*frame_, changed);
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
        return Status::Error("standard output is not supported");
    if (target.isDir())
        return Status::Error("is a directory");
    const QString extension = target.suffix();
    if (!Encoder::Extensions().contains(QLatin1Char('.') + extension.toLower()))
        return Status::Error(QStringLiteral("unknown format \"%1\" (use %2)")
                                 .arg(extension.isEmpty() ? QStringLiteral("no extension") : QLatin1Char('.') + extension,
                                      Encoder::Extensions().join(QStringLiteral(", ")))
                                 .toStdString());
    // Before the file is touched: enough memory for the recording.
    const QSize pixels(canvas::Canvas::DevicePixels(options_.size.width(), options_.scale),
                       canvas::Canvas::DevicePixels(options_.size.height(), options_.scale));
    MemoryNeed need = Encoder::Needs(extension, pixels);
    const std::int64_t own = std::int64_t(4 * double(pixels.width()) * pixels.height()) + (16 << 20); // the canvas
    need.resident += own;
    need.address += own;
    if (Status room = CheckMemory(need, QStringLiteral("%1 x %2 frames of .%3")
                                            .arg(pixels.width())
                                            .arg(pixels.height())
                                            .arg(extension.toLower())
                                            .toStdString());
        !room.ok())
        return room;
    if (Status opened = output_.Open(options_.file); !opened.ok())
        return opened;

    canvas::Canvas &canvas = picture_.canvas();
    const QSize size = options_.size;
    if (!canvas.Hold({0, 0, size.width(), size.height()}, options_.scale))
        return Status::Error(QStringLiteral("out of memory for %1 x %2 frames")
                                 .arg(canvas::Canvas::DevicePixels(size.width(), options_.scale))
                                 .arg(canvas::Canvas::DevicePixels(size.height(), options_.scale))
                                 .toStdString());
    frame_.emplace(picture_, options_.scale);
    fps_ = Encoder::FramesPerSecond(extension, options_.fps);
    if (Status opened = encoder_.Open(output_.path(), extension.toLower(), frame_->size(), fps_); !opened.ok())
        return opened;

    // The first show tells how long each one is. Each show's final picture
    // stands for the hold before the next click, and the last one on at
    // least one frame.
    player::Timeline timeline(size.width(), size.height());
    if (Status played = timeline.Play(0); !played.ok())
        return played;
    const std::int64_t show = timeline.end(), hold = std::llround(options_.hold * 1e9);
    const std::int64_t lead = player::FramesBefore(player::kLeadInNanoseconds, fps_);
    const std::int64_t end = options_.shows * (show + hold);
    const std::int64_t total = lead + std::max(player::FramesBefore(end, fps_),
                                               player::FramesBefore(end - hold, fps_) + 1);
    Progress progress(!options_.quiet && isatty(STDERR_FILENO), total);
    int played = 1;
    player::Change change;
    change.filled = true; // the first frame is new
    for (std::int64_t frame = 0; frame < total; ++frame) {
        if (frame >= lead) {
            // Frame k after the click stands at k / fps seconds.
            const std::int64_t now = (frame - lead) * 1000000000 / fps_;
            for (; played < options_.shows && now >= played * (show + hold); ++played) {
                if (Status next = timeline.Play(played * (show + hold)); !next.ok())
                    return next;
            }
            change |= timeline.Advance(now, picture_);
        }
        if (Status written = Frame(change); !written.ok())
            return written;
        change = {};
        progress.Frame(frame + 1);
    }
    progress.End();
    frames_ = total;
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
