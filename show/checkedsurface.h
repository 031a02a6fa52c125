// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#pragma once

#include "palette.h"
#include "surface.h"

#include <string>

namespace show {

// The show's only way to the surface: each call turns a failed status into
// a ShowError that names the object and the operation. (The show tells
// floating-point faults from values, so no flag the window leaves set
// reaches its checks.)
class CheckedSurface
{
public:
    explicit CheckedSurface(Surface &surface);

    void SetBackdrop(Rgb rgb);
    float ClientWidth();
    float ClientHeight();
    void DrawCircleOutline(float x, float y, float radius, Rgb rgb);
    void SetLabelVisible(Label label, bool visible);
    void SetLabelCaption(Label label, const std::string &text);

private:
    void Check(bool ok, const char *object, const char *operation);

    Surface &surface_;
};

} // namespace show
