// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#pragma once

#include <QImage>
#include <QSize>
#include <QString>
#include <QStringList>

#include <cstdint>

struct AVCodecContext;
struct AVFormatContext;
struct AVFrame;
struct AVPacket;
struct AVStream;
struct SwsContext;

// Frames into a video or animated picture file through FFmpeg's libraries,
// one at a time, none kept. The format comes from the file's extension:
//   .mp4  H.264, yuv420p          .webm  VP9, yuv420p
//   .mkv  FFV1, lossless RGB      .gif   a fixed palette holding the show's colours
//   .webp animated, lossless      .apng, .png  animated PNG, lossless
// H.264 and VP9 in yuv420p want even sizes: an odd width or height gets one
// more column or row, a copy of the last one.
class Encoder
{
public:
    Encoder() = default;
    ~Encoder();
    Encoder(const Encoder &) = delete;
    Encoder &operator=(const Encoder &) = delete;

    static QStringList Extensions();
    // The frame rate a format records at when asked for `fps`: the same,
    // but for GIF, whose frames last whole hundredths of a second.
    static int FramesPerSecond(const QString &extension, int fps);

    // Opens `path` for frames of `size` pixels at `fps`, in the format of
    // `extension`. Every method gives an empty string, or what went wrong.
    QString Open(const QString &path, const QString &extension, QSize size, int fps);
    // The next frame: 32-bit RGB, of the size given to Open(). `unchanged`:
    // the same picture as the frame before.
    QString Write(const QImage &frame, bool unchanged);
    // Drains the encoder and closes the file.
    QString Finish();

    // The size in the file: padded to even where the format wants it.
    QSize encodedSize() const { return encoded_; }

private:
    QString Convert(const QImage &frame);
    QString Drain(bool flushing);
    void Close();

    AVFormatContext *format_ = nullptr;
    AVCodecContext *codec_ = nullptr;
    AVStream *stream_ = nullptr;
    AVFrame *frame_ = nullptr;
    AVPacket *packet_ = nullptr;
    SwsContext *scaler_ = nullptr;
    QSize size_;
    QSize encoded_;
    bool palette_ = false;
    bool opened_ = false;
    std::int64_t next_ = 0;
};
