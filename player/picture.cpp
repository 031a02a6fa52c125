// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#include "picture.h"

#include "canvas/showdrawing.h"
#include "show/design.h"

namespace player {

Change &Change::operator|=(const Change &later)
{
    pixels = later.filled ? later.pixels : pixels | later.pixels;
    filled = filled || later.filled;
    captions |= later.captions;
    return *this;
}

Picture::Picture(canvas::Pixel backdrop)
    : canvas_(backdrop)
    , captions_{{show::kTopCaptionAtStart, false}, {show::kWordsCaptionAtStart, false}}
{
}

Change Picture::Apply(const Call &call)
{
    Change change;
    switch (call.kind) {
    case Call::Kind::Backdrop:
        canvas_.SetBackdrop(canvas::PixelOf(call.colour));
        change.filled = true;
        break;
    case Call::Kind::Circle:
        change.pixels = canvas::DrawShowOutline(canvas_, call.x, call.y, call.radius, call.colour);
        break;
    case Call::Kind::Visible:
        captions_[int(call.label)].shown = call.visible;
        change.captions = 1u << int(call.label);
        break;
    case Call::Kind::Caption:
        captions_[int(call.label)].text = call.text;
        change.captions = 1u << int(call.label);
        break;
    case Call::Kind::Width:
    case Call::Kind::Height:
    case Call::Kind::Pause:
        break;
    }
    return change;
}

std::string Picture::ShownText(show::Label label) const
{
    std::string text = caption(label).text;
    while (!text.empty() && text.back() == ' ')
        text.pop_back();
    return text;
}

canvas::Rect Picture::CaptionRect(show::Label label)
{
    const show::DesignRect &rect = label == show::Label::Top ? show::kTopCaption : show::kWordsCaption;
    return {rect.x, rect.y, rect.width, rect.height};
}

bool Picture::OnPicture(double x, double y) const
{
    const canvas::Rect area = canvas_.area();
    return x >= area.x && y >= area.y && x < area.x + area.width && y < area.y + area.height;
}

bool Picture::OnShownCaption(double x, double y) const
{
    for (const show::Label label : {show::Label::Top, show::Label::Words}) {
        const canvas::Rect rect = CaptionRect(label);
        if (caption(label).shown && x >= rect.x && x < rect.x + rect.width && y >= rect.y && y < rect.y + rect.height)
            return true;
    }
    return false;
}

} // namespace player
