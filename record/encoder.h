// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#pragma once

#include "av.h"
#include "framerows.h"
#include "memoryroom.h"

#include "base/status.h"

#include <QSize>
#include <QString>
#include <QStringList>

#include <cstdint>

// Frames into a video or animated picture file through FFmpeg's libraries,
// one at a time, none kept. The format comes from the file's extension:
//   .mp4  H.264, yuv420p          .webm  VP9, yuv420p
//   .mkv  H.264, lossless RGB     .gif   a fixed palette holding the show's colours
//   .webp animated, lossless      .apng, .png  animated PNG, lossless
// H.264 and VP9 in yuv420p want even sizes: an odd width or height gets one
// more column or row, a copy of the last one. Their colours are BT.709,
// limited range, and tagged so. In them a frame that repeats the last is
// no frame of its own but the last one lasting longer: an encoder takes
// as long over a frame that repeats as over any other (37 ms at 4K).
// Their timestamps keep the frame rate's steps, which is the rate a
// player reads; the last frame always closes the stream.
class Encoder
{
public:
    Encoder() = default;
    Encoder(const Encoder &) = delete;
    Encoder &operator=(const Encoder &) = delete;

    static QStringList Extensions();
    // The frame rate a format records at when asked for `fps`: the same,
    // but for GIF, whose frames last whole hundredths of a second.
    static int FramesPerSecond(const QString &extension, int fps);

    // What recording frames of `size` pixels in the format of `extension`
    // takes: the encoder's own frame, and what the encoder holds.
    static MemoryNeed Needs(const QString &extension, QSize size);

    // Opens `path` for frames of `size` pixels at `fps`, in the format of
    // `extension`.
    Status Open(const QString &path, const QString &extension, QSize size, int fps);
    // The next frame, of the size given to Open(), of which only the rows
    // `changed` differ from the frame before. A frame in which nothing
    // changed is not converted again.
    Status Write(const FrameRows &frame, Rows changed);
    // Drains the encoder and closes the file.
    Status Finish();

    // The size in the file: padded to even where the format wants it.
    QSize encodedSize() const { return encoded_; }
    // Time spent so far turning pictures into the codec's pixels, and
    // encoding and writing them.
    std::int64_t convertingNanoseconds() const { return converting_; }
    std::int64_t encodingNanoseconds() const { return encoding_; }

private:
    Status Convert(const FrameRows &frame, Rows rows);
    Status Send(std::int64_t pts);
    Status Drain(bool flushing);
    Status WritePacket(AVPacket *packet);

    av::Output format_;
    av::Codec codec_;
    AVStream *stream_ = nullptr; // the format's
    av::Frame frame_;
    av::Packet packet_;
    QSize size_;
    QSize encoded_;
    bool palette_ = false;
    bool yuv_ = false;
    bool opened_ = false;
    bool holds_ = false;
    std::int64_t next_ = 0;
    std::int64_t sent_ = -1;
    std::int64_t converting_ = 0;
    std::int64_t encoding_ = 0;

};
