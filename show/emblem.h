// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#pragma once

#include "checkedsurface.h"

namespace show {

// Five thick rings at fixed places, whatever the window's size: each ring is
// four outlines of radius 600, stepping 10 twips right and down.
void DrawEmblem(CheckedSurface &window);

} // namespace show
