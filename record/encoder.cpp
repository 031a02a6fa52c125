// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#include "encoder.h"

#include "yuv420.h"

#include "show/palette.h"

#include <QElapsedTimer>
#include <QHash>
#include <QScopeGuard>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>

extern "C" {
#include <libavutil/cpu.h>
}

namespace {

struct Format
{
    const char *extension;
    const char *muxer;
    const char *codec;
    AVPixelFormat pixels;
    const char *codecOptions;
    const char *muxerOptions;
};

// .mkv is H.264's lossless RGB: exact frames, like FFV1's, but FFV1's
// encoder sets aside 148 bytes a pixel for every packet (1.2 GB at 4K)
// and codes every frame whole, where x264 codes only what changed.
// Lossy formats are tuned to stay above 40 dB against the lossless frames;
// H.264 spends a little more on colour, which a browser's conversion of
// saturated blue has no levels to spare for. VP9's realtime mode is as
// good here as its good mode (59.8 dB at 1080p) and twice as fast. What
// depends on the picture's size and the machine's cores is in Tune().
const Format kFormats[] = {
    {"mp4", "mp4", "libx264", AV_PIX_FMT_YUV420P, "preset=veryfast:crf=16:chromaoffset=-3", "movflags=+faststart"},
    {"webm", "webm", "libvpx-vp9", AV_PIX_FMT_YUV420P,
     "crf=20:b=0:deadline=realtime:cpu-used=5:row-mt=1:tile-columns=2:lag-in-frames=0", ""},
    {"mkv", "matroska", "libx264rgb", AV_PIX_FMT_BGR0, "preset=ultrafast:qp=0", ""},
    {"gif", "gif", "gif", AV_PIX_FMT_PAL8, "", "loop=0"},
    {"webp", "webp", "libwebp_anim", AV_PIX_FMT_BGRA, "lossless=1", "loop=0"},
    {"apng", "apng", "apng", AV_PIX_FMT_RGB24, "", "plays=0"},
    {"png", "apng", "apng", AV_PIX_FMT_RGB24, "", "plays=0"},
};

bool IsX264(const Format &format)
{
    return std::strncmp(format.codec, "libx264", 7) == 0;
}

// What x264 holds, in bytes a pixel: for each frame thread, a frame
// being coded and the one it refers to; for each frame of look-ahead,
// the frame and its half-size copies.
constexpr double kX264Thread = 7, kX264Lookahead = 4;

// A thread a core, as far as 384 MiB of them go: two at 8K.
int Threads(const Format &format, QSize size)
{
    const double pixels = double(size.width()) * size.height();
    const int cores = std::max(1, av_cpu_count());
    if (!IsX264(format))
        return std::min(cores, 16);
    return std::max(1, std::min(cores, 1 + int(384.0 * (1 << 20) / (kX264Thread * pixels))));
}

// As many frames as 80 MiB hold: from 2 (4K and more) to veryfast's 10
// (1080p and less).
int Lookahead(QSize size)
{
    const double pixels = double(size.width()) * size.height();
    return std::clamp(int(80.0 * (1 << 20) / (kX264Lookahead * pixels)), 2, 10);
}

// Options for this size on this machine, beyond the format's own. x264
// takes no B-frames, a quicker sub-pixel search and no 8x8 transform:
// 40 % less time for 8 % more bytes, and the look-ahead is no thread of
// its own. VP9 looks no frame ahead: each takes 14 MB at 4K.
void Tune(AVDictionary **options, const Format &format, QSize size)
{
    av_dict_set_int(options, "threads", Threads(format, size), 0);
    if (std::strcmp(format.codec, "libx264") == 0)
        av_dict_set(options, "x264-params",
                    ("bframes=0:subme=1:no-8x8dct=1:sync-lookahead=0:rc-lookahead=" + std::to_string(Lookahead(size)))
                        .c_str(),
                    0);
    else if (IsX264(format))
        av_dict_set(options, "x264-params", "sync-lookahead=0", 0);
}

const Format *Find(const QString &extension)
{
    const auto found = std::find_if(std::begin(kFormats), std::end(kFormats), [&](const Format &f) {
        return extension.compare(QLatin1String(f.extension), Qt::CaseInsensitive) == 0;
    });
    return found == std::end(kFormats) ? nullptr : found;
}

Status Failed(int code)
{
    return Status::Error(av::Failure(code).toStdString());
}

// The GIF palette: the show's four bright colours and 252 greys, which
// hold its backdrops, black, white, the usual button face and the
// captions' anti-aliased edges (black text on white).
struct GifPalette
{
    std::array<quint32, 256> colours{};
    QHash<QRgb, quint8> index;

