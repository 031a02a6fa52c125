// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#pragma once

// FFmpeg's objects, each freed by its own function when its handle goes.

#include <QString>

#include <memory>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libswscale/swscale.h>
}

namespace av {

struct FreeCodec
{
    void operator()(AVCodecContext *codec) const { avcodec_free_context(&codec); }
};
struct FreeFrame
{
    void operator()(AVFrame *frame) const { av_frame_free(&frame); }
};
struct FreePacket
{
    void operator()(AVPacket *packet) const { av_packet_free(&packet); }
};
struct FreeScaler
{
    void operator()(SwsContext *scaler) const { sws_freeContext(scaler); }
};
struct FreeDictionary
{
    void operator()(AVDictionary *dictionary) const { av_dict_free(&dictionary); }
};
// A file being written: closed, then freed.
struct FreeOutput
{
    void operator()(AVFormatContext *format) const
    {
        if (format->pb)
            avio_closep(&format->pb);
        avformat_free_context(format);
    }
};
// A file being read.
struct FreeInput
{
    void operator()(AVFormatContext *format) const { avformat_close_input(&format); }
};

using Codec = std::unique_ptr<AVCodecContext, FreeCodec>;
using Frame = std::unique_ptr<AVFrame, FreeFrame>;
using Packet = std::unique_ptr<AVPacket, FreePacket>;
using Scaler = std::unique_ptr<SwsContext, FreeScaler>;
using Output = std::unique_ptr<AVFormatContext, FreeOutput>;
using Input = std::unique_ptr<AVFormatContext, FreeInput>;

// Options as libav takes them; what is left after a call is what it did
// not take.
class Dictionary
{
public:
    // "name=value:name=value"
    explicit Dictionary(const char *list = "");
    AVDictionary **get() { return &entries_; }
    ~Dictionary() { av_dict_free(&entries_); }
    Dictionary(const Dictionary &) = delete;
    Dictionary &operator=(const Dictionary &) = delete;
    // The names left, "a, b", or empty.
    QString Names() const;

private:
    AVDictionary *entries_ = nullptr;
};

// From now on libav prints nothing: its last error line is kept for the
// program's own message instead.
void KeepLogQuiet();
// What a failed call with this code means, in libav's words: its error
// text, and the last error line it logged since the last Forget().
QString Failure(int code);
// A new operation begins: earlier lines are no part of its failure.
void Forget();

} // namespace av
