// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#include "checkedsurface.h"

#include "showerror.h"

namespace show {

namespace {
constexpr const char *kWindow = "Form1";
}

CheckedSurface::CheckedSurface(Surface &surface)
    : surface_(surface)
{
}

void CheckedSurface::Check(bool ok, const char *object, const char *operation)
{
    if (!ok)
        throw ShowError::WindowCall(object, operation);
}

void CheckedSurface::SetBackdrop(Rgb rgb)
{
    Check(surface_.SetBackdrop(Compose(rgb)), kWindow, "SetBackdrop");
}

float CheckedSurface::ClientWidth()
{
    float width = 0;
    Check(surface_.GetClientWidth(width), kWindow, "GetClientWidth");
    return width;
}

float CheckedSurface::ClientHeight()
{
    float height = 0;
    Check(surface_.GetClientHeight(height), kWindow, "GetClientHeight");
    return height;
}

void CheckedSurface::DrawCircleOutline(float x, float y, float radius, Rgb rgb)
{
    Check(surface_.DrawCircleOutline(x, y, radius, Compose(rgb)), kWindow, "DrawCircleOutline");
}

void CheckedSurface::SetLabelVisible(Label label, bool visible)
{
    Check(surface_.SetLabelVisible(label, visible), LabelName(label), "SetLabelVisible");
}

void CheckedSurface::SetLabelCaption(Label label, const std::string &text)
{
    Check(surface_.SetLabelCaption(label, text), LabelName(label), "SetLabelCaption");
}

} // namespace show