    GifPalette()
    {
        int n = 0;
        for (const show::Rgb rgb : {show::kBlue, show::kGold, show::kRed, show::kGreen})
            colours[size_t(n++)] = quint32(qRgb(rgb.red, rgb.green, rgb.blue));
        for (int level = 0; level < 256; ++level) {
            if (level != 1 && level != 2 && level != 253 && level != 254)
                colours[size_t(n++)] = quint32(qRgb(level, level, level));
        }
    }

    quint8 Nearest(QRgb rgb)
    {
        rgb &= 0xffffffu;
        const auto known = index.constFind(rgb);
        if (known != index.cend())
            return known.value();
        int best = 0;
        long bestDistance = -1;
        for (int i = 0; i < 256; ++i) {
            const QRgb c = colours[size_t(i)];
            const long dr = qRed(c) - qRed(rgb), dg = qGreen(c) - qGreen(rgb), db = qBlue(c) - qBlue(rgb);
            const long distance = dr * dr + dg * dg + db * db;
            if (bestDistance < 0 || distance < bestDistance) {
                best = i;
                bestDistance = distance;
            }
        }
        index.insert(rgb, quint8(best));
        return quint8(best);
    }
};

GifPalette &ThePalette()
{
    static GifPalette palette;
    return palette;
}

} // namespace

QStringList Encoder::Extensions()
{
    QStringList extensions;
    for (const Format &format : kFormats)
        extensions.append(QLatin1Char('.') + QLatin1String(format.extension));
    return extensions;
}

int Encoder::FramesPerSecond(const QString &extension, int fps)
{
    if (extension.compare(QLatin1String("gif"), Qt::CaseInsensitive) != 0)
        return fps;
    // A GIF keeps each frame's time in whole hundredths of a second, and
    // browsers slow down frames shorter than two: the nearest rate that
    // gives every frame the same whole hundredths, the higher on a tie.
    int best = 50;
    for (const int rate : {50, 25, 20, 10, 5, 4, 2, 1}) {
        if (std::abs(rate - fps) < std::abs(best - fps))
            best = rate;
    }
    return best;
}

// Measured with FFmpeg 5.1 (x264 164, libvpx 1.12) from 1920 x 1080 to
// 7680 x 4320, in bytes a pixel. VP9 sets aside 48 of them for its
// tokens, whatever its options. Address space counts what x264 reserves
// and never touches, and its threads' stacks and heaps.
MemoryNeed Encoder::Needs(const QString &extension, QSize size)
{
    const Format *format = Find(extension);
    if (!format)
        return {};
    const double pixels = double(size.width()) * size.height();
    const double frame = format->pixels == AV_PIX_FMT_YUV420P ? 1.5
        : format->pixels == AV_PIX_FMT_PAL8                   ? 1
        : format->pixels == AV_PIX_FMT_RGB24                  ? 3
                                                              : 4;
    const int threads = Threads(*format, size);
    double held = 0, reserved = 0, fixed = 0, threadsFixed = 0; // bytes a pixel; bytes
    if (std::strcmp(format->codec, "libx264") == 0) {
        held = kX264Thread * threads + kX264Lookahead * Lookahead(size) + 9;
        reserved = 9;
        threadsFixed = 64 << 20;
    } else if (IsX264(*format)) {
        held = (kX264Thread - 1) * threads + 8; // 4:4:4 with no look-ahead
        reserved = 14;
        threadsFixed = 64 << 20;
    } else if (std::strcmp(format->codec, "libvpx-vp9") == 0) {
        held = 70;
        reserved = 4;
        fixed = 30 << 20;
    } else {
        held = format->pixels == AV_PIX_FMT_BGRA ? 34 : format->pixels == AV_PIX_FMT_RGB24 ? 18 : 5;
    }
    MemoryNeed need;
    need.resident = std::int64_t(pixels * (frame + held) + fixed);
    need.address = need.resident + std::int64_t(pixels * reserved + threadsFixed);
    return need;
}

