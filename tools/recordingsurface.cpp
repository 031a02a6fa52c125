// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#include "recordingsurface.h"

namespace trace {

RecordingSurface::RecordingSurface(float width, float height)
    : width_(width)
    , height_(height)
{
}

void RecordingSurface::Resize(float width, float height)
{
    width_ = width;
    height_ = height;
}

bool RecordingSurface::Record(Call call)
{
    calls_.push_back(std::move(call));
    return failAt_ == 0 || --failAt_ != 0;
}

bool RecordingSurface::SetBackdrop(show::Colour colour)
{
    return Record(Call::Backdrop(colour));
}

bool RecordingSurface::GetClientWidth(float &width)
{
    width = width_;
    return Record(Call::Width());
}

bool RecordingSurface::GetClientHeight(float &height)
{
    height = height_;
    return Record(Call::Height());
}

bool RecordingSurface::DrawCircleOutline(float x, float y, float radius, show::Colour colour)
{
    return Record(Call::Circle(x, y, radius, colour));
}

bool RecordingSurface::SetLabelVisible(show::Label label, bool visible)
{
    return Record(Call::Visible(label, visible));
}

bool RecordingSurface::SetLabelCaption(show::Label label, const std::string &text)
{
    return Record(Call::Caption(label, text));
}

void RecordingSurface::Wait(std::uint32_t counts)
{
    calls_.push_back(Call::Pause(counts));
}

} // namespace trace
