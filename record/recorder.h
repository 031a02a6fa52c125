// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#pragma once

#include "app/options.h"
#include "base/status.h"

// Plays the shows into the file, frame-exact, on Qt's offscreen platform
// (the caller has chosen it and the scale before the application object).
// The file is written beside FILE under another name and renamed over it
// only when complete. SIGINT and SIGTERM stop it the same way; then
// RecordingInterruptedBy() says by which, for the caller to end by it.
Status Record(const RecordOptions &options);
int RecordingInterruptedBy();
