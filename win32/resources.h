// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#pragma once

// What the program carries in its resources (clickshow.rc).
#define kIconResource 1
#define kCaptionFaceResource 101
#define kSettingsDialog 200
#define kSettingsSeconds 201