Status Encoder::Open(const QString &path, const QString &extension, QSize size, int fps)
{
    av::KeepLogQuiet();
    av::Forget();

    const Format *found = Find(extension);
    if (!found)
        return Status::Error(QStringLiteral("unknown format \".%1\" (use %2)")
                                 .arg(extension, Extensions().join(QStringLiteral(", ")))
                                 .toStdString());
    const Format &format = *found;
    // yuv420p halves the colour both ways: even sides, and the colours
    // converted with the matrix its tags name.
    yuv_ = format.pixels == AV_PIX_FMT_YUV420P;
    size_ = size;
    encoded_ = yuv_ ? QSize(size.width() + size.width() % 2, size.height() + size.height() % 2) : size;
    palette_ = format.pixels == AV_PIX_FMT_PAL8;
    holds_ = yuv_;

    const AVCodec *codec = avcodec_find_encoder_by_name(format.codec);
    if (!codec)
        return Status::Error(std::string("this FFmpeg has no ") + format.codec + " encoder");
    const QByteArray file = path.toLocal8Bit();
    AVFormatContext *output = nullptr;
    int status = avformat_alloc_output_context2(&output, nullptr, format.muxer, file.constData());
    format_.reset(output);
    if (status < 0 || !format_)
        return Failed(status).Prefixed(std::string("this FFmpeg cannot write ") + format.muxer);
    stream_ = avformat_new_stream(format_.get(), nullptr);
    codec_.reset(avcodec_alloc_context3(codec));
    frame_.reset(av_frame_alloc());
    packet_.reset(av_packet_alloc());
    if (!stream_ || !codec_ || !frame_ || !packet_)
        return Status::Error("out of memory");
    codec_->width = encoded_.width();
    codec_->height = encoded_.height();
    codec_->pix_fmt = format.pixels;
    codec_->time_base = AVRational{1, fps};
    codec_->framerate = AVRational{fps, 1};
    stream_->time_base = codec_->time_base;
    stream_->avg_frame_rate = codec_->framerate;
    if (format_->oformat->flags & AVFMT_GLOBALHEADER)
        codec_->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    if (yuv_) {
        // A player left to guess takes BT.709 for a picture this large and
        // BT.601 for a small one; the tags leave it nothing to guess.
        codec_->color_primaries = AVCOL_PRI_BT709;
        codec_->color_trc = AVCOL_TRC_BT709;
        codec_->colorspace = AVCOL_SPC_BT709;
        codec_->color_range = AVCOL_RANGE_MPEG;
        codec_->chroma_sample_location = AVCHROMA_LOC_CENTER;
    }
    const std::string encoderName = std::string("the ") + format.codec + " encoder";
    av::Dictionary codecOptions(format.codecOptions);
    Tune(codecOptions.get(), format, encoded_);
    status = avcodec_open2(codec_.get(), codec, codecOptions.get());
    if (status < 0)
        return Failed(status).Prefixed(encoderName + " did not start");
    // A misspelt option would otherwise go unseen.
    if (const QString left = codecOptions.Names(); !left.isEmpty())
        return Status::Error(encoderName + " does not take " + left.toStdString());
    status = avcodec_parameters_from_context(stream_->codecpar, codec_.get());
    if (status < 0)
        return Failed(status);

    frame_->format = format.pixels;
    frame_->width = encoded_.width();
    frame_->height = encoded_.height();
    status = av_frame_get_buffer(frame_.get(), 0);
    if (status < 0)
        return Failed(status);

    status = avio_open(&format_->pb, file.constData(), AVIO_FLAG_WRITE);
    if (status < 0)
        return Failed(status);
    const std::string muxerName = std::string("the ") + format.muxer + " muxer";
    av::Dictionary muxerOptions(format.muxerOptions);
    status = avformat_write_header(format_.get(), muxerOptions.get());
    if (status < 0)
        return Failed(status).Prefixed(muxerName);
    if (const QString left = muxerOptions.Names(); !left.isEmpty())
        return Status::Error(muxerName + " does not take " + left.toStdString());
    opened_ = true;
    return Status::Ok();
}

