// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#include "timedsurface.h"

#include "show/design.h"
#include "show/timelinepacer.h"

void TimedSurface::Begin(double start)
{
    now_ = start;
}

TimedSurface::Call &TimedSurface::Add(Call::Kind kind)
{
    calls_.push_back({now_, kind});
    return calls_.back();
}

bool TimedSurface::SetBackdrop(show::Colour colour)
{
    Add(Call::Kind::Backdrop).colour = colour;
    return true;
}

bool TimedSurface::GetClientWidth(float &width)
{
    width = float(show::kDesignWidthTwips);
    return true;
}

bool TimedSurface::GetClientHeight(float &height)
{
    height = float(show::kDesignHeightTwips);
    return true;
}

bool TimedSurface::DrawCircleOutline(float x, float y, float radius, show::Colour colour)
{
    Call &call = Add(Call::Kind::Circle);
    call.x = x;
    call.y = y;
    call.radius = radius;
    call.colour = colour;
    return true;
}

bool TimedSurface::SetLabelVisible(show::Label label, bool visible)
{
    Call &call = Add(Call::Kind::Visible);
    call.label = label;
    call.visible = visible;
    return true;
}

bool TimedSurface::SetLabelCaption(show::Label label, const std::string &text)
{
    Call &call = Add(Call::Kind::Caption);
    call.label = label;
    call.text = text;
    return true;
}

void TimedSurface::Wait(std::uint32_t counts)
{
    now_ += double(counts) * double(show::TimelinePacer::kPerCount.count()) / 1e6;
}
