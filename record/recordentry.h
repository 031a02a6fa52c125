// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#pragma once

#include "recordoptions.h"

// The recorder is a module of its own, clickshow-record.so, which the
// program loads only to record: the window itself loads none of FFmpeg's
// hundred libraries. It takes the options already read, and the arguments
// for the application object it makes; it returns the exit status.
using RecordEntry = int (*)(int argc, char *argv[], const RecordOptions *options);
inline constexpr const char *kRecordEntryName = "clickshow_record";