Status Encoder::Convert(const FrameRows &frame, Rows rows)
{
    const int status = av_frame_make_writable(frame_.get());
    if (status < 0)
        return Failed(status);
    if (yuv_) {
        ToYuv420(frame, rows, encoded_, {{frame_->data[0], frame_->data[1], frame_->data[2]},
                                         {frame_->linesize[0], frame_->linesize[1], frame_->linesize[2]}});
        return Status::Ok();
    }
    // The other formats keep the picture's size and take its rows one by one.
    const int width = encoded_.width();
    GifPalette *palette = palette_ ? &ThePalette() : nullptr;
    if (palette)
        std::memcpy(frame_->data[1], palette->colours.data(), 1024);
    for (int y = std::max(0, rows.first); y < std::min(rows.end, encoded_.height()); ++y) {
        const QRgb *line = frame.row(y);
        uint8_t *to = frame_->data[0] + std::ptrdiff_t(y) * frame_->linesize[0];
        switch (codec_->pix_fmt) {
        case AV_PIX_FMT_PAL8:
            for (int x = 0; x < width; ++x)
                to[x] = palette->Nearest(line[x]);
            break;
        case AV_PIX_FMT_BGR0: // RGB32's own bytes
            std::memcpy(to, line, size_t(width) * 4);
            break;
        case AV_PIX_FMT_BGRA: // opaque: the X byte of RGB32 is not always 0xff
            for (int x = 0; x < width; ++x)
                reinterpret_cast<std::uint32_t *>(to)[x] = line[x] | 0xff000000u;
            break;
        default: // RGB24
            for (int x = 0; x < width; ++x) {
                to[3 * x] = uint8_t(qRed(line[x]));
                to[3 * x + 1] = uint8_t(qGreen(line[x]));
                to[3 * x + 2] = uint8_t(qBlue(line[x]));
            }
        }
    }
    return Status::Ok();
}

Status Encoder::Write(const FrameRows &frame, Rows changed)
{
    av::Forget();
    QElapsedTimer timer;
    timer.start();
    if (next_ == 0)
        changed = {0, encoded_.height()};
    if (!changed.empty()) {
        if (const Status converted = Convert(frame, changed); !converted.ok())
            return converted;
    }
    converting_ += timer.nsecsElapsed();
    const std::int64_t pts = next_++;
    if (changed.empty() && holds_)
        return Status::Ok(); // the frame before lasts longer
    return Send(pts);
}

Status Encoder::Send(std::int64_t pts)
{
    QElapsedTimer timer;
    timer.start();
    frame_->pts = pts;
    sent_ = pts;
    const int status = avcodec_send_frame(codec_.get(), frame_.get());
    const Status drained = status < 0 ? Failed(status) : Drain(false);
    encoding_ += timer.nsecsElapsed();
    return drained;
}

Status Encoder::WritePacket(AVPacket *packet)
{
    av_packet_rescale_ts(packet, codec_->time_base, stream_->time_base);
    packet->stream_index = stream_->index;
    const int status = av_interleaved_write_frame(format_.get(), packet);
    if (status < 0)
        return Failed(status);
    if (format_->pb->error < 0)
        return Failed(format_->pb->error);
    return Status::Ok();
}

Status Encoder::Drain(bool flushing)
{
    for (;;) {
        int status = avcodec_receive_packet(codec_.get(), packet_.get());
        if (status == AVERROR(EAGAIN) || (flushing && status == AVERROR_EOF))
            return Status::Ok();
        if (status < 0)
            return Failed(status);
        if (const Status written = WritePacket(packet_.get()); !written.ok())
            return written;
    }
}

Status Encoder::Finish()
{
    av::Forget();
    QElapsedTimer timer;
    timer.start();
    const auto counted = qScopeGuard([&] { encoding_ += timer.nsecsElapsed(); });
    if (!opened_)
        return Status::Error("nothing was opened");
    // The last frame says where the stream ends.
    if (sent_ != next_ - 1) {
        if (const Status sent = Send(next_ - 1); !sent.ok())
            return sent;
    }
    int status = avcodec_send_frame(codec_.get(), nullptr);
    if (status < 0)
        return Failed(status);
    if (const Status drained = Drain(true); !drained.ok())
        return drained;
    status = av_write_trailer(format_.get());
    if (status < 0)
        return Failed(status);
    avio_flush(format_->pb);
    if (format_->pb->error < 0)
        return Failed(format_->pb->error);
    status = avio_closep(&format_->pb);
    if (status < 0)
        return Failed(status);
    opened_ = false;
    return Status::Ok();
}
