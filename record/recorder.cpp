// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#include "recorder.h"

#include "encoder.h"
#include "framepacer.h"

#include "show/busywaitpacer.h"
#include "show/pacer.h"
#include "show/sequence.h"

#include <QApplication>
#include <QFileInfo>
#include <QImage>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// How long the window stands as it opens, before the click.
constexpr std::int64_t kLeadInNanoseconds = 500000000;

volatile std::sig_atomic_t interruptedBy = 0;

void OnSignal(int signal)
{
    interruptedBy = signal;
}

struct Interrupted
{
};

// The show's counts in all, played on a surface that does nothing: its
// length on the timeline.
std::int64_t ShowNanoseconds(QSize size)
{
    class Nothing : public show::Surface, public show::Pacer
    {
    public:
        explicit Nothing(QSize size) : size_(size) {}
        bool SetBackdrop(show::Colour) override { return true; }
        bool GetClientWidth(float &width) override { return (width = float(size_.width() * Form1::kTwipsPerPixel)), true; }
        bool GetClientHeight(float &height) override { return (height = float(size_.height() * Form1::kTwipsPerPixel)), true; }
        bool DrawCircleOutline(float, float, float, show::Colour) override { return true; }
        bool SetLabelVisible(show::Label, bool) override { return true; }
        bool SetLabelCaption(show::Label, const std::string &) override { return true; }
        void Wait(std::uint32_t counts) override { total += counts; }
        std::int64_t total = 0;

    private:
        QSize size_;
    } nothing(size);
    show::ClickShow show(nothing, nothing);
    try {
        show.PlayClickShow();
    } catch (const std::exception &) {
    }
    return nothing.total * show::BusyWaitPacer::kPerCount.count();
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
        std::fprintf(stderr, "\rclickshow: frame %lld of %lld (%d %%)", static_cast<long long>(done),
                     static_cast<long long>(total_), percent);
        std::fflush(stderr);
    }
    void End()
    {
        if (shown_ && percent_ >= 0)
            std::fputc('\n', stderr);
    }

private:
    bool shown_;
    std::int64_t total_;
    int percent_ = -1;
};

class Recording
{
public:
    explicit Recording(const RecordOptions &options) : options_(options) {}

    QString Run();
    QString temporary() const { return temporary_; }

private:
    QString Frame();

    const RecordOptions &options_;
    QString temporary_;
    Encoder encoder_;
    QImage picture_;
    quint64 drawn_ = ~quint64(0);
    Form1 *form_ = nullptr;
};

QString Recording::Frame()
{
    if (interruptedBy)
        throw Interrupted();
    const bool unchanged = form_->pictureGeneration() == drawn_;
    if (!unchanged) {
        picture_.fill(Qt::black);
        form_->render(&picture_);
        drawn_ = form_->pictureGeneration();
    }
    return encoder_.Write(picture_, unchanged);
}

QString Recording::Run()
{
    const QFileInfo target(options_.file);
    const QString extension = target.suffix();
    if (!Encoder::Extensions().contains(QLatin1Char('.') + extension.toLower()))
        return QStringLiteral("unknown format \"%1\" (use %2)")
            .arg(extension.isEmpty() ? QStringLiteral("no extension") : QLatin1Char('.') + extension,
                 Encoder::Extensions().join(QStringLiteral(", ")));

    // Beside the file, under a name of its own.
    QByteArray pattern = QFile::encodeName(target.absolutePath() + QStringLiteral("/.") + target.fileName()
                                           + QStringLiteral(".XXXXXX"));
    const int fd = mkstemp(pattern.data());
    if (fd < 0)
        return QString::fromLocal8Bit(std::strerror(errno));
    temporary_ = QFile::decodeName(pattern);
    const mode_t mask = umask(0);
    umask(mask);
    fchmod(fd, 0666 & ~mask);
    close(fd);

    const QSize pixels = options_.size * options_.scale;
    const int fps = Encoder::FramesPerSecond(extension, options_.fps);
    QString problem = encoder_.Open(temporary_, extension.toLower(), pixels, fps);
    if (!problem.isEmpty())
        return problem;
    picture_ = QImage(pixels, QImage::Format_RGB32);
    if (picture_.isNull())
        return QStringLiteral("out of memory for %1 x %2 frames").arg(pixels.width()).arg(pixels.height());
    picture_.setDevicePixelRatio(options_.scale);

    const std::int64_t lead = FramePacer::FramesBefore(kLeadInNanoseconds, fps);
    const std::int64_t end = options_.shows * ShowNanoseconds(options_.size);
    const std::int64_t total = lead
        + std::max(FramePacer::FramesBefore(end + std::llround(options_.hold * 1e9), fps),
                   FramePacer::FramesBefore(end, fps) + 1);
    Progress progress(!options_.quiet && isatty(STDERR_FILENO), total);
    std::int64_t done = 0;

    FramePacer pacer(fps, [&](std::int64_t) {
        const QString failed = Frame();
        if (!failed.isEmpty())
            throw failed;
        progress.Frame(++done);
    });
    Form1 form(pacer, nullptr, true);
    form_ = &form;
    QString drawingFailed;
    QObject::connect(&form, &Form1::drawingFailed, &form, [&](const QString &message) { drawingFailed = message; });
    QObject::connect(&form, &Form1::showFailed, &form, [&](const QString &message) { drawingFailed = message; });
    form.resize(options_.size);
    form.show();
    QApplication::processEvents();
    try {
        for (std::int64_t k = 0; k < lead; ++k) {
            problem = Frame();
            if (!problem.isEmpty())
                return problem;
            progress.Frame(++done);
        }
        for (int show = 0; show < options_.shows && drawingFailed.isEmpty(); ++show)
            form.PlayClickShow();
        if (!drawingFailed.isEmpty())
            return drawingFailed;
        pacer.Hold(options_.hold);
    } catch (const QString &failed) {
        progress.End();
        return failed;
    }
    progress.End();
    return encoder_.Finish();
}

} // namespace

int Record(const RecordOptions &options)
{
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);

    Recording recording(options);
    QString problem;
    try {
        problem = recording.Run();
    } catch (const Interrupted &) {
        problem = QStringLiteral("interrupted");
    }
    if (problem.isEmpty() && std::rename(QFile::encodeName(recording.temporary()).constData(),
                                         QFile::encodeName(options.file).constData()) != 0)
        problem = QString::fromLocal8Bit(std::strerror(errno));
    if (problem.isEmpty())
        return 0;
    if (!recording.temporary().isEmpty())
        std::remove(QFile::encodeName(recording.temporary()).constData());
    std::fprintf(stderr, "clickshow: cannot record \"%s\": %s\n", qPrintable(options.file), qPrintable(problem));
    std::fflush(stderr);
    if (interruptedBy) {
        // Ended by the signal, as the shell that sent it expects.
        const int signal = interruptedBy;
        std::signal(signal, SIG_DFL);
        std::raise(signal);
    }
    return 1;
}
