// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#pragma once

#include "recordoptions.h"

#include "base/status.h"

// Plays the shows into the file, frame-exact, with no window: the show's
// calls on the players' timeline, drawn into the picture as each frame's
// moment comes, and the captions painted over it by Qt (the caller has
// made the application object, on the offscreen platform). The file is
// written beside FILE under another name and renamed over it only when
// complete. SIGINT and SIGTERM stop it the same way; then
// RecordingInterruptedBy() says by which, for the caller to end by it.
Status Record(const RecordOptions &options);
int RecordingInterruptedBy();
