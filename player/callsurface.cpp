// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#include "callsurface.h"

namespace player {

bool CallSurface::SetBackdrop(show::Colour colour)
{
    return Take(Call::Backdrop(colour));
}

bool CallSurface::GetClientWidth(float &width)
{
    width = ClientWidth();
    return Take(Call::Width());
}

bool CallSurface::GetClientHeight(float &height)
{
    height = ClientHeight();
    return Take(Call::Height());
}

bool CallSurface::DrawCircleOutline(float x, float y, float radius, show::Colour colour)
{
    return Take(Call::Circle(x, y, radius, colour));
}

bool CallSurface::SetLabelVisible(show::Label label, bool visible)
{
    return Take(Call::Visible(label, visible));
}

bool CallSurface::SetLabelCaption(show::Label label, const std::string &text)
{
    return Take(Call::Caption(label, text));
}

} // namespace player
