// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#include "av.h"

#include <QStringList>

#include <mutex>
#include <utility>

extern "C" {
#include <libavutil/dict.h>
#include <libavutil/log.h>
}

namespace av {

namespace {

std::mutex logMutex;
QString lastLine; // the last error line libav logged, under logMutex

// Encoders log from threads of their own.
void KeepErrorLine(void *context, int level, const char *format, va_list arguments)
{
    if (level > AV_LOG_ERROR)
        return;
    char line[1024];
    int prefix = 0; // no "[name @ address]"; the name alone is said below
    av_log_format_line(context, level, format, arguments, line, sizeof line, &prefix);
    QString text = QString::fromLocal8Bit(line).trimmed();
    if (text.isEmpty())
        return;
    const AVClass *type = context ? *static_cast<AVClass **>(context) : nullptr;
    if (type && type->item_name)
        text = QString::fromUtf8(type->item_name(context)) + QStringLiteral(": ") + text;
    const std::lock_guard<std::mutex> lock(logMutex);
    lastLine = text;
}

} // namespace

Dictionary::Dictionary(const char *list)
{
    if (list && *list)
        av_dict_parse_string(&entries_, list, "=", ":", 0);
}

QString Dictionary::Names() const
{
    QStringList names;
    const AVDictionaryEntry *entry = nullptr;
    while ((entry = av_dict_get(entries_, "", entry, AV_DICT_IGNORE_SUFFIX)))
        names.append(QString::fromUtf8(entry->key));
    return names.join(QStringLiteral(", "));
}

void KeepLogQuiet()
{
    av_log_set_callback(KeepErrorLine);
}

QString Failure(int code)
{
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(code, text, sizeof text);
    QString failure = QString::fromLocal8Bit(text);
    const std::lock_guard<std::mutex> lock(logMutex);
    if (!lastLine.isEmpty())
        failure += QStringLiteral(" (%1)").arg(std::exchange(lastLine, QString()));
    return failure;
}

void Forget()
{
    const std::lock_guard<std::mutex> lock(logMutex);
    lastLine.clear();
}

} // namespace av
